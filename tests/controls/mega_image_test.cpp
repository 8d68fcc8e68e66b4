#include <gtest/gtest.h>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <vector>

#include "controls/mega_image.h"

namespace tarvel::controls {
namespace {

MegaImageState WithSlots(std::initializer_list<int> filled, int add = 0, int real = 1) {
    MegaImageState state;
    for (int k : filled)
        state.present[static_cast<std::size_t>(k - 1)] = true;
    state.add_to_nom = add;
    state.nom_pic_real_vid = real;
    return state;
}

TEST(MegaImageRules, SlotForEachEvent) {
    using E = MegaImageEvent;
    struct Case {
        MegaImageState state;
        E event;
        std::optional<int> slot;
    };
    const Case cases[] = {
        {WithSlots({1, 2, 3}), E::Enter, 2},
        {WithSlots({1, 2, 3}), E::Down, 3},
        {WithSlots({1, 2, 3}), E::UpInside, 2},
        {WithSlots({1, 2, 3}), E::UpOutside, 1},
        {WithSlots({1, 2, 3}), E::Leave, 1},
        {WithSlots({1, 2, 3}, 0, 2), E::Leave, 2},      // on state rests on picture 2
        {WithSlots({1, 2, 3}, 0, 2), E::UpOutside, 1},  // but a release outside shows 1
        {WithSlots({1, 2}), E::Down, std::nullopt},     // slot 3 absent: keep the picture
        {WithSlots({1, 2, 3, 4, 5, 6}, 3), E::Enter, 5},
        {WithSlots({1, 2, 3, 4, 5, 6}, 3), E::Down, 6},
        {WithSlots({1, 2, 3, 4, 5, 6}, 3), E::Leave, 4},
        {WithSlots({1, 2, 3}, 3), E::Enter, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PictureFor(c.state, c.event), c.slot)
            << static_cast<int>(c.event) << " add " << c.state.add_to_nom;
    }
    EXPECT_TRUE(ReleaseInside(0, 0, 20, 20));
    EXPECT_TRUE(ReleaseInside(20, 20, 20, 20));
    EXPECT_FALSE(ReleaseInside(21, 5, 20, 20));
    EXPECT_FALSE(ReleaseInside(5, -1, 20, 20));
}

QImage Solid(QRgb colour) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class MegaImage : public ::testing::Test {
  protected:
    MegaImage() {
        image.resize(20, 20);
        image.SetPicture(1, Solid(qRgb(10, 10, 10)));
        image.SetPicture(2, Solid(qRgb(20, 20, 20)));
        image.SetChangePictures(true);
        image.ShowPicture(1);
        image.show();
    }
    void Enter() {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(&image, &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&image, &leave);
    }
    TMegaImage image;
    QSignalSpy clicks{&image, &TMegaImage::OnClick};
    QSignalSpy enters{&image, &TMegaImage::OnMouseEnter};
};

TEST_F(MegaImage, TwoSlotButtonKeepsHoverWhenPressedAndClicksOnReleaseInside) {
    Enter();
    EXPECT_EQ(image.ShownSlot(), 2);
    EXPECT_EQ(enters.count(), 1);
    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(image.ShownSlot(), 2);
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(image.ShownSlot(), 2);
    EXPECT_EQ(clicks.count(), 1);
    Leave();
    EXPECT_EQ(image.ShownSlot(), 1);
    EXPECT_EQ(image.grab().toImage().pixel(3, 3), qRgb(10, 10, 10));
}

TEST_F(MegaImage, ReleaseOutsideShowsRestAndDoesNotClick) {
    image.SetNomPicRealVid(2);
    Enter();
    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(40, 5));
    EXPECT_EQ(image.ShownSlot(), 1);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(MegaImage, WithoutChangePicturesOnlyNotifies) {
    image.SetChangePictures(false);
    Enter();
    QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(image.ShownSlot(), 1);
    EXPECT_EQ(enters.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
}

// Records the types of the events a widget receives.
class EventTypes : public QObject {
  public:
    std::vector<QEvent::Type> seen;
    bool Saw(QEvent::Type type) const {
        return std::find(seen.begin(), seen.end(), type) != seen.end();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        seen.push_back(event->type());
        return false;
    }
};

// A three-slot skin button inside a window, driven through the window's handle so that Qt turns
// the input into the events a real mouse gives: the double-click event, the held-back leave.
class MegaImageInWindow : public ::testing::Test {
  protected:
    MegaImageInWindow() {
        window.resize(100, 60);
        image->setGeometry(10, 10, 20, 20);
        for (int k = 1; k <= 3; ++k)
            image->SetPicture(k, Solid(qRgb(10 * k, 10 * k, 10 * k)));
        image->SetChangePictures(true);
        image->ShowPicture(1);
        window.show();
        handle = window.windowHandle();
        image->installEventFilter(&events);
        QTest::mouseMove(handle, kOutside);
    }
    static constexpr QPoint kInside{20, 20};
    static constexpr QPoint kOutside{70, 40};

    QWidget window;
    TMegaImage* image = new TMegaImage(&window);
    QWindow* handle = nullptr;
    EventTypes events;
    QSignalSpy clicks{image, &TMegaImage::OnClick};
    QSignalSpy exits{image, &TMegaImage::OnMouseExit};
};

TEST_F(MegaImageInWindow, DoubleClickGivesOneClickAndTheNextClickCountsAgain) {
    QTest::mouseMove(handle, kInside);
    QTest::mouseDClick(handle, Qt::LeftButton, {}, kInside);
    ASSERT_TRUE(events.Saw(QEvent::MouseButtonDblClick));  // Qt's own double-click path
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(image->ShownSlot(), 2);
    QTest::mouseClick(handle, Qt::LeftButton, {}, kInside, 1000);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(MegaImageInWindow, PressDragOutAndReleaseRestsOnPictureOneEvenWhenOn) {
    image->SetNomPicRealVid(2);  // an "on" button rests on its hover picture
    image->ShowPicture(2);
    QTest::mouseMove(handle, kInside);
    QTest::mousePress(handle, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(image->ShownSlot(), 3);
    QTest::mouseMove(handle, kOutside);
    EXPECT_EQ(exits.count(), 1);  // the leave comes when the pointer goes, not after the release
    events.seen.clear();
    QTest::mouseRelease(handle, Qt::LeftButton, {}, kOutside);
    ASSERT_TRUE(events.Saw(QEvent::Leave));  // Qt's leave after the release did arrive
    EXPECT_EQ(image->ShownSlot(), 1);
    EXPECT_EQ(exits.count(), 1);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(MegaImageInWindow, DraggingBackInBeforeTheReleaseStillClicks) {
    QTest::mouseMove(handle, kInside);
    QTest::mousePress(handle, Qt::LeftButton, {}, kInside);
    QTest::mouseMove(handle, kOutside);
    EXPECT_EQ(image->ShownSlot(), 1);
    QTest::mouseMove(handle, kInside);
    EXPECT_EQ(image->ShownSlot(), 2);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(image->ShownSlot(), 2);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseMove(handle, kOutside);
    EXPECT_EQ(image->ShownSlot(), 1);
    EXPECT_EQ(exits.count(), 2);
}

}  // namespace
}  // namespace tarvel::controls

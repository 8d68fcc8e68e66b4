#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mouse_upm.h"

namespace tarvel::controls {
namespace {

// A volume-like bar: 0..100, 211 x 15 as the main window lays it out, time-free thumb text.
class ScrollerH : public ::testing::Test {
  protected:
    ScrollerH() {
        bar.resize(211, 15);
        bar.ButtonRepeat().SetManual(true);
        bar.Scroller().BandRepeat().SetManual(true);
        bar.show();
    }
    QPoint ThumbCentre() { return bar.Scroller().Thumb().rect().center(); }

    TKVRScrollerH bar;
    QSignalSpy changes{&bar, &TKVRScrollerH::OnChange};
};

TEST_F(ScrollerH, CodeChangesRaiseNoChange) {
    bar.SetPosition(40);
    bar.SetMax(30);
    bar.SetMin(-10);
    EXPECT_EQ(bar.Position(), 30);
    bar.SetPosition(-5);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ScrollerH, DragMovesThumbByPointerTravelAndSetsMouseUpm) {
    TSetac& thumb = bar.Scroller().Thumb();
    const int travel = bar.Scroller().Travel();  // 181 - 25 = 156
    ASSERT_EQ(travel, 156);
    QTest::mousePress(&thumb, Qt::LeftButton, {}, ThumbCentre());
    EXPECT_TRUE(MouseUpm());
    QTest::mouseMove(&thumb, ThumbCentre() + QPoint(78, 0));
    EXPECT_EQ(bar.Position(), 50);
    ASSERT_GE(changes.count(), 1);
    EXPECT_EQ(changes.last().at(0).toInt(), 50);
    EXPECT_EQ(bar.ThumbText().toStdString(), "50");
    // Past the end the thumb stops at the end of its travel.
    QTest::mouseMove(&thumb, thumb.rect().center() + QPoint(500, 0));
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(thumb.x(), travel);
    QTest::mouseRelease(&thumb, Qt::LeftButton, {}, thumb.rect().center());
    EXPECT_FALSE(MouseUpm());
}

TEST_F(ScrollerH, DragWithEmptyRangeDoesNothing) {
    bar.SetMax(0);
    TSetac& thumb = bar.Scroller().Thumb();
    QTest::mousePress(&thumb, Qt::LeftButton, {}, ThumbCentre());
    QTest::mouseMove(&thumb, ThumbCentre() + QPoint(40, 0));
    QTest::mouseRelease(&thumb, Qt::LeftButton, {}, ThumbCentre() + QPoint(40, 0));
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(thumb.x(), 0);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ScrollerH, HeldArrowRepeatsEvery50msAfterTheFirst100) {
    bar.SetPosition(50);
    QSignalSpy rd(&bar, &TKVRScrollerH::OnClickBtnRD);
    TButtonDown& button = bar.ButtonDown();
    QTest::mousePress(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_TRUE(MouseUpm());
    bar.ButtonRepeat().Advance(400);  // steps at 100, 150, ..., 400 ms
    EXPECT_EQ(bar.Position(), 57);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, button.rect().center());
    EXPECT_EQ(bar.Position(), 58);  // and one at release
    EXPECT_EQ(rd.count(), 8);
    EXPECT_EQ(changes.count(), 8);
    EXPECT_FALSE(MouseUpm());
    bar.ButtonRepeat().Advance(500);  // stopped: nothing more
    EXPECT_EQ(bar.Position(), 58);
}

TEST_F(ScrollerH, LeftArrowClickStepsBackBySmallChange) {
    bar.SetPosition(50);
    bar.SetSmallChange(5);
    QSignalSpy lt(&bar, &TKVRScrollerH::OnClickBtnLT);
    QTest::mouseClick(&bar.ButtonUp(), Qt::LeftButton, {}, bar.ButtonUp().rect().center());
    EXPECT_EQ(bar.Position(), 45);
    EXPECT_EQ(lt.count(), 1);
}

TEST_F(ScrollerH, BandClickJumpsToItsShareOfMax) {
    bar.SetMax(771);
    bar.SetPosition(771);  // thumb at the right end, band free on its left
    TTraka& band = bar.Scroller().Band();
    QTest::mousePress(&band, Qt::LeftButton, {}, QPoint(50, 3));
    EXPECT_TRUE(MouseUpm());
    EXPECT_EQ(bar.Position(), qRound(771.0 / band.width() * 50));
    EXPECT_EQ(changes.count(), 1);
    QTest::mouseRelease(&band, Qt::LeftButton, {}, QPoint(50, 3));
    EXPECT_FALSE(MouseUpm());
    // Held, it repeats until the pointer leaves the band.
    bar.SetPosition(771);
    QTest::mousePress(&band, Qt::LeftButton, {}, QPoint(50, 3));
    EXPECT_TRUE(bar.Scroller().BandRepeat().Running());
    QTest::mouseMove(&band, QPoint(50, 30));
    EXPECT_FALSE(bar.Scroller().BandRepeat().Running());
    QTest::mouseRelease(&band, Qt::LeftButton, {}, QPoint(50, 30));
}

TEST_F(ScrollerH, VerticalKindLaysOutDownwardsAndTakesTheClickYAsPosition) {
    bar.SetKind(ScrollKind::Vertical);
    bar.resize(17, 200);
    EXPECT_EQ(bar.ButtonDown().geometry(), QRect(1, 186, 15, 13));
    EXPECT_EQ(bar.Scroller().geometry(), QRect(0, 15, 17, 170));
    bar.SetPosition(100);  // thumb at the bottom, the band free above it
    QTest::mouseClick(&bar.Scroller().Band(), Qt::LeftButton, {}, QPoint(2, 40));
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ScrollerH, KeysMoveAndRaiseChange) {
    bar.SetLargeChange(10);
    bar.SetPosition(50);
    struct Case {
        Qt::Key key;
        int expected;
    };
    for (const Case& c :
         {Case{Qt::Key_PageUp, 40}, Case{Qt::Key_PageDown, 50}, Case{Qt::Key_Left, 49},
          Case{Qt::Key_Down, 50}, Case{Qt::Key_Home, 0}, Case{Qt::Key_End, 100}}) {
        QTest::keyClick(&bar, c.key);
        EXPECT_EQ(bar.Position(), c.expected) << c.key;
    }
    EXPECT_EQ(changes.count(), 6);
}

TEST_F(ScrollerH, TimeThumbDisabledAndHint) {
    bar.SetVkoef(0);
    bar.SetMax(100000);
    bar.SetPosition(90061);
    EXPECT_EQ(bar.ThumbText().toStdString(), "1:1:01:01");
    bar.setEnabled(false);
    EXPECT_EQ(bar.ThumbText().toStdString(), "");
    EXPECT_FALSE(bar.ButtonUp().isEnabled());
    bar.setEnabled(true);
    EXPECT_EQ(bar.ThumbText().toStdString(), "1:1:01:01");
    bar.setToolTip("Volome (Win + Up/Down)");
    bar.SetHintSecondLine("50%");
    EXPECT_EQ(bar.toolTip().toStdString(), "Volome (Win + Up/Down)\n50%");
}

// The bar as the only control of a window, clicked through the window's handle so that Qt
// decides which part receives each press, as it does for a real mouse.
class ScrollerHInWindow : public ::testing::Test {
  protected:
    ScrollerHInWindow() {
        window.resize(231, 35);
        bar->setGeometry(10, 10, 211, 15);
        bar->ButtonRepeat().SetManual(true);
        bar->SetPosition(50);
        window.show();
        handle = window.windowHandle();
    }
    QPoint InWindow(QWidget& part, QPoint at) { return part.mapTo(&window, at); }

    QWidget window;
    TKVRScrollerH* bar = new TKVRScrollerH(&window);
    QWindow* handle = nullptr;
};

TEST_F(ScrollerHInWindow, ArrowDoubleClickCountsAsTwoClicks) {
    QSignalSpy rd(bar, &TKVRScrollerH::OnClickBtnRD);
    const QPoint arrow = InWindow(bar->ButtonDown(), bar->ButtonDown().rect().center());
    QTest::mouseDClick(handle, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(bar->Position(), 52);
    EXPECT_EQ(rd.count(), 2);
    EXPECT_FALSE(MouseUpm());
}

TEST_F(ScrollerHInWindow, OnlyAClickOnTheFrameClearsTheThumbText) {
    struct Case {
        const char* what;
        QPoint at;
        Qt::MouseButton button;
        bool clears;
    };
    const QPoint left_arrow = InWindow(bar->ButtonUp(), bar->ButtonUp().rect().center());
    const QPoint right_arrow = InWindow(bar->ButtonDown(), bar->ButtonDown().rect().center());
    const QPoint frame = InWindow(*bar, QPoint(0, 7));
    const Case cases[] = {
        {"right click on the left arrow", left_arrow, Qt::RightButton, false},
        {"middle click on the right arrow", right_arrow, Qt::MiddleButton, false},
        {"right click on the right arrow", right_arrow, Qt::RightButton, false},
        {"left click on the frame", frame, Qt::LeftButton, true},
        {"right click on the frame", frame, Qt::RightButton, true},
    };
    for (const Case& c : cases) {
        bar->SetPosition(50);  // renews the text
        ASSERT_EQ(bar->ThumbText().toStdString(), "50");
        QTest::mouseClick(handle, c.button, {}, c.at);
        EXPECT_EQ(bar->ThumbText().isEmpty(), c.clears) << c.what;
        EXPECT_EQ(bar->Position(), 50) << c.what;
    }
}

class ScrollerVr : public ::testing::Test {
  protected:
    ScrollerVr() {
        band.fill(Qt::darkGray);
        thumb.fill(Qt::white);
        bar.resize(10, 425);
        bar.SetPictures(band, thumb);
        bar.SetThumbSize(63);
        bar.SetMax(200);
        bar.Scroller().BandRepeat().SetManual(true);
        bar.show();
    }
    QImage band{4, 15, QImage::Format_RGB32};
    QImage thumb{10, 63, QImage::Format_RGB32};
    TKVRScrollerVr bar;
    QSignalSpy changes{&bar, &TKVRScrollerVr::OnChange};
};

TEST_F(ScrollerVr, PicturesPlacedAndBandStepsByLargeChange) {
    bar.SetLargeChange(10);
    bar.SetPosition(100);
    EXPECT_EQ(changes.count(), 0);
    TScroller& s = bar.Scroller();
    EXPECT_EQ(s.Band().geometry(), QRect(4, 0, 4, 425));
    EXPECT_EQ(s.Thumb().geometry(), QRect(1, qRound(100.0 / 200 * (425 - 63)), 10, 63));
    // Below the thumb: +LargeChange, then every 50 ms after the first 100 ms.
    const QPoint below(1, 400);
    QTest::mousePress(&s.Band(), Qt::LeftButton, {}, below);
    EXPECT_EQ(bar.Position(), 110);
    s.BandRepeat().Advance(100);
    EXPECT_EQ(bar.Position(), 110);
    s.BandRepeat().Advance(100);
    EXPECT_EQ(bar.Position(), 130);
    QTest::mouseRelease(&s.Band(), Qt::LeftButton, {}, below);
    EXPECT_FALSE(s.BandRepeat().Running());
    QTest::mousePress(&s.Band(), Qt::LeftButton, {}, QPoint(1, 2));  // above
    EXPECT_EQ(bar.Position(), 120);
    QTest::mouseRelease(&s.Band(), Qt::LeftButton, {}, QPoint(1, 2));
    EXPECT_EQ(changes.count(), 4);
    EXPECT_FALSE(MouseUpm());  // the picture bar leaves the flag alone
}

TEST_F(ScrollerVr, ZeroLargeChangeBandClickOnlyRaisesChange) {
    bar.SetLargeChange(0);
    bar.SetPosition(30);
    QTest::mouseClick(&bar.Scroller().Band(), Qt::LeftButton, {}, QPoint(1, 400));
    EXPECT_EQ(bar.Position(), 30);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 30);
}

TEST_F(ScrollerVr, DragAndKeys) {
    TSetac& thumb = bar.Scroller().Thumb();
    QTest::mousePress(&thumb, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(&thumb, QPoint(5, 5 + 181));
    QTest::mouseRelease(&thumb, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(bar.Position(), 100);
    QTest::keyClick(&bar, Qt::Key_End);
    EXPECT_EQ(bar.Position(), 200);
    QTest::keyClick(&bar, Qt::Key_Home);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_GE(changes.count(), 3);
}

}  // namespace
}  // namespace tarvel::controls

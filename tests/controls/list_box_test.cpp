#include <gtest/gtest.h>
#include <QApplication>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include "controls/c_list_box.h"

namespace tarvel::controls {
namespace {

TEST(ListBoxRules, PlansEachMarkMode) {
    const QRect r(0, 32, 150, 16);
    const QColor plain(200, 200, 200);
    const QColor green(0xA8, 0xF7, 0x8E);
    struct Case {
        int index;
        bool selected;
        const char* mode;
        MarkPicture picture;
        TextPlacement placement;
        int text_x;
        QColor font;
    };
    const Case cases[] = {
        {1, false, "Play", MarkPicture::None, TextPlacement::TopLeft, 0, plain},  // not marked
        {2, false, "Play", MarkPicture::Play, TextPlacement::TopLeft, 21, green},
        {2, true, "Pause", MarkPicture::Pause, TextPlacement::TopLeft, 21, Qt::white},
        {2, false, "", MarkPicture::None, TextPlacement::Centred2px, 2, green},
        {2, false, "Stop", MarkPicture::None, TextPlacement::None, 0, green},
    };
    for (const Case& c : cases) {
        const ItemPlan plan =
            PlanItem(c.index, c.selected, r, plain, MarkState{2, green, c.mode}, 16);
        EXPECT_EQ(plan.picture, c.picture) << c.index << c.mode;
        EXPECT_EQ(plan.placement, c.placement) << c.index << c.mode;
        if (c.placement != TextPlacement::None) {
            EXPECT_EQ(plan.text_at, QPoint(c.text_x, 32));
        }
        EXPECT_EQ(plan.font, c.font) << c.index << c.mode;
        if (c.picture != MarkPicture::None) {
            EXPECT_EQ(plan.picture_at, QPoint(2, 32));
        }
    }
}

// A list of three rows on black, light grey text, the mark pictures a green square on red.
class ListBox : public ::testing::Test {
  protected:
    ListBox() {
        QPalette p = list.palette();
        p.setColor(QPalette::Base, Qt::black);
        p.setColor(QPalette::Text, QColor(0xC8, 0xC9, 0xCC));
        p.setColor(QPalette::Highlight, QColor(0, 0, 128));
        p.setColor(QPalette::HighlightedText, Qt::white);
        list.setPalette(p);
        QImage mark(16, 17, QImage::Format_RGB32);
        mark.fill(QColor(255, 0, 0));
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x)
                mark.setPixel(x, y, qRgb(0, 255, 0));
        list.SetMarkPictures(mark, mark);
        list.resize(150, 64);
        list.addItems({"1. WWW", "2. WWW", "3. WWW"});
        list.show();
    }
    QImage Grab() {
        return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The leftmost column of the row (16 px from row * 16) whose pixel is not black.
    static int LeftmostInk(const QImage& image, int row, int from_x = 0) {
        for (int x = from_x; x < image.width(); ++x)
            for (int y = row * 16; y < row * 16 + 16; ++y)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                    return x;
        return -1;
    }
    TCListBox list;
};

TEST_F(ListBox, UnmarkedRowsDrawAtTheLeftEdge) {
    EXPECT_EQ(list.MarkedIndex(), -2);
    const QImage image = Grab();
    for (int row = 0; row < 3; ++row)
        EXPECT_LE(LeftmostInk(image, row), 1) << row;
    EXPECT_EQ(list.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(list.visualRect(list.model()->index(1, 0)).height(), 16);
}

TEST_F(ListBox, PlayRowShowsPictureAt2AndTextFrom21) {
    list.SetItemFont(1, QColor(0xA8, 0xF7, 0x8E), Qt::white, "Play");
    list.viewport()->repaint();
    const QImage image = Grab();
    // Red is transparent: the background shows around the green square, which starts at 2 + 4.
    EXPECT_EQ(image.pixel(2, 16 + 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(6, 16 + 4), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(5, 16 + 4) & 0xFFFFFF, 0u);
    EXPECT_EQ(LeftmostInk(image, 1), 6);
    const int text_x = LeftmostInk(image, 1, 18);
    EXPECT_GE(text_x, 21);
    EXPECT_LE(text_x, 22);
    // The text is in the mark colour: its brightest pixel is green-dominant.
    QRgb brightest = 0;
    for (int x = 21; x < 80; ++x)
        for (int y = 16; y < 32; ++y)
            if (qGreen(image.pixel(x, y)) > qGreen(brightest))
                brightest = image.pixel(x, y);
    EXPECT_GT(qGreen(brightest), qBlue(brightest) + 60);
}

TEST_F(ListBox, SelectedMarkedRowIsWhiteOnSelectionAndKeysRepaintAll) {
    list.SetItemFont(1, QColor(0xA8, 0xF7, 0x8E), Qt::white, "");
    list.setFocus();
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Down);  // onto the marked row
    ASSERT_EQ(list.currentRow(), 1);
    QImage image = Grab();
    EXPECT_EQ(image.pixel(0, 16 + 1), qRgb(0, 0, 128));
    int white = 0;
    for (int x = 0; x < 80; ++x)
        for (int y = 16; y < 32; ++y)
            white += image.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 5);
    // The empty mode draws the text 2 pixels in.
    EXPECT_GE(LeftmostInk(image, 1, 0), 0);
    QTest::keyClick(&list, Qt::Key_Down);  // off it again
    image = Grab();
    EXPECT_EQ(image.pixel(0, 16 + 1) & 0xFFFFFF, 0u);
    EXPECT_GE(LeftmostInk(image, 1), 2);
}

// Records the region of each paint of a widget.
class PaintRecorder : public QObject {
  public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(ListBox, KeyAndMouseDownRepaintTheWholeList) {
    list.SetItemFont(1, QColor(0xA8, 0xF7, 0x8E), Qt::white, "Play");
    list.setCurrentRow(0);
    QApplication::processEvents();
    PaintRecorder recorder;
    list.viewport()->installEventFilter(&recorder);
    QTest::keyClick(&list, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(recorder.painted.boundingRect(), list.viewport()->rect());
    recorder.painted = QRegion();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(5, 40));
    QApplication::processEvents();
    EXPECT_EQ(recorder.painted.boundingRect(), list.viewport()->rect());
    EXPECT_EQ(list.currentRow(), 2);
}

TEST_F(ListBox, TopIndexFollowsAndIsSettable) {
    for (int i = 4; i <= 40; ++i)
        list.addItem(QString("%1. Song").arg(i));
    EXPECT_EQ(list.VisibleRows(), 4);
    list.SetTopIndex(10);
    EXPECT_EQ(list.TopIndex(), 10);
    EXPECT_EQ(list.indexAt(QPoint(5, 1)).row(), 10);
}

// A left press on a row becomes a drag of that row once the pointer has moved the platform's drag
// distance with the button held, once per press; a press below the rows never does. Every move
// tells the row under the pointer, and a tool tip event asks for the hint of the row under it.
TEST_F(ListBox, SignalsRowDragsPointerRowsAndHints) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QWindow* window = list.windowHandle();
    const auto at = [this](QPoint viewport_point) {
        return list.viewport()->mapTo(&list, viewport_point);
    };
    const int distance = QApplication::startDragDistance();
    struct Case {
        int press_y;
        int expected_drag;  // the item dragged, -1 for none
    };
    for (const Case c : {Case{20, 1}, Case{2, 0}, Case{56, -1}}) {
        QSignalSpy drags(&list, &TCListBox::RowDragStarted);
        QSignalSpy over(&list, &TCListBox::PointerOverItem);
        const QPoint press = at(QPoint(10, c.press_y));
        QTest::mousePress(window, Qt::LeftButton, {}, press);
        QTest::mouseMove(window, press + QPoint(distance - 1, 0));
        EXPECT_EQ(drags.count(), 0) << c.press_y << ": not yet far enough";
        ASSERT_FALSE(over.isEmpty()) << c.press_y;
        EXPECT_EQ(over.last().at(0).toInt(), c.press_y < 48 ? c.press_y / 16 : -1) << c.press_y;
        QTest::mouseMove(window, press + QPoint(distance + 1, 0));
        QTest::mouseMove(window, press + QPoint(distance + 8, 0));
        if (c.expected_drag < 0) {
            EXPECT_EQ(drags.count(), 0) << c.press_y;
        } else {
            ASSERT_EQ(drags.count(), 1) << c.press_y;
            EXPECT_EQ(drags.first().at(0).toInt(), c.expected_drag);
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, press + QPoint(distance + 8, 0));
    }

    QSignalSpy hints(&list, &TCListBox::HintWanted);
    for (const int y : {36, 60}) {
        QHelpEvent tip(QEvent::ToolTip, QPoint(10, y), list.viewport()->mapToGlobal(QPoint(10, y)));
        QApplication::sendEvent(list.viewport(), &tip);
    }
    ASSERT_EQ(hints.count(), 2);
    EXPECT_EQ(hints.at(0).at(0).toInt(), 2);
    EXPECT_EQ(hints.at(1).at(0).toInt(), -1);
}

}  // namespace
}  // namespace tarvel::controls

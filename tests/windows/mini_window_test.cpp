// The mini player as the program makes it, beside the real main window, driven by the mouse and
// the keyboard through its own window.
#include "windows/mini_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalSpy>
#include <algorithm>

#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "controls/mouse_upm.h"
#include "controls/title_strip.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "transport/transport.h"
#include "windows/secondary_windows_rig.h"

namespace tarvel {
namespace {

using controls::Mini;

std::string_view Name(Mini control) {
    return controls::RecordOf(control).name;
}

class MiniPlayer : public SecondaryWindowsRig {
  protected:
    MiniPlayer() { SwitchToMini(); }
    ~MiniPlayer() override { controls::SetMouseUpm(true); }

    controls::TKVRScrollerH& Bar(Mini name) { return mini_player.HorizontalBar(name); }
    playlists::TMasPLayList& Work() { return run->Playlists().Work(); }
    void Tick200() {
        out.Advance(200);
        run->Transport().Timer1();
    }
    // A click on a bar's band at a share of its width, in the rows the bar shows above the
    // volume bar that overlaps it.
    void ClickBand(Mini bar, double share) {
        controls::TKVRScrollerH& b = Bar(bar);
        const QRect band(b.Scroller().Band().mapTo(&mini_player, QPoint(0, 0)),
                         b.Scroller().Band().size());
        QTest::mouseClick(
            mini_player.windowHandle(), Qt::LeftButton, Qt::NoModifier,
            QPoint(band.left() + static_cast<int>(band.width() * share), band.top() + 1));
    }
    bool Reported() {
        for (const std::string& call : services.Calls()) {
            if (call.starts_with("MessageBox")) {
                return true;
            }
        }
        return false;
    }
};

// The lengths of the black runs of a picture's rows inside a rectangle, top to bottom, rows
// without black left out.
std::vector<int> BlackRows(const QImage& picture, const QRect& rect) {
    std::vector<int> rows;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        int black = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            black += picture.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
        if (black > 0) {
            rows.push_back(black);
        }
    }
    return rows;
}

// The arrows of the thin bars show whole as the window draws them: a triangle from a 1-pixel
// point through its widest row in the middle back to a 1-pixel point.
TEST_F(MiniPlayer, ThinBarsShowTheirArrowsWhole) {
    const QImage shot = mini_player.grab().toImage();
    for (Mini name : {Mini::SCRLtimeMIN, Mini::SCRLvolumeMIN}) {
        controls::TKVRScrollerH& bar = Bar(name);
        for (QWidget* button :
             {static_cast<QWidget*>(&bar.ButtonUp()), static_cast<QWidget*>(&bar.ButtonDown())}) {
            const QRect rect(button->mapTo(&mini_player, QPoint(0, 0)), button->size());
            const std::vector<int> rows = BlackRows(shot, rect);
            SCOPED_TRACE(::testing::Message()
                         << Name(name) << " " << ::testing::PrintToString(rows));
            ASSERT_GE(rows.size(), 5u);
            EXPECT_EQ(rows.front(), 1);
            EXPECT_EQ(rows, std::vector<int>(rows.rbegin(), rows.rend()));
            EXPECT_EQ(*std::max_element(rows.begin(), rows.end()), rows[rows.size() / 2]);
        }
    }
}

TEST_F(MiniPlayer, StandsAtTheTopOfTheScreenInPlaceOfTheMainWindow) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().width(), 800);
    EXPECT_TRUE(mini_player.isVisible());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(mini_player.size(), QSize(733, 46));
    EXPECT_EQ(mini_player.y(), 0);
    EXPECT_EQ(mini_player.mask().boundingRect(), QRect(3, 3, 691, 23)) << "only the strip shows";
    EXPECT_TRUE(mini_player.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(mini_player.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(mini_player.windowTitle(), "Tarvel");
    struct Place {
        Mini control;
        QRect rect;
        const char* hint;
    };
    for (const Place p : {Place{Mini::ImgPlayPause, {11, 6, 18, 18}, "Play/Pause (Win + Space)"},
                          Place{Mini::ImgNext, {65, 6, 18, 18}, "Next (Win + Rigth)"},
                          // The offscreen screen is 800 pixels wide: the middle of the strip is
                          // shrunk by 0.78125.
                          Place{Mini::Label3, {82, 7, 173, 13}, ""},
                          Place{Mini::StaticText1, {257, 7, 116, 15}, ""},
                          Place{Mini::ImgPls, {455, 6, 18, 18}, "Show PlayList"},
                          Place{Mini::SCRLtimeMIN, {476, 7, 141, 8}, ""},
                          Place{Mini::SCRLvolumeMIN, {476, 13, 141, 9}, "Volome (Win + Up/Down)"},
                          Place{Mini::ImgNormal, {634, 5, 17, 17}, "Normal Panel"},
                          Place{Mini::ImgClose, {670, 5, 17, 17}, "Close"}}) {
        EXPECT_EQ(mini_player.Control(p.control).geometry(), p.rect) << Name(p.control);
        EXPECT_EQ(mini_player.Control(p.control).toolTip().toStdString(), p.hint)
            << Name(p.control);
    }
    const QWidget& time = mini_player.Control(Mini::StaticText1);
    EXPECT_EQ(static_cast<const QLabel&>(time).text(), "0:00/0:00...0:00/0:00");
    EXPECT_EQ(time.font().family(), "Small Fonts");
    EXPECT_EQ(time.font().pointSize(), 7);
    EXPECT_EQ(Bar(Mini::SCRLtimeMIN).Max(), 100);
    EXPECT_EQ(Bar(Mini::SCRLvolumeMIN).Max(), 771);
    EXPECT_EQ(Bar(Mini::SCRLvolumeMIN).Position(), run->Settings().Volume());
    const QImage shot = mini_player.grab().toImage();
    EXPECT_NE(shot.pixelColor(QPoint(20, 15)), QColor(Qt::black)) << "the skin is drawn";
}

TEST_F(MiniPlayer, WithAnEmptyPlaylistTheTransportButtonsDoNothing) {
    for (Mini button : {Mini::ImgStop, Mini::ImgPrew, Mini::ImgNext, Mini::ImgPlayPause}) {
        ClickMini(button);
        EXPECT_EQ(Work().Current, 0) << Name(button);
        EXPECT_FALSE(run->Transport().Timer1Enabled()) << Name(button);
        EXPECT_EQ(mini_player.Image(Mini::ImgPlayPause).AddToNom(), 0) << Name(button);
    }
    KeyToMini(Qt::Key_Right, Qt::ControlModifier);
    KeyToMini(Qt::Key_Pause, Qt::NoModifier);
    EXPECT_EQ(Work().Current, 0);
    EXPECT_FALSE(Reported());
}

TEST_F(MiniPlayer, ButtonsAndKeysDriveTheTransport) {
    LoadSongs(3);
    ClickMini(Mini::ImgPlayPause);
    EXPECT_EQ(Work().Current, 1);
    EXPECT_TRUE(run->Transport().Timer1Enabled());
    EXPECT_EQ(mini_player.Image(Mini::ImgPlayPause).AddToNom(), 3) << "the pause look";
    EXPECT_EQ(mini_player.Image(Mini::ImgPlayPause).ShownSlot(), 4);
    ClickMini(Mini::ImgNext);
    EXPECT_EQ(Work().Current, 2);
    KeyToMini(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Work().Current, 3);
    KeyToMini(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(Work().Current, 2);
    ClickMini(Mini::ImgPrew);
    EXPECT_EQ(Work().Current, 1);
    Tick200();
    ASSERT_EQ(Work().PlayState, 1);
    KeyToMini(Qt::Key_Pause, Qt::NoModifier);
    EXPECT_EQ(mini_player.Image(Mini::ImgPlayPause).AddToNom(), 0) << "paused";
    Tick200();
    EXPECT_EQ(Work().PlayState, 2);
    ClickMini(Mini::ImgStop);
    EXPECT_EQ(Work().Current, 0);
    EXPECT_FALSE(Reported());
}

TEST_F(MiniPlayer, TheTitleScrollsAndTheTimesShowWhileTheMainWindowIsHidden) {
    LoadSongs(2);
    ClickMini(Mini::ImgPlayPause);
    Tick200();
    run->Transport().Timer2();
    const controls::TitleStrip& strip = mini_player.Strip(Mini::Label3);
    EXPECT_TRUE(strip.Text().startsWith("Artist - ")) << strip.Text().toStdString();
    const int x = strip.X();
    run->Transport().Timer2();
    EXPECT_EQ(strip.X(), x - 1);
    EXPECT_EQ(strip.TextPicture().pixelColor(0, 0), QColor(0xAF, 0x56, 0x5A));
    const QString times = static_cast<QLabel&>(mini_player.Control(Mini::StaticText1)).text();
    EXPECT_TRUE(times.contains("...")) << times.toStdString();
    EXPECT_NE(times, "0:00/0:00...0:00/0:00");
}

TEST_F(MiniPlayer, ThePositionBarSeeksOnceTheMouseIsReleased) {
    // The test calls Timer2 itself: the window's own 20 ms timer, running, would do the pending
    // seek whenever the click takes longer than a tick on a loaded machine.
    QObject::disconnect(&form->Timer2, &QTimer::timeout, nullptr, nullptr);
    LoadSongs(1, 10);
    ClickMini(Mini::ImgPlayPause);
    Tick200();
    ASSERT_EQ(Bar(Mini::SCRLtimeMIN).Max(), 10);
    ClickBand(Mini::SCRLtimeMIN, 0.6);
    const int position = Bar(Mini::SCRLtimeMIN).Position();
    ASSERT_GE(position, 4);
    EXPECT_EQ(run->Transport().SeekPending(), 1);
    EXPECT_EQ(run->Transport().Source(), transport::SeekSource::Mini);
    run->Transport().Timer2();
    EXPECT_EQ(run->Transport().SeekPending(), 0);
    EXPECT_EQ(run->Transport().Source(), transport::SeekSource::Main);
    EXPECT_EQ(controls().TimeSKRL->Position(), position);
    Tick200();
    EXPECT_GE(Work().PositionMs, position * 1000);
    EXPECT_LT(Work().PositionMs, position * 1000 + 1000);
}

TEST_F(MiniPlayer, TheVolumeBarAndCtrlUpDownMoveTheMainVolume) {
    run->Transport().ApplyVolume(100);
    ClickBand(Mini::SCRLvolumeMIN, 0.9);
    const int moved = Bar(Mini::SCRLvolumeMIN).Position();
    EXPECT_GT(moved, 600);
    EXPECT_EQ(run->Settings().Volume(), moved);
    EXPECT_EQ(controls().VolumeSKRL->Position(), moved);

    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    for (const Case c :
         {Case{771, Qt::Key_Up, 771}, Case{765, Qt::Key_Up, 771}, Case{300, Qt::Key_Up, 310},
          Case{300, Qt::Key_Down, 290}, Case{5, Qt::Key_Down, 0}, Case{0, Qt::Key_Down, 0}}) {
        run->Transport().ApplyVolume(c.from);
        KeyToMini(c.key, Qt::ControlModifier);
        EXPECT_EQ(run->Settings().Volume(), c.to) << c.from << " key " << c.key;
        EXPECT_EQ(controls().VolumeSKRL->Position(), c.to);
        EXPECT_EQ(Bar(Mini::SCRLvolumeMIN).Position(), c.to);
    }
}

TEST_F(MiniPlayer, ShowPlayListOpensTheListUnderTheStripAndASecondPressOrTheStripClosesIt) {
    ClickMini(Mini::ImgPls);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&small_list));
    const int time_left = mini_player.Control(Mini::StaticText1).x();
    EXPECT_EQ(small_list.pos(), mini_player.pos() + QPoint(time_left - 15, 46 - 20));
    ClickMini(Mini::ImgPls);
    EXPECT_FALSE(small_list.isVisible());

    struct Case {
        QPoint at;
        bool closes;
    };
    // The background strip, the time label; the title strip only moves the window.
    for (const Case c : {Case{{200, 23}, true}, Case{{300, 14}, true}, Case{{150, 12}, false}}) {
        ClickMini(Mini::ImgPls);
        ASSERT_TRUE(small_list.isVisible());
        QTest::mouseClick(mini_player.windowHandle(), Qt::LeftButton, Qt::NoModifier, c.at);
        EXPECT_EQ(small_list.isVisible(), !c.closes) << c.at.x();
        small_list.hide();
    }
}

TEST_F(MiniPlayer, BackFromTheTrayComesTheMiniPlayer) {
    const std::function<void()> to_tray[] = {[this] { ClickMini(Mini::ImgTray); },
                                             [this] { KeyToMini(Qt::Key_Down, Qt::AltModifier); }};
    for (const auto& go : to_tray) {
        ClickMini(Mini::ImgPls);
        go();
        EXPECT_FALSE(mini_player.isVisible());
        EXPECT_FALSE(small_list.isVisible());
        EXPECT_FALSE(form->isVisible());
        EXPECT_TRUE(desktop->IconShown());
        EXPECT_TRUE(run->States().RestoreToMini());
        desktop->FireTrayDoubleClick();
        EXPECT_TRUE(mini_player.isVisible());
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(desktop->IconShown());
    }
}

TEST_F(MiniPlayer, NormalPanelAndAltUpBringBackTheMainWindow) {
    const std::function<void()> back[] = {[this] { ClickMini(Mini::ImgNormal); },
                                          [this] { KeyToMini(Qt::Key_Up, Qt::AltModifier); }};
    for (const auto& go : back) {
        SwitchToMini();
        ClickMini(Mini::ImgPls);
        go();
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(run->Host().MainVisible());
        EXPECT_FALSE(mini_player.isVisible());
        EXPECT_FALSE(small_list.isVisible());
    }
}

TEST_F(MiniPlayer, CloseSavesThePlaylistsAndEndsTheRun) {
    LoadRows(2);
    QSignalSpy closed(form, &TForm1::Closed);
    ClickMini(Mini::ImgClose);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_NE(testing::ReadBytes(app + "/sort/PlayListMainPL1.tpl").find("Song2"),
              std::string::npos);
}

TEST_F(MiniPlayer, KeepingTheWindowsOnTopLeavesTheKeyboardWhereTheUserTypes) {
    ClickMini(Mini::ImgPls);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&small_list));
    QLineEdit other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.setFocus();
    for (int tick = 0; tick < 5; ++tick) {
        run->Transport().Timer2();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &other);
    EXPECT_TRUE(other.hasFocus());
    EXPECT_TRUE(mini_player.isVisible());
    EXPECT_TRUE(small_list.isVisible());
    EXPECT_TRUE(small_list.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
}  // namespace tarvel

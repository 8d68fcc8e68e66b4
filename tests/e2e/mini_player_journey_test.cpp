// The mini player and its small playlist in the real player under a private X server (three
// 20-second tones in PL1), driven with real clicks and keys at the layout's places.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <map>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "platform/fs/line_file.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

class MiniPlayerJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    void SetUp() override {
        app.WriteSettings({kWithoutAutoPlay});
        app.WriteTonePl1({440, 660, 880}, 20);
        StartPlayer();
    }

    // The mini player's title strip as it is on the screen now.
    QImage TitleStrip(const XSession::Geometry& mini) {
        const std::string png = app.FilePath("screen.png");
        x.Screenshot(png);
        return QImage(QString::fromStdString(png))
            .copy(ControlRect(controls::Mini::Label3).translated(mini.x, mini.y));
    }

    // Whether the player has asked the (recording) desktop for this tray call.
    bool TrayCalled(const std::string& call) {
        const std::vector<std::string> log = fs::ReadLines(app.LogPath());
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& line) { return line.starts_with(call); });
    }
};

TEST_F(MiniPlayerJourney, TheMiniPlayerStandsInForTheMainWindowAndItsListPlaysASong) {
    Click(controls::Main::ImgPlayPause);
    ASSERT_TRUE(x.WaitForShown("tone440", true)) << "the first song did not start";

    // ImgMini: the main window goes and the strip shows at the top of the screen.
    Click(controls::Main::ImgMini);
    ASSERT_TRUE(x.WaitForShown("tone440", false)) << "the main window is still shown";
    const unsigned long mini = x.FindWindow("^Tarvel$");
    ASSERT_NE(mini, 0u) << "no mini player";
    const XSession::Geometry strip = x.WindowGeometry(mini);
    EXPECT_EQ(strip.y, 0);
    EXPECT_EQ(strip.width, 733);
    EXPECT_EQ(strip.height, 46);
    // The title scrolls through the strip: it enters from the right within a few seconds (it
    // goes on from where it stood in the main window's wider strip) and moves on.
    QImage last = TitleStrip(strip);
    ASSERT_FALSE(last.isNull());
    int changes = 0;
    QElapsedTimer clock;
    clock.start();
    while (changes < 2 && clock.elapsed() < 10000) {
        QThread::msleep(100);
        const QImage now = TitleStrip(strip);
        changes += now != last ? 1 : 0;
        last = now;
    }
    EXPECT_EQ(changes, 2) << "the title does not scroll";

    // The small list drops down; a double click on the third song plays it and closes the list.
    x.Click(mini, ControlCentre(controls::Mini::ImgPls));
    const unsigned long list = x.FindWindow("^Talik$");
    ASSERT_NE(list, 0u) << "the small playlist did not open";
    const XSession::Geometry dropped = x.WindowGeometry(list);
    EXPECT_EQ(dropped.x, strip.x + 303 - 15);
    EXPECT_EQ(dropped.y, 46 - 20);
    x.Click(list, ListRow(controls::SmallList::ListBox6, 2), true);
    EXPECT_TRUE(x.WaitForShown("^Talik$", false)) << "the list stayed open";
    QThread::msleep(1500);

    // To the tray and back to the main window with the hotkeys.
    x.Key("super+Next");
    EXPECT_TRUE(x.WaitForShown("^Tarvel$", false)) << "the mini player is still shown";
    EXPECT_TRUE(x.WaitForShown("tone880", false, 0));
    EXPECT_TRUE(TrayCalled("AddTrayIcon")) << "no tray icon";
    x.Key("super+Home");
    EXPECT_TRUE(x.WaitForShown("tone880", true)) << "the main window did not come back playing";
    EXPECT_TRUE(x.WaitForShown("^Tarvel$", false, 0)) << "the mini player is still shown";
    EXPECT_TRUE(TrayCalled("DeleteTrayIcon")) << "the tray icon stayed";

    // Once more to the mini player; its close button saves and ends the run.
    x.Click(x.FindWindow("tone880"), ControlCentre(controls::Main::ImgMini));
    const unsigned long mini_again = x.FindWindow("^Tarvel$");
    ASSERT_NE(mini_again, 0u);
    x.Click(mini_again, ControlCentre(controls::Mini::ImgClose));
    ExpectExit(player, 0, 30000);

    // Heard: the first song, then the third; the second never.
    const std::vector<ToneSegment> heard = ToneSegments(wav, {440, 660, 880});
    EXPECT_EQ(ToneOrder(heard, 0.6), (std::vector<int>{440, 880}));
    // Saved: the playlist with the third song current.
    const std::vector<std::string> pl1 = fs::ReadLines(app.FilePath("sort/PlayListMainPL1.tpl"));
    ASSERT_GE(pl1.size(), 4u);
    EXPECT_EQ(pl1[2], "3") << "the third song is the current one";
}

}  // namespace
}  // namespace tarvel::testing

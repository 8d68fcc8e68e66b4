// The real player under a private X server, driven with real clicks and keys at the layout's
// places; what counts is what a user gets: the sound written, the files saved, the exit code.
#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <filesystem>
#include <map>

#include "e2e/e2e_support.h"
#include "platform/fs/line_file.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

// A player on its own X server with PL1 holding three 4-second tones, started without auto play.
class PlayerJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    void SetUp() override {
        app.WriteSettings({kWithoutAutoPlay});
        songs = app.WriteTonePl1({440, 660, 880}, 4);
        StartPlayer();
    }

    std::vector<std::string> songs;
};

TEST_F(PlayerJourney, PlayButtonPlaysTheSongsInOrderAndTheHotkeySkips) {
    const XSession::Geometry shown = x.WindowGeometry(window);
    EXPECT_EQ(shown.width, 692);
    EXPECT_EQ(shown.height, 513);

    Click(controls::Main::ImgPlayPause);
    ASSERT_TRUE(x.WaitForShown("tone440", true, 10000)) << "the first song did not start";
    QThread::msleep(1500);
    x.Key("super+Right");
    ASSERT_TRUE(x.WaitForShown("tone660", true, 5000)) << "Super+Right did not skip";
    ASSERT_TRUE(x.WaitForShown("tone880", true, 15000)) << "the third song did not follow";
    ASSERT_TRUE(x.WaitForShown("^Tarvel$", true, 15000)) << "the playlist did not end";

    CloseAndExpectExit();

    const std::vector<ToneSegment> heard = ToneSegments(wav, {440, 660, 880});
    EXPECT_EQ(ToneOrder(heard, 0.6), (std::vector<int>{440, 660, 880}));
    std::map<int, double> seconds;
    for (const ToneSegment& s : heard) {
        seconds[s.hz] += s.seconds;
    }
    const double seconds_440 = seconds[440];
    const double seconds_660 = seconds[660];
    EXPECT_LT(seconds_440, 3.6) << "the skipped song played to its end";
    EXPECT_GT(seconds_660, 3.4) << "the second song was cut short";

    const std::vector<std::string> pl1 = fs::ReadLines(app.FilePath("sort/PlayListMainPL1.tpl"));
    for (const std::string& song : songs) {
        bool found = false;
        for (const std::string& line : pl1) {
            found = found || line.find(song) != std::string::npos;
        }
        EXPECT_TRUE(found) << song << " is not in the saved PL1";
    }
    const std::vector<std::string> conf = fs::ReadLines(app.FilePath("TvSysFile/conf.tcf"));
    ASSERT_EQ(conf.size(), 24u);
    EXPECT_EQ(conf[2], "Loading Player=Auto load PlayList Without auto play");
    EXPECT_EQ(conf[9], "Img2Pl1=TRUE");
}

TEST_F(PlayerJourney, SecondStartWhileRunningEndsAtOnceTouchingNothing) {
    const auto before = app.Snapshot();
    QProcess second;
    app.StartOnDisplay(second, x.Display(), app.FilePath("second.wav"));
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(player.state(), QProcess::Running);
    auto after = app.Snapshot();
    after.erase(app.FilePath("out.wav"));
    auto expected = before;
    expected.erase(app.FilePath("out.wav"));
    EXPECT_EQ(after, expected);

    CloseAndExpectExit();
}

TEST_F(PlayerJourney, SigtermWhilePlayingSavesLikeTheCloseButton) {
    Click(controls::Main::ImgPlayPause);
    ASSERT_TRUE(x.WaitForShown("tone440", true, 10000)) << "the first song did not start";
    QThread::msleep(1200);
    TerminateAndExpectCleanExit(player, 30000);

    // The playlist file keeps the song that played and where it was.
    const std::vector<std::string> pl1 = fs::ReadLines(app.FilePath("sort/PlayListMainPL1.tpl"));
    ASSERT_GE(pl1.size(), 4u);
    EXPECT_EQ(pl1[2], "1") << "current row";
    EXPECT_GT(std::stod(pl1[3]), 0.5) << "position";
    EXPECT_TRUE(std::filesystem::exists(app.FilePath("TvSysFile/conf.tcf")));
}

}  // namespace
}  // namespace tarvel::testing

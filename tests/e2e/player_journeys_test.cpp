// The real player under a private X server, driven with real clicks and keys at the layout's
// places; what counts is what a user gets: the sound written, the files saved, the exit code.
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <map>

#include "e2e/e2e_support.h"
#include "e2e/x_session.h"
#include "platform/fs/line_file.h"
#include "platform/winmsg/client.h"

namespace tarvel::testing {
namespace {

// Design places of the controls the journeys use (centres, client coordinates).
constexpr int kPlayX = 14 + 15, kPlayY = 462 + 15;
constexpr int kCloseX = 660 + 8, kCloseY = 10 + 8;

constexpr int kTones[] = {440, 660, 880};

// A player on its own X server with PL1 holding three 4-second tones, started without auto play.
class PlayerJourney : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        for (const int hz : kTones) {
            songs.push_back(MakeToneMp3(app.FilePath("music"), hz, 4));
        }
        app.WriteSettings({{3, "Loading Player=Auto load PlayList Without auto play"}});
        app.WritePl1(songs);
        wav = app.FilePath("out.wav");
        app.StartOnDisplay(player, x.Display(), wav);
        ASSERT_TRUE(app.WaitForWindows(player)) << "the player did not come up";
        window = x.FindWindow("^Tarvel$");
        ASSERT_NE(window, 0u) << "no visible main window";
    }

    void TearDown() override { EndIfRunning(player); }

    // Waits until the main window's title (the song while one plays) matches.
    bool WaitForTitle(const QString& pattern, int limit_ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < limit_ms) {
            QProcess search;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("DISPLAY", x.Display());
            search.setProcessEnvironment(env);
            search.start("xdotool", {"search", "--onlyvisible", "--name", pattern});
            search.waitForFinished(10000);
            if (search.exitCode() == 0) {
                return true;
            }
            QThread::msleep(100);
        }
        return false;
    }

    void ExpectEndsWith(int code) {
        ASSERT_TRUE(player.waitForFinished(30000)) << "the player did not end";
        EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(player.exitCode(), code);
    }

    XSession x;
    AppDirFixture app;
    std::vector<std::string> songs;
    std::string wav;
    QProcess player;
    unsigned long window = 0;
};

TEST_F(PlayerJourney, PlayButtonPlaysTheSongsInOrderAndTheHotkeySkips) {
    const XSession::Geometry shown = x.WindowGeometry(window);
    EXPECT_EQ(shown.width, 692);
    EXPECT_EQ(shown.height, 513);

    x.Click(window, kPlayX, kPlayY);
    ASSERT_TRUE(WaitForTitle("tone440", 10000)) << "the first song did not start";
    QThread::msleep(1500);
    x.Key("super+Right");
    ASSERT_TRUE(WaitForTitle("tone660", 5000)) << "Super+Right did not skip";
    ASSERT_TRUE(WaitForTitle("tone880", 15000)) << "the third song did not follow";
    ASSERT_TRUE(WaitForTitle("^Tarvel$", 15000)) << "the playlist did not end";

    x.Click(window, kCloseX, kCloseY);
    ExpectEndsWith(0);

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

    x.Click(window, kCloseX, kCloseY);
    ExpectEndsWith(0);
}

TEST_F(PlayerJourney, SigtermWhilePlayingSavesLikeTheCloseButton) {
    x.Click(window, kPlayX, kPlayY);
    ASSERT_TRUE(WaitForTitle("tone440", 10000)) << "the first song did not start";
    QThread::msleep(1200);
    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    ExpectEndsWith(0);

    // The playlist file keeps the song that played and where it was.
    const std::vector<std::string> pl1 = fs::ReadLines(app.FilePath("sort/PlayListMainPL1.tpl"));
    ASSERT_GE(pl1.size(), 4u);
    EXPECT_EQ(pl1[2], "1") << "current row";
    EXPECT_GT(std::stod(pl1[3]), 0.5) << "position";
    EXPECT_TRUE(std::filesystem::exists(app.FilePath("TvSysFile/conf.tcf")));
}

}  // namespace
}  // namespace tarvel::testing

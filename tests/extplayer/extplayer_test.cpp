// The stand-in external player as a real process, driven the way Tarvel drives it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "external/apollo_command.h"
#include "external/apollo_handover.h"
#include "external/apollo_lifecycle.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/system/fake_system_services.h"
#include "platform/winmsg/client.h"
#include "sound_support/sound_fixtures.h"
#include "support/program_exit.h"
#include "support/temp_dir.h"

namespace tarvel::external {
namespace {

using tarvel::testing::CloseAndExpectCleanExit;
using tarvel::testing::ExpectCleanExit;
using tarvel::testing::SoundData;
using tarvel::testing::TempDir;
using tarvel::testing::WriteBytes;

// Polls a condition of the other process until it holds or ten seconds pass.
template <typename Condition>
bool Eventually(Condition condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 10000) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

class ExtPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("TARVEL_WINDOWS_DIR", (dir_ / "windows").c_str(), 1);
        // The player runs from a folder of its own, so its plug-in folder is the test's.
        program_ = dir_ / "Apollo/extplayer";
        std::filesystem::create_directories(dir_ / "Apollo");
        std::filesystem::copy_file(TARVEL_DIST_DIR "/extplayer", program_);
    }
    void TearDown() override {
        if (player_.state() != QProcess::NotRunning) {
            End(Ending::Close);
        }
        ::unsetenv("TARVEL_WINDOWS_DIR");
    }

    enum class Ending { Close, Terminate };
    // Ends the player as Tarvel does (WM_CLOSE) or as the desktop session does (SIGTERM); it
    // must end by itself with exit code 0.
    void End(Ending how) {
        if (how == Ending::Close) {
            CloseAndExpectCleanExit(player_, winmsg::FindWindowByClass(kApolloClass));
        } else {
            ::kill(static_cast<pid_t>(player_.processId()), SIGTERM);
            ExpectCleanExit(player_);
        }
    }

    void Start(const std::string& cd_image = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TARVEL_AUDIO", "null");
        env.insert("TARVEL_EXTPLAYER_LOG", QString::fromStdString(Log()));
        env.insert("TARVEL_CD", QString::fromStdString(cd_image));
        player_.setProcessEnvironment(env);
        player_.setProcessChannelMode(QProcess::ForwardedChannels);
        player_.start(QString::fromStdString(program_), {});
        ASSERT_TRUE(Eventually([] { return ApolloRunning(); })) << "the player did not come up";
    }

    std::string Log() const { return dir_ / "received.log"; }
    std::vector<std::string> Received() const {
        return fs::FileExists(Log()) ? fs::ReadLines(Log()) : std::vector<std::string>{};
    }

    TempDir dir_;
    std::string program_;
    QProcess player_;
};

TEST_F(ExtPlayer, EveryCommandDoesWhatItsNumberSays) {
    Start();
    const std::string song = SoundData("tone_1k_2s.mp3");  // 2 000 ms
    EXPECT_EQ(ApolloCommand(1, 0), 0) << "nothing loaded: stopped";
    EXPECT_EQ(ApolloCommand(19, 0), 0);

    EXPECT_EQ(SendFileToApollo(song), 1);
    EXPECT_EQ(ApolloCommand(1, 0), 1);
    EXPECT_TRUE(Eventually([] { return ApolloCommand(19, 0) > 0; })) << "the position advances";

    ApolloCommand(13, 0);
    EXPECT_EQ(ApolloCommand(1, 0), 2);
    const int32_t held = ApolloCommand(19, 0);
    QThread::msleep(150);
    EXPECT_EQ(ApolloCommand(19, 0), held) << "a paused song holds its position";
    ApolloCommand(18, 700);
    EXPECT_EQ(ApolloCommand(19, 0), 700) << "a seek lands to the millisecond";
    ApolloCommand(13, 0);
    EXPECT_EQ(ApolloCommand(1, 0), 1);
    EXPECT_EQ(ApolloCommand(20, 32768), 0);

    ApolloCommand(11, 0);
    EXPECT_EQ(ApolloCommand(1, 0), 0);
    EXPECT_EQ(ApolloCommand(19, 0), 0);
    EXPECT_EQ(SendFileToApollo(song), 1);
    ApolloCommand(9, 0);
    EXPECT_EQ(ApolloCommand(1, 0), 0);

    // Played to its end, the song reads as stopped.
    EXPECT_EQ(SendFileToApollo(song), 1);
    ApolloCommand(18, 1900);
    EXPECT_TRUE(Eventually([] { return ApolloCommand(1, 0) == 0; }));

    // A file it cannot play: nothing plays.
    WriteBytes(dir_ / "text.mp3", "this is not an MP3 file at all\n");
    EXPECT_EQ(SendFileToApollo(dir_ / "text.mp3"), 0);
    EXPECT_EQ(SendFileToApollo(dir_ / "missing.mp3"), 0);
    EXPECT_EQ(ApolloCommand(1, 0), 0);
    EXPECT_EQ(ApolloCommand(42, 1), 0) << "an unknown command answers 0";

    EXPECT_THAT(Received(),
                ::testing::ElementsAre("copydata 2 " + song, "cmd 13 0", "cmd 18 700", "cmd 13 0",
                                       "cmd 20 32768", "cmd 11 0", "copydata 2 " + song, "cmd 9 0",
                                       "copydata 2 " + song, "cmd 18 1900",
                                       "copydata 2 " + (dir_ / "text.mp3"),
                                       "copydata 2 " + (dir_ / "missing.mp3"), "cmd 42 1"));
}

TEST_F(ExtPlayer, EndsWithExitCodeZeroWhateverItWasDoing) {
    const std::string song = SoundData("tone_1k_2s.mp3");
    struct Case {
        const char* state;
        std::function<void()> bring_about;
    };
    const Case cases[] = {
        {"nothing handed over", [] {}},
        {"playing", [&] { EXPECT_EQ(SendFileToApollo(song), 1); }},
        {"paused",
         [&] {
             SendFileToApollo(song);
             ApolloCommand(13, 0);
             EXPECT_EQ(ApolloCommand(1, 0), 2);
         }},
        {"stopped",
         [&] {
             SendFileToApollo(song);
             ApolloCommand(11, 0);
             EXPECT_EQ(ApolloCommand(1, 0), 0);
         }},
        {"after the song's end",
         [&] {
             SendFileToApollo(song);
             ApolloCommand(18, 1900);
             EXPECT_TRUE(Eventually([] { return ApolloCommand(1, 0) == 0; }));
         }},
    };
    for (const Case& c : cases) {
        for (const Ending how : {Ending::Close, Ending::Terminate}) {
            SCOPED_TRACE(std::string(c.state) +
                         (how == Ending::Close ? ", by WM_CLOSE" : ", by SIGTERM"));
            Start();
            c.bring_about();
            End(how);
        }
    }
}

TEST_F(ExtPlayer, AHandOverResumingPausedLandsOnThePosition) {
    Start();
    const std::string song = SoundData("tone_1k_2s.mp3");
    std::vector<int> waits;
    HandOverFile(song, 1450, PlayCommand::Pause, 100, [&](int ms) { waits.push_back(ms); });
    EXPECT_EQ(ApolloCommand(1, 0), 2);
    // The player runs in real time between the seek and the pause, as any real player would.
    EXPECT_GE(ApolloCommand(19, 0), 1450);
    EXPECT_LT(ApolloCommand(19, 0), 1450 + 250);
    EXPECT_EQ(Received(), (std::vector<std::string>{"cmd 11 0", "cmd 20 0", "copydata 2 " + song,
                                                    "cmd 18 1450", "cmd 13 0", "cmd 20 8500"}));
    EXPECT_EQ(waits, std::vector<int>{400});

    HandOverFile(song, 0, PlayCommand::Play, 771, [&](int ms) { waits.push_back(ms); });
    EXPECT_EQ(ApolloCommand(1, 0), 1);
    EXPECT_LT(ApolloCommand(19, 0), 1450) << "played from the start";
}

TEST_F(ExtPlayer, CdTracksPlayOnlyWithTheReaderPlugInBesideIt) {
    const std::string cue = tarvel::testing::WriteCueBin(dir_.path());
    Start(cue);
    const std::string track2 = cue + "/Track02.cda";
    EXPECT_EQ(SendFileToApollo(track2), 0) << "no plug-in: CD tracks are unknown";
    EXPECT_EQ(ApolloCommand(1, 0), 0);

    WriteBytes(dir_ / "Apollo/Plug-ins/CDReader.dll", "reader");
    EXPECT_EQ(SendFileToApollo(track2), 1);
    EXPECT_EQ(ApolloCommand(1, 0), 1);
    ApolloCommand(18, 900);  // track 2 lasts 1 s
    EXPECT_TRUE(Eventually([] { return ApolloCommand(1, 0) == 0; }));
}

TEST_F(ExtPlayer, InstallingThePlugInClosesThePlayerAndStartsItAgain) {
    Start();
    WriteBytes(dir_ / "app/ForApollo/CDReader.dll", "reader");
    system::FakeSystemServices services;
    CdPluginContext context{true, true, program_, dir_ / "app", &services, [](int) {}, {}};
    EnsureCdReaderPlugin(false, context);
    ExpectCleanExit(player_);  // WM_CLOSE ends the player
    EXPECT_TRUE(fs::FileExists(dir_ / "Apollo/Plug-ins/CDReader.dll"));
    EXPECT_EQ(services.Calls(), std::vector<std::string>{"StartProgram\t" + program_ + "\t6"});
    EXPECT_EQ(Received(), (std::vector<std::string>{"cmd 9 0", "close"}));
}

TEST_F(ExtPlayer, TheEqualizerKeysOpenAndCloseItsGraphicEqualizer) {
    Start();
    const auto has_equalizer = [] { return winmsg::FindWindowByTitle(kApolloEqualizerTitle); };
    const auto apollo = winmsg::FindWindowByClass(kApolloClass);
    ASSERT_TRUE(apollo);
    winmsg::PostMessage(*apollo, winmsg::WM_KEYDOWN, 0x45, 0x4C);
    EXPECT_TRUE(Eventually([&] { return has_equalizer().has_value(); }));
    winmsg::PostMessage(*has_equalizer(), winmsg::WM_KEYDOWN, 0x1B, 0x01);
    EXPECT_TRUE(Eventually([&] { return !has_equalizer(); }));

    // The equalizer button: Escape to the open equalizer, then "e" to the player, handled in
    // that order, so the equalizer ends up open again.
    winmsg::PostMessage(*apollo, winmsg::WM_KEYDOWN, 0x45, 0x4C);
    ASSERT_TRUE(Eventually([&] { return has_equalizer().has_value(); }));
    OpenApolloEqualizer();
    EXPECT_TRUE(Eventually([&] { return Received().size() == 5; }));
    EXPECT_TRUE(Eventually([&] { return has_equalizer().has_value(); }));
    EXPECT_EQ(Received(), (std::vector<std::string>{"key 69 76", "eq 256 27 1", "key 69 76",
                                                    "eq 256 27 1", "key 69 76"}));

    End(Ending::Close);
    EXPECT_FALSE(ApolloRunning());
}

}  // namespace
}  // namespace tarvel::external

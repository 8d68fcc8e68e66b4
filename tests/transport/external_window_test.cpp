// The external player chosen while its window is missing, or not open yet after the program
// started it: the playlist never runs on into the silence.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>

#include "external/apollo_command.h"
#include "platform/system/system_services.h"
#include "transport/transport_rig.h"

namespace tarvel::testing {
namespace {

using config::Item;

// Three two-second songs, with the shutdown after the end of the playlist asked for.
void LoadPlaylistWithShutdown(TransportRig& rig) {
    const std::string folder = rig.dir.path();
    rig.Load({SongRow("A", "One", LongSine(folder, 440, 2), 2000),
              SongRow("B", "Two", LongSine(folder, 660, 2), 2000),
              SongRow("C", "Three", LongSine(folder, 880, 2), 2000)});
    rig.settings.Check(Item::Afterendplaylist1);
}

// The texts the general error report showed.
std::vector<std::string> Reported(const TransportRig& rig) {
    std::vector<std::string> texts;
    for (const std::string& call : rig.services.Calls()) {
        if (call.starts_with("MessageBox\t")) {
            texts.push_back(call);
        }
    }
    return texts;
}

std::string ReportOf(const char* text) {
    return std::string("MessageBox\tTarvel\t") + text + "\tOk";
}

void Play(TransportRig& rig) {
    system::RunReported(rig.services, [&rig] { rig.transport.PlayPauseButton(); });
}

// After the stop: no song, nothing polled, nothing ended, no shutdown.
void ExpectStoppedWhereItWas(TransportRig& rig) {
    EXPECT_EQ(rig.Work().Current, 0);
    EXPECT_FALSE(rig.timers.timer1);
    EXPECT_EQ(rig.display.app_title, "Tarvel");
    EXPECT_EQ(rig.shutdowns, 0) << "the end of the playlist was never reached";
}

TEST(ExternalPlayerWindow, NoWindowSaysSoOnceAndStopsInsteadOfRunningThroughThePlaylist) {
    TransportRig rig(Engine::External);
    LoadPlaylistWithShutdown(rig);
    Play(rig);
    rig.Run(3000);
    EXPECT_EQ(Reported(rig),
              std::vector<std::string>{ReportOf(transport::Transport::kNoExternalPlayer)});
    ExpectStoppedWhereItWas(rig);

    // A window that goes away while a song plays: the same, at the next tick.
    rig.StartExternalPlayer();
    Play(rig);
    rig.Run(600);
    ASSERT_EQ(rig.Work().PlayState, 1);
    // Gone between two ticks (the rig's clock stands while it goes).
    external::CloseApollo();
    QElapsedTimer waited;
    waited.start();
    while (external::ApolloRunning() && waited.elapsed() < 10000) {
        QThread::msleep(20);
    }
    ASSERT_FALSE(external::ApolloRunning());
    rig.Run(3000);
    EXPECT_EQ(Reported(rig),
              std::vector<std::string>(2, ReportOf(transport::Transport::kNoExternalPlayer)));
    ExpectStoppedWhereItWas(rig);
}

TEST(ExternalPlayerWindow, APlayerJustStartedIsWaitedForThenGetsTheSong) {
    TransportRig rig(Engine::Bass);
    const std::string program = rig.InstallExternalPlayer();
    LoadPlaylistWithShutdown(rig);
    rig.transport.ApolloClick();  // starts it (the fake start starts nothing)
    ASSERT_EQ(rig.services.Calls(), std::vector<std::string>{"StartProgram\t" + program + "\t9"});
    Play(rig);
    rig.Run(2000);
    EXPECT_TRUE(Reported(rig).empty());
    EXPECT_EQ(rig.Work().Current, 1) << "the first song waits for the player";
    EXPECT_TRUE(rig.timers.timer1);

    // The window opens (later than the fake start said): the song is handed over at the next
    // tick, with the volume that went nowhere before.
    rig.StartExternalPlayer();
    rig.Run(400);
    const std::string song = rig.Work().Rows[1][library::kPath];
    EXPECT_EQ(rig.ExternalLog(),
              (std::vector<std::string>{"cmd 20 65535", "cmd 11 0", "copydata 2 " + song}));
    rig.Run(400);
    EXPECT_EQ(rig.Work().PlayState, 1);
    EXPECT_EQ(rig.Work().Current, 1);
    EXPECT_TRUE(Reported(rig).empty());
}

TEST(ExternalPlayerWindow, AStartedPlayerWhoseWindowNeverOpensIsGivenUpAfterFiveSeconds) {
    TransportRig rig(Engine::Bass);
    rig.InstallExternalPlayer();
    LoadPlaylistWithShutdown(rig);
    rig.transport.ApolloClick();
    Play(rig);
    rig.Run(4800);
    EXPECT_TRUE(Reported(rig).empty());
    EXPECT_EQ(rig.Work().Current, 1);
    ASSERT_TRUE(rig.RunUntil([&rig] { return !Reported(rig).empty(); }, 1000));
    rig.Run(3000);
    EXPECT_EQ(Reported(rig),
              std::vector<std::string>{ReportOf(transport::Transport::kExternalPlayerDidNotOpen)});
    ExpectStoppedWhereItWas(rig);
}

}  // namespace
}  // namespace tarvel::testing

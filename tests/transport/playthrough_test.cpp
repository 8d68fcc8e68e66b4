// A playlist played on each engine as the app's timers drive it, with time moved by the test.

#include <gtest/gtest.h>

#include "external/apollo_command.h"
#include "sound_support/shared_manual.h"
#include "sound_support/sound_fixtures.h"
#include "transport/transport_rig.h"

namespace tarvel::testing {
namespace {

using playlists::PlayCommand;

std::string TransportData(const std::string& name) {
    return std::string(TARVEL_TEST_DATA_DIR) + "/transport/" + name;
}

std::vector<std::vector<std::string>> ThreeSongs() {
    return {SongRow("Alpha", "One", TransportData("song_440.mp3"), 1000),
            SongRow("Beta", "Two", TransportData("song_660.mp3"), 1000),
            SongRow("Gamma", "Three", TransportData("song_880.mp3"), 1000)};
}

class PlayThrough : public ::testing::TestWithParam<Engine> {};

TEST_P(PlayThrough, AThreeSongPlaylistPlaysToItsEndAndStops) {
    TransportRig rig(GetParam());
    if (GetParam() == Engine::External) {
        rig.StartExternalPlayer();
    }
    rig.Load(ThreeSongs());
    rig.transport.PlayPauseButton();  // PositionMs is 0: from the start
    ASSERT_EQ(rig.Work().Current, 1);
    EXPECT_EQ(rig.transport.Title().Text(),
              "Alpha - Album - One - 2001 - 64 kbps - 00:01 - Stereo");
    EXPECT_EQ(rig.display.button, transport::kPlayingLook);
    EXPECT_TRUE(rig.timers.timer1);
    EXPECT_EQ(rig.timers.module_timer, GetParam() == Engine::Fmod);

    // Each song is heard in turn: its pitch is measured 400 ms into it.
    const double pitches[] = {440, 660, 880};
    std::vector<int> seen;  // the rows Timer1 moved through
    const auto at_row = [&](int row) {
        if (seen.empty() || seen.back() != rig.Work().Current) {
            seen.push_back(rig.Work().Current);
        }
        return rig.Work().Current == row;
    };
    for (int row = 1; row <= 3; ++row) {
        ASSERT_TRUE(rig.RunUntil([&] { return at_row(row); })) << "row " << row;
        rig.Run(400);
        EXPECT_EQ(rig.list5.marked, row - 1);
        EXPECT_EQ(rig.display.app_title.substr(0, rig.Work().SongCaption.size()),
                  rig.Work().SongCaption);
        if (GetParam() != Engine::External) {
            rig.out->ClearCaptured();
            rig.AdvanceSound(200);
            const auto& sound = rig.out->Captured();
            EXPECT_NEAR(ZeroCrossingHz(sound, 0, sound.size() / 2, 44100), pitches[row - 1], 10)
                << "row " << row;
        }
    }
    ASSERT_TRUE(rig.RunUntil([&] { return at_row(0); }, 5000));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0}));

    // The end of the playlist: stopped, everything back to the idle state.
    EXPECT_EQ(rig.transport.Title().Text(), "Tarvel 1.0 Beta 7");
    EXPECT_EQ(rig.display.app_title, "Tarvel");
    EXPECT_EQ(rig.display.button, transport::kIdleLook);
    EXPECT_FALSE(rig.timers.timer1);
    EXPECT_FALSE(rig.timers.module_timer);
    EXPECT_EQ(rig.display.Main(), 0);
    EXPECT_EQ(rig.display.Mini(), 0);
    EXPECT_EQ(rig.display.song_time, "00:00/00:00");
    EXPECT_EQ(rig.display.playlist_time, "00:00/00:00") << "no load: the stopped total is 00:00";
    EXPECT_EQ(rig.list5.marked, -2);
    rig.Run(1000);
    EXPECT_EQ(rig.Work().PlayState, 0) << "Timer2 holds the state at 0 once both timers are off";
    EXPECT_EQ(rig.Work().Current, 0);
    if (GetParam() == Engine::External) {
        const std::vector<std::string> log = rig.ExternalLog();
        ASSERT_GE(log.size(), 6u);
        EXPECT_EQ(log[0], "cmd 11 0");
        EXPECT_EQ(log[1], "copydata 2 " + TransportData("song_440.mp3"));
        EXPECT_EQ(log[3], "copydata 2 " + TransportData("song_660.mp3"));
        EXPECT_EQ(log[5], "copydata 2 " + TransportData("song_880.mp3"));
        EXPECT_EQ(log.back(), "cmd 11 0") << "the end of the playlist stops the player";
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, PlayThrough,
                         ::testing::Values(Engine::Fmod, Engine::Bass, Engine::External),
                         [](const auto& info) { return EngineName(info.param); });

// Starting paused at a stored position lands where each engine can: FMOD to the millisecond,
// BASS in whole seconds, the external player to the millisecond; nothing sounds.
class PausedAtPosition : public ::testing::TestWithParam<Engine> {};

TEST_P(PausedAtPosition, StartsPausedWhereTheEngineCanSeek) {
    TransportRig rig(GetParam());
    if (GetParam() == Engine::External) {
        rig.StartExternalPlayer();
    }
    const std::string song = LongSine(rig.dir.path(), 440, 90);
    rig.Load({SongRow("Long", "Song", song, 90000)});
    rig.Work().Current = 1;
    rig.Work().PositionMs = 83450;
    rig.transport.PlayCurrent(PlayCommand::Pause);
    EXPECT_EQ(rig.display.Main(), 83);
    EXPECT_EQ(rig.display.position_maximum, 90);

    rig.Run(1000);
    EXPECT_EQ(rig.Work().PlayState, 2);
    switch (GetParam()) {
        case Engine::Fmod:
            EXPECT_EQ(rig.fmod.FmodGetTime(""), 83450);
            EXPECT_EQ(rig.Work().PositionMs, 83450);
            break;
        case Engine::Bass:
            EXPECT_EQ(rig.bass->GetPosition(), 83);
            EXPECT_EQ(rig.Work().PositionMs, 83000);
            break;
        case Engine::External:
            EXPECT_EQ(external::ApolloCommand(19, 0), 83450);
            EXPECT_EQ(rig.Work().PositionMs, 83450);
            EXPECT_EQ(rig.ExternalLog(),
                      (std::vector<std::string>{"cmd 11 0", "cmd 20 0", "copydata 2 " + song,
                                                "cmd 18 83450", "cmd 13 0", "cmd 20 65535"}));
            EXPECT_EQ(rig.waits, std::vector<int>{400});
            break;
    }
    if (GetParam() != Engine::External) {
        EXPECT_EQ(NextLevel(*rig.out, 200), 0.0) << "a paused song is silent";
    }
    EXPECT_EQ(rig.list5.mark_mode, "Pause");

    // Play/Pause resumes from there.
    rig.transport.PlayPauseButton();
    EXPECT_EQ(rig.display.button, transport::kPlayingLook);
    rig.Run(400);
    EXPECT_EQ(rig.Work().PlayState, 1);
    EXPECT_EQ(rig.list5.mark_mode, "Play");
    if (GetParam() == Engine::Fmod) {
        EXPECT_EQ(rig.Work().PositionMs, 83850);
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, PausedAtPosition,
                         ::testing::Values(Engine::Fmod, Engine::Bass, Engine::External),
                         [](const auto& info) { return EngineName(info.param); });

}  // namespace
}  // namespace tarvel::testing

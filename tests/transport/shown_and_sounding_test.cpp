// What sounds and what the player shows must agree, with the timers running: a stopped player
// never starts a song or ends its playlist by itself, stopping silences whatever the engine
// plays, and a playlist shown without a current song leaves nothing playing.

#include <gtest/gtest.h>

#include "platform/fs/file_ops.h"
#include "playlists/playlist_file.h"
#include "sound_support/shared_manual.h"
#include "transport/transport_rig.h"

namespace tarvel::testing {
namespace {

using config::Item;
using playlists::Playlist;

// Three 30 s sines: long enough that nothing ends on its own during a test.
std::vector<std::vector<std::string>> ThreeSines(const std::string& folder) {
    return {SongRow("A", "One", LongSine(folder, 440, 30), 30000),
            SongRow("B", "Two", LongSine(folder, 660, 30), 30000),
            SongRow("C", "Three", LongSine(folder, 880, 30), 30000)};
}

class ShownAndSounding : public ::testing::TestWithParam<Engine> {};

TEST_P(ShownAndSounding, AStoppedPlayerNeverStartsASongOrEndsItsPlaylistByItself) {
    // Each operation runs on a stopped player with three rows; "After end playlist" is checked,
    // so an end-of-playlist branch run by an idle tick would shut the computer down.
    struct Case {
        const char* name;
        int current;  // the stopped player's current row
        void (*operation)(TransportRig& rig);
        int current_after;
        int count_after;
    };
    const Case cases[] = {
        {"clear", 0, [](TransportRig& rig) { rig.model.ClearPlaylist(); }, 0, 0},
        {"shuffle from the active artist with none chosen", 0,
         [](TransportRig& rig) {
             rig.settings.Check(Item::mShuffActArt);
             rig.model.ShuffleClick({});
         },
         0, 3},
        {"shuffle from a library that does not exist, stopped on the last row", 3,
         [](TransportRig& rig) {
             rig.settings.Check(Item::mShuffLib);
             rig.settings.AllPs = 50;
             rig.model.ShuffleClick({});
         },
         3, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TransportRig rig(GetParam());
        rig.settings.Check(Item::Afterendplaylist1);
        rig.Load(ThreeSines(rig.dir.path()));
        rig.Work().Current = c.current;
        c.operation(rig);
        rig.Run(1000);

        EXPECT_EQ(rig.shutdowns, 0);
        EXPECT_FALSE(rig.timers.timer1) << "a stopped player is not polled";
        EXPECT_EQ(rig.Work().Current, c.current_after);
        EXPECT_EQ(rig.Work().Count, c.count_after);
        EXPECT_EQ(rig.transport.Title().Text(), "Tarvel 1.0 Beta 7");
        EXPECT_EQ(rig.display.app_title, "Tarvel");
        EXPECT_EQ(NextLevel(*rig.out, 200), 0.0) << "nothing sounds";
        // The change's undo copy is still the playlist before it, and Undo brings it back.
        EXPECT_EQ(rig.model.Working().Undo.Count, 3);
        rig.model.UndoPlaylistChange();
        EXPECT_EQ(rig.Work().Count, 3);
    }
}

TEST_P(ShownAndSounding, AfterLoadPlaylistASlotWithoutACurrentSongPlaysNothing) {
    TransportRig rig(GetParam());
    // A folder of saved playlists: PL1 stands on its first song, PL2 has songs but none current.
    const std::string folder = rig.dir / "saved";
    fs::CreateDirectories(folder + "/sort");
    playlists::TPlayMasiv pl1, pl2;
    pl1.Work.Rows = Table(ThreeSines(rig.dir.path()));
    pl1.Work.Count = 3;
    pl1.Work.Current = 1;
    pl2.Work.Rows = pl1.Work.Rows;
    pl2.Work.Count = 3;
    playlists::WritePlaylistFile(pl1, playlists::StandardPlaylistPath(folder, Playlist::PL1));
    playlists::WritePlaylistFile(pl2, playlists::StandardPlaylistPath(folder, Playlist::PL2));

    ASSERT_TRUE(rig.settings.Checked(Item::Autoloadplayer1));
    rig.model.LoadPlaylistsFrom(folder);
    rig.Run(400);
    ASSERT_EQ(rig.Work().PlayState, 1) << "PL1's song plays after the load";
    ASSERT_GT(NextLevel(*rig.out, 200), 0.1);

    rig.model.SwitchPlaylist(Playlist::PL2);
    rig.Run(1000);
    EXPECT_EQ(rig.Work().Current, 0);
    EXPECT_EQ(rig.Work().Count, 3);
    EXPECT_EQ(rig.Work().PlayState, 0);
    EXPECT_EQ(rig.Work().PositionMs, 0) << "PL1's song is not polled into PL2";
    EXPECT_FALSE(rig.timers.timer1);
    EXPECT_EQ(rig.display.button, transport::kIdleLook);
    EXPECT_EQ(NextLevel(*rig.out, 200), 0.0) << "PL1's song no longer sounds";

    // PL1 was left playing and plays again when it is shown.
    rig.model.SwitchPlaylist(Playlist::PL1);
    rig.Run(400);
    EXPECT_EQ(rig.Work().PlayState, 1);
    EXPECT_GT(NextLevel(*rig.out, 200), 0.1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ShownAndSounding, ::testing::Values(Engine::Fmod, Engine::Bass),
                         [](const auto& info) { return EngineName(info.param); });

TEST(ShownAndSoundingFmod, ShowingAStoppedCdPlaylistStopsTheFileOfThePlaylistLeft) {
    TransportRig rig(Engine::Fmod);
    rig.Load(ThreeSines(rig.dir.path()));
    rig.transport.PlayFromStart();
    rig.Run(600);
    ASSERT_GT(rig.fmod.FmodGetTime(""), 0);

    // The CD playlist is stopped but keeps its current track; there is no disc to rebuild it
    // from, so it is shown as it was.
    playlists::TMasPLayList& cd = rig.model.Slots()[Playlist::CD].Work;
    cd.Rows = Table({SongRow("", "Track 1", "/dev/cd/Track01.cda", 60000),
                     SongRow("", "Track 2", "/dev/cd/Track02.cda", 60000)});
    for (int row = 1; row <= 2; ++row) {
        cd.Rows[static_cast<size_t>(row)][library::kGenre] = "CD";
    }
    cd.Count = 2;
    cd.Current = 2;
    cd.PlayState = 0;
    rig.model.SwitchPlaylist(Playlist::CD);

    EXPECT_EQ(rig.display.button, transport::kIdleLook);
    EXPECT_EQ(rig.Work().Current, 0);
    const int32_t stopped_at = rig.fmod.FmodGetTime("");
    rig.Run(1000);
    EXPECT_EQ(rig.fmod.FmodGetTime(""), stopped_at) << "the file no longer moves on";
    EXPECT_EQ(NextLevel(*rig.out, 200), 0.0) << "and is not heard";
}

}  // namespace
}  // namespace tarvel::testing

#include <gtest/gtest.h>

#include "playlist_rig.h"

namespace tarvel::testing {
namespace {

using config::Item;

TEST(PlaylistTabs, PressPositionChoosesThePlaylist) {
    const struct {
        int x;
        Playlist expected;
    } cases[] = {{0, Playlist::PL1}, {36, Playlist::PL1}, {37, Playlist::CD},
                 {72, Playlist::CD}, {73, Playlist::PL2}, {108, Playlist::PL2}};
    for (const auto& c : cases) {
        EXPECT_EQ(playlists::TabAt(c.x, 109), c.expected) << c.x;
    }
}

TEST(PlaylistTabs, SwitchingAwayAndBackResumesAndStoppedStaysStopped) {
    PlaylistRig rig;
    auto& slots = rig.model.Slots();
    slots[Playlist::PL2].Work.Rows = NumberedSongs(3, "Two");
    slots[Playlist::PL2].Work.Count = 3;
    slots[Playlist::PL2].Work.Current = 2;  // stopped: a current row but play state 0
    rig.SetWork(NumberedSongs(4, "One"), 3, 0, 1);
    rig.model.Work().PositionMs = 61234;  // as the transport's timer left it

    rig.model.TabMouseDown(100, 109);
    EXPECT_EQ(rig.settings.ShownPlaylist(), Playlist::PL2);
    EXPECT_EQ(rig.display.tabs.back(), Playlist::PL2);
    EXPECT_EQ(rig.model.Work().Rows[1][library::kArtist], "Two");
    EXPECT_EQ(rig.model.Work().Current, 0);
    EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"StopPlay true"}));
    EXPECT_EQ(rig.list5.items.size(), 3u);
    EXPECT_EQ(slots[Playlist::PL1].Work.PositionMs, 61234);

    rig.model.SwitchPlaylist(Playlist::PL1);
    EXPECT_EQ(rig.model.Work().Rows[1][library::kArtist], "One");
    EXPECT_EQ(rig.transport.calls.back(), "PlayCurrent Play row=3 at=61234");
    EXPECT_EQ(rig.list5.items.size(), 4u);
    EXPECT_EQ(rig.list5.marked, 2);

    // PL2 was left stopped: it comes back with no current song.
    rig.model.SwitchPlaylist(Playlist::PL2);
    EXPECT_EQ(rig.model.Work().Current, 0);
    EXPECT_EQ(rig.transport.calls.back(), "StopPlay true");
}

TEST(PlaylistTabs, PausedPlaylistComesBackPausedAndTheShownTabExchangesNothing) {
    PlaylistRig rig;
    auto& slots = rig.model.Slots();
    slots[Playlist::PL2].Work.Rows = NumberedSongs(3, "Two");
    slots[Playlist::PL2].Work.Count = 3;
    slots[Playlist::PL2].Work.Current = 2;
    slots[Playlist::PL2].Work.PositionMs = 83450;
    slots[Playlist::PL2].Work.PlayState = 2;
    rig.SetWork(NumberedSongs(4, "One"), 1, 0, 1);

    rig.model.SwitchPlaylist(Playlist::PL1);
    EXPECT_TRUE(rig.transport.calls.empty());
    EXPECT_EQ(rig.model.Work().Rows[1][library::kArtist], "One");
    EXPECT_EQ(rig.display.tabs.back(), Playlist::PL1);

    rig.model.SwitchPlaylist(Playlist::PL2);
    EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"PlayCurrent Pause row=2 at=83450"}));
    EXPECT_TRUE(rig.engines.calls.empty());
}

TEST(PlaylistTabs, LeavingTheCdStopsTheCdEngines) {
    PlaylistRig rig;
    rig.settings.Check(Item::mFmod);
    rig.engines.disc = {100000};
    rig.model.SwitchPlaylist(Playlist::CD);
    EXPECT_EQ(rig.engines.calls, (std::vector<std::string>{"EnsureCdReaderPlugin"}));
    EXPECT_EQ(rig.model.Work().Count, 1);  // built into the slot, then taken
    rig.engines.calls.clear();

    rig.model.SwitchPlaylist(Playlist::PL2);
    EXPECT_EQ(rig.engines.calls,
              (std::vector<std::string>{"FmodStop CD", "ApolloCommand 11 0", "ApolloCommand 9 0"}));
    rig.engines.calls.clear();
    rig.settings.Check(Item::mBass);
    rig.model.SwitchPlaylist(Playlist::CD);
    rig.engines.calls.clear();
    rig.model.SwitchPlaylist(Playlist::PL1);
    EXPECT_EQ(rig.engines.calls,
              (std::vector<std::string>{"ApolloCommand 11 0", "ApolloCommand 9 0"}));
}

TEST(CdPlaylist, RowsAndSignatureComeFromTheDisc) {
    PlaylistRig rig;
    rig.engines.disc = {245360, 198400, 1000, 1000, 1000, 1000, 61000, 1000, 1000, 1000, 1000, 5};
    auto& cd = rig.model.Slots()[Playlist::CD];
    cd.Work.Rows = NumberedSongs(1, "Old");  // cells 0 and 1 are left as they were
    cd.Work.Count = 1;
    cd.Work.Current = 1;
    cd.Work.PlayState = 1;
    rig.model.BuildCdPlaylist(cd);

    EXPECT_EQ(rig.settings.CDinf, "245.36-198.4-1-1-1-1-61-1-1-1-1-0.005-");
    EXPECT_EQ(cd.Work.Count, 12);
    EXPECT_EQ(cd.Work.Current, 0);
    EXPECT_EQ(cd.Work.PlayState, 0);
    const auto& row1 = cd.Work.Rows[1];
    EXPECT_EQ(row1[library::kArtist], "Old");
    EXPECT_EQ(row1[library::kTitle], "Track 1 - 04:05");
    EXPECT_EQ(row1[library::kYear], "0");
    EXPECT_EQ(row1[library::kGenre], "CD");
    EXPECT_EQ(row1[library::kTrack], "1");
    EXPECT_EQ(row1[library::kBitRate], "0");
    EXPECT_EQ(row1[library::kDuration], "245360");
    EXPECT_EQ(row1[library::kSampleRate], "0");
    EXPECT_EQ(row1[library::kChannelMode], "");
    EXPECT_EQ(cd.Work.Rows[3][library::kPath], "/dev/sr0/Track03.cda");
    EXPECT_EQ(cd.Work.Rows[7][library::kPath], "/dev/sr0/Track07.cda");
    EXPECT_EQ(cd.Work.Rows[7][library::kTitle], "Track 7 - 01:01");
    EXPECT_EQ(cd.Work.Rows[12][library::kPath], "/dev/sr0/Track12.cda");
}

TEST(CdPlaylist, TheSameDiscKeepsItsRowsAndPlace) {
    PlaylistRig rig;
    rig.engines.disc = {245360, 198400};
    auto& cd = rig.model.Slots()[Playlist::CD];
    rig.model.BuildCdPlaylist(cd);
    cd.Work.Current = 2;
    cd.Work.PositionMs = 5000;
    cd.Work.Rows[1][library::kArtist] = "kept";
    rig.model.BuildCdPlaylist(cd);
    EXPECT_EQ(cd.Work.Current, 2);
    EXPECT_EQ(cd.Work.PositionMs, 5000);
    EXPECT_EQ(cd.Work.Rows[1][library::kArtist], "kept");

    // Another disc is read anew; so is the same disc into an empty slot.
    rig.engines.disc = {300000};
    rig.model.BuildCdPlaylist(cd);
    EXPECT_EQ(cd.Work.Count, 1);
    EXPECT_EQ(cd.Work.Current, 0);
    EXPECT_EQ(rig.settings.CDinf, "300-");
    cd.Work.Count = 0;
    rig.model.BuildCdPlaylist(cd);
    EXPECT_EQ(cd.Work.Count, 1);
}

TEST(CdPlaylist, StartupBuildsTheCdWhenItsTabIsShown) {
    PlaylistRig rig;
    rig.settings.ShowPlaylist(Playlist::CD);
    rig.settings.Check(Item::AutoloadPlayListWithoutautoplay1);
    rig.engines.disc = {1000, 2000, 3000};
    rig.model.LoadAtStartup();
    EXPECT_EQ(rig.model.Work().Count, 3);
    EXPECT_EQ(rig.list5.items[2], "3. Track 3 - 00:03");
    EXPECT_EQ(rig.model.StoppedTotalText(), "00:06");
}

}  // namespace
}  // namespace tarvel::testing

#include <gtest/gtest.h>

#include <fmt/format.h>

#include "playlist_rig.h"
#include "playlists/ab_marks.h"

namespace tarvel::testing {
namespace {

using playlists::DragSource;

// The items a list should show for the titles, numbered from 1.
std::vector<std::string> Items(const std::vector<std::string>& titles) {
    std::vector<std::string> items;
    for (size_t i = 0; i < titles.size(); ++i) {
        items.push_back(fmt::format("{}. {}", i + 1, titles[i]));
    }
    return items;
}

std::vector<std::string> Numbered(std::initializer_list<int> numbers) {
    std::vector<std::string> titles;
    for (int n : numbers) {
        titles.push_back(fmt::format("S{}", n));
    }
    return titles;
}

TEST(PlaylistEditRules, FollowCurrentKeepsThePlayingSong) {
    const struct {
        int current, target, source, k, expected;
    } cases[] = {
        {5, 2, 5, 1, 2},   // the playing row itself moves
        {5, 6, 2, 1, 4},   // a row from above to below it
        {5, 3, 7, 1, 6},   // a row from below to above it
        {5, 4, 2, 1, 5},   // a move above it
        {5, 9, 7, 1, 5},   // a move below it
        {5, 5, 2, 1, 4},   // onto the playing row's place from above
        {4, 1, 0, 3, 7},   // three rows inserted at the top
        {4, 4, 0, 3, 7},   // inserted at the playing row
        {4, 11, 0, 3, 4},  // appended
        {0, 1, 0, 3, 0},   // nothing is current: nothing becomes current
    };
    for (const auto& c : cases) {
        EXPECT_EQ(playlists::FollowCurrent(c.current, c.target, c.source, c.k), c.expected)
            << c.current << " " << c.target << " " << c.source << " " << c.k;
    }
}

TEST(PlaylistEditRules, DropTargetAndSelectionAfterDelete) {
    EXPECT_EQ(playlists::DropTarget(0, 5), 1);
    EXPECT_EQ(playlists::DropTarget(4, 5), 5);
    EXPECT_EQ(playlists::DropTarget(5, 5), 6);
    EXPECT_EQ(playlists::DropTarget(-1, 5), 6);
    EXPECT_EQ(playlists::DropTarget(-1, 0), 1);
    // After the Delete key: the same index, or the one before when the last item went; item 0
    // is not selected again.
    EXPECT_EQ(playlists::SelectionAfterDelete(3, 6), 3);
    EXPECT_EQ(playlists::SelectionAfterDelete(6, 6), 5);
    EXPECT_EQ(playlists::SelectionAfterDelete(1, 1), -1);
    EXPECT_EQ(playlists::SelectionAfterDelete(0, 4), -1);
    EXPECT_EQ(playlists::SelectionAfterDelete(0, 0), -1);
}

TEST(PlaylistEditRules, PlaylistMenuPressAndMarkerPlaces) {
    EXPECT_TRUE(playlists::OpensPlaylistMenu(0, 66));
    EXPECT_TRUE(playlists::OpensPlaylistMenu(26, 66));
    EXPECT_FALSE(playlists::OpensPlaylistMenu(27, 66));
    EXPECT_FALSE(playlists::OpensPlaylistMenu(-1, 66));
    // Round(p x (211 - 68) / max) + 36 + 17, ties to even.
    EXPECT_EQ(playlists::MarkX(0, 211, 200, 36), 53);
    EXPECT_EQ(playlists::MarkX(100, 211, 200, 36), 72 + 53);  // 71.5
    EXPECT_EQ(playlists::MarkX(200, 211, 200, 36), 143 + 53);
    EXPECT_EQ(playlists::MarkX(30, 211, 0, 36), 53);  // no song: the bar's start
}

TEST(PlaylistEditRules, AbMarkClicksSetSwapAndReset) {
    config::Settings settings;
    playlists::TMasPLayList work;
    int flag = 0;
    settings.Check(config::Item::Enabled1);
    work.PositionMs = 5000;
    EXPECT_EQ(playlists::ClickAbMark(work, flag, settings), playlists::AbClick::SetA);
    EXPECT_FALSE(settings.Checked(config::Item::Enabled1));
    work.PositionMs = 9000;
    EXPECT_EQ(playlists::ClickAbMark(work, flag, settings), playlists::AbClick::SetB);
    EXPECT_EQ(work.MarkA, 5000);
    EXPECT_EQ(work.MarkB, 9000);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(playlists::ClickAbMark(work, flag, settings), playlists::AbClick::Reset);
    EXPECT_EQ(work.MarkA + work.MarkB + flag, 0);
    // An earlier second point swaps; a song start clears the marks and keeps the flag, so the
    // next click only resets the flag.
    work.PositionMs = 7000;
    playlists::ClickAbMark(work, flag, settings);
    work.PositionMs = 2000;
    EXPECT_EQ(playlists::ClickAbMark(work, flag, settings), playlists::AbClick::SwapB);
    EXPECT_EQ(work.MarkA, 2000);
    EXPECT_EQ(work.MarkB, 7000);
    work.MarkA = work.MarkB = 0;
    EXPECT_EQ(playlists::ClickAbMark(work, flag, settings), playlists::AbClick::Reset);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(work.MarkA, 0);
}

TEST(PlaylistEdit, PlayRowStartsTheRowAsAChosenSong) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(5), 2, 40000, 1);
    rig.model.Work().QuickStage = 3;
    rig.model.PlayRow(4);
    const auto& work = rig.model.Work();
    EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"PlayCurrent Play row=4 at=0"}));
    EXPECT_EQ(work.Previous, 2);
    EXPECT_EQ(work.QuickStage, 1);
    EXPECT_EQ(work.UndoKind, 1);
    EXPECT_EQ(rig.model.Working().Undo.Current, 2);
    EXPECT_EQ(rig.list5.marked, 3);
    // Rows outside the playlist start nothing.
    rig.model.PlayRow(0);
    rig.model.PlayRow(6);
    EXPECT_EQ(rig.transport.calls.size(), 1u);
}

TEST(PlaylistEdit, DeletingKeepsThePlayingSongCurrentAndMarked) {
    const struct {
        int row;
        int current_after;
        double ms_before_current;
        std::vector<std::string> titles;
    } cases[] = {
        {2, 4, 1000 + 3000 + 4000, Numbered({1, 3, 4, 5, 6, 7, 8})},
        {7, 5, 1000 + 2000 + 3000 + 4000, Numbered({1, 2, 3, 4, 5, 6, 8})},
        {8, 5, 1000 + 2000 + 3000 + 4000, Numbered({1, 2, 3, 4, 5, 6, 7})},
    };
    for (const auto& c : cases) {
        PlaylistRig rig;
        rig.list5.visible = 4;
        rig.SetWork(NumberedSongs(8), 5, 0, 1);
        rig.model.MarkCurrentSong(PlayCommand::Play);
        EXPECT_TRUE(rig.model.DeleteSong(c.row));
        const auto& work = rig.model.Work();
        EXPECT_EQ(work.Current, c.current_after) << c.row;
        EXPECT_EQ(rig.Titles(), c.titles) << c.row;
        EXPECT_EQ(rig.list5.items, Items(c.titles)) << c.row;
        EXPECT_EQ(rig.list6.items, rig.list5.items);
        EXPECT_EQ(rig.list5.marked, c.current_after - 1) << c.row;
        EXPECT_EQ(rig.list6.marked, c.current_after - 1) << c.row;
        EXPECT_EQ(rig.list5.mark_mode, "Play");
        EXPECT_EQ(rig.list5.scroller_max, 7 - 4 + 1);
        // S1..S8 last 1..8 seconds: the deleted one no longer counts.
        EXPECT_EQ(work.TotalMs, 36000 - 1000 * c.row) << c.row;
        EXPECT_EQ(work.MsBeforeCurrent, c.ms_before_current) << c.row;
        EXPECT_EQ(rig.transport.times_shown, 1);
        EXPECT_TRUE(rig.transport.calls.empty());  // playback is not touched
        // The deletion can be undone and kept the song.
        EXPECT_EQ(rig.model.Working().Undo.Count, 8);
        EXPECT_EQ(work.UndoKind, 0);
    }
}

TEST(PlaylistEdit, ThePlayingRowIsNeverDeletedAndTheOnlyRowLeavesAnEmptyPlaylist) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(3), 2, 0, 2);
    EXPECT_FALSE(rig.model.DeleteSong(2));
    EXPECT_FALSE(rig.model.DeleteSong(0));
    EXPECT_FALSE(rig.model.DeleteSong(4));
    EXPECT_EQ(rig.Titles(), Numbered({1, 2, 3}));
    EXPECT_EQ(rig.model.Working().Undo.Count, 0);  // no snapshot for a refused deletion
    // Paused: the mark moves with the song and keeps the pause picture.
    EXPECT_TRUE(rig.model.DeleteSong(1));
    EXPECT_EQ(rig.model.Work().Current, 1);
    EXPECT_EQ(rig.list5.marked, 0);
    EXPECT_EQ(rig.list5.mark_mode, "Pause");

    rig.SetWork(NumberedSongs(1), 0, 0, 0);
    EXPECT_TRUE(rig.model.DeleteSong(1));
    EXPECT_EQ(rig.model.Work().Count, 0);
    EXPECT_TRUE(rig.list5.items.empty());
    EXPECT_TRUE(rig.list6.items.empty());
    EXPECT_EQ(rig.model.Work().TotalText, "00:00");
    EXPECT_EQ(rig.list5.scroller_max, 0);
    EXPECT_FALSE(rig.model.DeleteSong(1));
}

TEST(PlaylistEdit, MovesInsideThePlaylistKeepThePlayingSong) {
    const struct {
        int source, target, current_after;
        std::vector<std::string> titles;
    } cases[] = {
        {5, 2, 2, Numbered({1, 5, 2, 3, 4, 6, 7, 8})},
        {2, 6, 4, Numbered({1, 3, 4, 5, 6, 2, 7, 8})},
        {7, 3, 6, Numbered({1, 2, 7, 3, 4, 5, 6, 8})},
        {3, 3, 5, Numbered({1, 2, 3, 4, 5, 6, 7, 8})},
        // Past the end: the row becomes the last one.
        {2, 9, 4, Numbered({1, 3, 4, 5, 6, 7, 8, 2})},
        {5, 9, 8, Numbered({1, 2, 3, 4, 6, 7, 8, 5})},
        {8, 1, 6, Numbered({8, 1, 2, 3, 4, 5, 6, 7})},
    };
    for (const auto& c : cases) {
        PlaylistRig rig;
        rig.SetWork(NumberedSongs(8), 5, 0, 1);
        rig.model.DropOnPlaylist(c.target, c.source, DragSource{});
        EXPECT_EQ(rig.Titles(), c.titles) << c.source << "->" << c.target;
        EXPECT_EQ(rig.list5.items, Items(c.titles)) << c.source << "->" << c.target;
        EXPECT_EQ(rig.list6.items, rig.list5.items);
        EXPECT_EQ(rig.model.Work().Current, c.current_after) << c.source << "->" << c.target;
        EXPECT_EQ(rig.model.Work().Previous, 5);
        EXPECT_EQ(rig.list5.marked, c.current_after - 1);
        EXPECT_EQ(rig.model.Work().Rows[static_cast<size_t>(c.current_after)][library::kTitle],
                  "S5");
        EXPECT_TRUE(rig.transport.calls.empty());  // a drop never starts playback
        EXPECT_EQ(rig.model.Work().UndoKind, 0);
        EXPECT_EQ(rig.model.Working().Undo.Count, 8);
    }
}

TEST(PlaylistEdit, APressBelowTheItemsMovesNothingButTakesTheSnapshot) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(4), 2, 0, 1);
    rig.model.Working().Undo.Count = 0;
    rig.model.DropOnPlaylist(1, -1, DragSource{});
    EXPECT_EQ(rig.Titles(), Numbered({1, 2, 3, 4}));
    EXPECT_EQ(rig.model.Work().Current, 2);
    EXPECT_EQ(rig.model.Working().Undo.Count, 4);
    // A drag that began nowhere (no panel pressed) changes nothing at all.
    rig.model.DropOnPlaylist(1, 0, DragSource{0});
    EXPECT_EQ(rig.Titles(), Numbered({1, 2, 3, 4}));
}

TEST(PlaylistEdit, LibraryDropsInsertWithoutStartingAndFollowThePlayingSong) {
    const auto album = Table({Song("Alb", "A1"), Song("Alb", "A2"), Song("Alb", "A3")});
    const auto artist = Table({Song("Art", "R1"), Song("Art", "R2")});
    playlists::BrowserSongs with_album{&artist, 2, &album, 3};
    playlists::BrowserSongs artist_only{&artist, 2, &album, 0};
    const struct {
        const char* what;
        DragSource source;
        int target;
        int current_after;
        std::vector<std::string> titles;
    } cases[] = {
        {"album at row 1", {3, 0, with_album}, 1, 7, {"A1", "A2", "A3", "S1", "S2", "S3", "S4"}},
        {"album at the end", {3, 0, with_album}, 5, 4, {"S1", "S2", "S3", "S4", "A1", "A2", "A3"}},
        {"artist at row 4", {1, 0, with_album}, 4, 6, {"S1", "S2", "S3", "R1", "R2", "S4"}},
        {"artist panel 2 at 5", {2, 0, with_album}, 5, 4, {"S1", "S2", "S3", "S4", "R1", "R2"}},
        {"song of the album", {4, 2, with_album}, 2, 5, {"S1", "A2", "S2", "S3", "S4"}},
        {"song of the artist", {4, 2, artist_only}, 5, 4, {"S1", "S2", "S3", "S4", "R2"}},
        {"no album chosen", {3, 0, artist_only}, 1, 4, {"S1", "S2", "S3", "S4"}},
        {"a song row beyond the table", {4, 3, artist_only}, 1, 4, {"S1", "S2", "S3", "S4"}},
    };
    for (const auto& c : cases) {
        PlaylistRig rig;
        rig.SetWork(NumberedSongs(4), 4, 0, 1);
        rig.model.DropOnPlaylist(c.target, 0, c.source);
        EXPECT_EQ(rig.Titles(), c.titles) << c.what;
        EXPECT_EQ(rig.list5.items, Items(c.titles)) << c.what;
        EXPECT_EQ(rig.list6.items, rig.list5.items) << c.what;
        EXPECT_EQ(rig.model.Work().Current, c.current_after) << c.what;
        EXPECT_EQ(rig.list5.marked, c.current_after - 1) << c.what;
        EXPECT_TRUE(rig.transport.calls.empty()) << c.what;
        EXPECT_EQ(rig.transport.times_shown, 1) << c.what;
    }
}

TEST(PlaylistEdit, DropsOnAPausedOrStoppedPlaylistKeepTheirMarkWord) {
    const auto album = Table({Song("Alb", "A1")});
    const DragSource source{3, 0, {&album, 1, &album, 1}};
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(3), 2, 0, 2);
    rig.model.DropOnPlaylist(1, 0, source);
    EXPECT_EQ(rig.list5.marked, 2);
    EXPECT_EQ(rig.list5.mark_mode, "Pause");
    // Stopped with no current song: nothing is marked.
    rig.SetWork(NumberedSongs(3), 0, 0, 0);
    rig.list5.marked = -2;
    rig.model.DropOnPlaylist(1, 0, source);
    EXPECT_EQ(rig.model.Work().Current, 0);
    EXPECT_EQ(rig.list5.marked, -2);
}

}  // namespace
}  // namespace tarvel::testing

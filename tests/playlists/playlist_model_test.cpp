#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "playlist_rig.h"
#include "playlists/playlist_file.h"

namespace tarvel::testing {
namespace {

using config::Item;
using playlists::TPlayMasiv;

void WriteSlotFile(const std::string& folder, Playlist playlist, int rows, int current,
                   int position_ms, const std::string& artist) {
    TPlayMasiv slot;
    slot.Work.Rows = NumberedSongs(rows, artist);
    slot.Work.Count = rows;
    slot.Work.Current = current;
    slot.Work.PositionMs = position_ms;
    fs::CreateDirectories(folder + "/sort");
    playlists::WritePlaylistFile(slot, playlists::StandardPlaylistPath(folder, playlist));
}

TEST(PlaylistModel, InsertingMovesLaterRowsDownAndCountsTheTime) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(5));
    const auto extra = Table({Song("X", "New", 7000)});
    rig.model.InsertSongs(extra, 1, 1, 3);
    EXPECT_EQ(rig.Titles(), (std::vector<std::string>{"S1", "S2", "New", "S3", "S4", "S5"}));
    EXPECT_EQ(rig.model.Work().TotalMs, 1000 + 2000 + 7000 + 3000 + 4000 + 5000);
    EXPECT_EQ(rig.model.Work().TotalText, "00:22");
    // Rows are copies: changing the source later does not reach the playlist.
    auto source = NumberedSongs(2);
    rig.model.InsertSongs(source, 1, 2, 1);
    source[1][library::kTitle] = "changed";
    EXPECT_EQ(rig.Titles()[0], "S1");
    EXPECT_EQ(rig.model.Work().Count, 8);
    // A range outside the source inserts nothing.
    rig.model.InsertSongs(source, 3, 9, 1);
    EXPECT_EQ(rig.model.Work().Count, 8);
}

TEST(PlaylistModel, TotalsCountDurationsAndIgnoreBrokenCells) {
    PlaylistRig rig;
    auto rows = Table(
        {Song("A", "a", 3600000), Song("B", "b", 1500), Song("C", "c", 2500), Song("D", "d", 0)});
    rows[4][library::kDuration] = "n/a";
    rig.SetWork(rows, 3);
    rig.model.SumTimeBeforeCurrent();
    EXPECT_EQ(rig.model.Work().MsBeforeCurrent, 3601500);
    EXPECT_EQ(rig.model.Work().TotalMs, 3604000);
    EXPECT_EQ(rig.model.Work().TotalText, "1:00:04");
    rig.model.Work().Current = 0;
    rig.model.SumTimeBeforeCurrent();
    EXPECT_EQ(rig.model.Work().MsBeforeCurrent, 0);
    rig.SetWork(Table({}));
    EXPECT_EQ(rig.model.Work().TotalText, "00:00");
}

TEST(PlaylistModel, ViewShowsNumberedTitlesScrollerMaximumAndSize) {
    PlaylistRig rig;
    rig.list5.visible = 4;
    rig.list6.visible = 10;
    // 192 kbit/s x 245 000 ms + 320 x 600 000: 239 040 000 / 8 192 000 = 29.18 -> 29Mb
    rig.SetWork(Table({Song("A", "Sun", 245000, 192), Song("B", "Rain", 600000, 320)}));
    for (int i = 3; i <= 7; ++i) {
        rig.model.InsertSongs(Table({Song("C", "Rain", 0, 0)}), 1, 1, i);
    }
    rig.model.FillPlaylistView(0, 3, 7);
    EXPECT_EQ(rig.list5.items.size(), 7u);
    EXPECT_EQ(rig.list5.items[6], "7. Rain");
    EXPECT_EQ(rig.list6.items, rig.list5.items);
    EXPECT_EQ(rig.list5.scroller_max, 7 - 4 + 1);
    EXPECT_EQ(rig.list6.scroller_max, 0);
    EXPECT_EQ(rig.display.size_text, "29Mb");
    // Rewriting (mode >= first) replaces items in place.
    rig.model.Work().Rows[1][library::kTitle] = "Moon";
    rig.model.FillPlaylistView(1, 1, 1);
    EXPECT_EQ(rig.list5.items[0], "1. Moon");
    EXPECT_EQ(rig.list5.items.size(), 7u);
}

TEST(PlaylistModel, MarkGoesToTheCurrentRow) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(5), 3);
    rig.model.Work().Previous = 2;
    rig.list5.items[1] = "stale";
    rig.model.MarkCurrentSong(PlayCommand::Pause);
    for (const RecordingView* list : {&rig.list5, &rig.list6}) {
        EXPECT_EQ(list->marked, 2);
        EXPECT_EQ(list->mark_color, 0x8EF7A8u);
        EXPECT_EQ(list->mark_spare, 0xFFFFFFu);
        EXPECT_EQ(list->mark_mode, "Pause");
    }
    EXPECT_EQ(rig.list5.items[1], "2. S2");
}

TEST(PlaylistModel, StartupLoadsTheThreeFilesAndStartsTheShownOne) {
    PlaylistRig rig;
    WriteSlotFile(rig.dir.path(), Playlist::PL1, 3, 2, 5000, "One");
    WriteSlotFile(rig.dir.path(), Playlist::PL2, 4, 0, 0, "Two");
    rig.settings.ShowPlaylist(Playlist::PL2);
    rig.settings.Check(Item::Autoloadplayer1);
    rig.model.LoadAtStartup();

    EXPECT_EQ(rig.model.Work().Count, 4);
    EXPECT_EQ(rig.model.Work().Current, 1);  // Current 0 with rows: the first row starts
    EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"PlayCurrent Play row=1 at=0"}));
    EXPECT_EQ(rig.list5.items.size(), 4u);
    EXPECT_EQ(rig.model.StoppedTotalText(), "00:10");
    auto& slots = rig.model.Slots();
    EXPECT_EQ(slots[Playlist::PL1].Work.PositionMs, 5000);
    EXPECT_EQ(slots[Playlist::PL1].Work.PlayState, 1);  // will resume when switched to
    EXPECT_EQ(slots[Playlist::PL2].Work.PlayState, 0);
    EXPECT_EQ(slots[Playlist::CD].Work.Count, 0);
    EXPECT_TRUE(rig.Reports().empty());
}

TEST(PlaylistModel, StartupWithoutAutoplayOnlyMarksAndFirstRunReadsNothing) {
    PlaylistRig rig;
    WriteSlotFile(rig.dir.path(), Playlist::PL1, 3, 2, 5000, "One");
    rig.settings.Check(Item::AutoloadPlayListWithoutautoplay1);
    rig.model.LoadAtStartup();
    EXPECT_TRUE(rig.transport.calls.empty());
    EXPECT_EQ(rig.list5.marked, 1);
    EXPECT_EQ(rig.list5.mark_mode, "Play");

    PlaylistRig first;
    WriteSlotFile(first.dir.path(), Playlist::PL1, 3, 2, 5000, "One");
    first.settings.FirstRun = true;
    first.model.LoadAtStartup();
    EXPECT_EQ(first.model.Work().Count, 0);
}

// A playlist file that could not be read whole is told once and kept: the exit save leaves it as
// it is while its playlist holds what was read (playing it does not count), and once the
// playlist is changed the file moves beside as NAME.unreadable before the playlist is written.
TEST(PlaylistModel, AFileNotReadWholeIsToldOnceAndKeptUntilItsPlaylistChanges) {
    const std::string header = playlists::kPlaylistHeader;
    const std::string rows = "A endart \r\nB endart \r\n";
    struct Case {
        const char* name;
        std::string bytes;  // empty: a named pipe
        int rows;           // read from it
    };
    const Case cases[] = {
        {"one wrong header byte",
         header.substr(0, 5) + "?" + header.substr(6) + "\r\nNoEmptyPlayList\r\n1\r\n0\r\n" + rows,
         0},
        {"bad line 3", header + "\r\nNoEmptyPlayList\r\nx\r\n0\r\n" + rows, 2},
        {"bad line 4", header + "\r\nNoEmptyPlayList\r\n1\r\n1:30\r\n" + rows, 2},
        {"named pipe", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlaylistRig rig;
        WriteSlotFile(rig.dir.path(), Playlist::PL2, 2, 1, 0, "Two");
        const std::string path = rig.SortPath("PlayListMainPL1.tpl");
        if (c.bytes.empty()) {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        } else {
            WriteBytes(path, c.bytes);
        }
        const std::string before = EntryText(path);
        rig.settings.Check(Item::AutoloadPlayListWithoutautoplay1);
        rig.model.LoadAtStartup();
        const auto reports = rig.Reports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find(path), std::string::npos) << reports[0];
        EXPECT_NE(reports[0].find("The file is kept as it is until this playlist is changed."),
                  std::string::npos)
            << reports[0];
        EXPECT_EQ(rig.model.Work().Count, c.rows);
        EXPECT_EQ(rig.model.Slots()[Playlist::PL2].Work.Count, 2);

        rig.model.Work().PositionMs = 4321;
        rig.model.SaveAtExit();
        rig.model.SaveAtExit();
        EXPECT_EQ(EntryText(path), before);
        EXPECT_EQ(EntryText(path + ".unreadable"), "<nothing>");
        EXPECT_EQ(rig.Reports().size(), 1u);

        rig.model.AddSongs(NumberedSongs(1), 1, 1);
        rig.model.SaveAtExit();
        EXPECT_EQ(EntryText(path + ".unreadable"), before);
        playlists::TPlist saved;
        const playlists::PlaylistRead read = playlists::ReadPlaylistFile(saved, path);
        EXPECT_TRUE(read.problem.empty()) << read.problem;
        EXPECT_EQ(saved.Count, c.rows + 1);
    }
}

TEST(PlaylistModel, SavingAtExitStoresTheWorkingCopyAndWritesAllThree) {
    PlaylistRig rig;
    rig.settings.ShowPlaylist(Playlist::CD);
    rig.SetWork(NumberedSongs(2), 2, 83450);
    rig.model.SaveAtExit();
    for (const char* name : {"PlayListMainPL1.tpl", "PlayListMainCD.tpl", "PlayListMainPL2.tpl"}) {
        EXPECT_TRUE(fs::FileExists(rig.SortPath(name))) << name;
    }
    playlists::TPlist cd;
    ASSERT_TRUE(playlists::ReadPlaylistFile(cd, rig.SortPath("PlayListMainCD.tpl")));
    EXPECT_EQ(cd.Count, 2);
    EXPECT_EQ(cd.PositionMs, 83450);
    EXPECT_EQ(fs::SplitLines(ReadBytes(rig.SortPath("PlayListMainPL1.tpl"))).size(), 2u);
}

TEST(PlaylistModel, SavePlaylistAddsTplAndLeavesTheStandardFilesAlone) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(2), 1);
    const struct {
        const char* picked;
        const char* written;
    } cases[] = {{"party", "party.tpl"}, {"mix.tpl", "mix.tpl"}, {"MIX.TPL", "MIX.TPL.tpl"}};
    for (const auto& c : cases) {
        rig.services.QueueAnswer(rig.dir / c.picked);
        rig.model.SavePlaylistClick();
        EXPECT_TRUE(fs::FileExists(rig.dir / c.written)) << c.picked;
    }
    EXPECT_FALSE(fs::FileExists(rig.dir / "mix.tpl.tpl"));
    EXPECT_FALSE(fs::DirectoryExists(rig.dir / "sort"));
    rig.model.SavePlaylistClick();  // cancelled: nothing written, nothing reported
    EXPECT_TRUE(rig.Reports().empty());
    // A folder that cannot be written is reported.
    rig.services.QueueAnswer(rig.dir / "no/such/folder/x");
    rig.model.SavePlaylistClick();
    EXPECT_EQ(rig.Reports().size(), 1u);
}

TEST(PlaylistModel, LoadPlaylistReadsTheSortFolderBesideThePickedFile) {
    PlaylistRig rig;
    const std::string other = rig.dir / "backup";
    WriteSlotFile(other, Playlist::PL1, 3, 2, 1500, "Loaded");
    WriteSlotFile(other, Playlist::CD, 1, 0, 0, "Disc");
    rig.settings.Check(Item::repeatOne1);
    rig.settings.Check(Item::AutoloadPlayListWithoutautoplay1);
    rig.SetWork(NumberedSongs(6), 4);
    rig.model.Slots()[Playlist::PL2].Work.Rows = NumberedSongs(1, "Kept");
    rig.model.Slots()[Playlist::PL2].Work.Count = 1;

    rig.services.QueueAnswer(other + "/anything.tpl");
    rig.model.LoadPlaylistClick();

    EXPECT_FALSE(rig.settings.Checked(Item::repeatOne1));
    EXPECT_EQ(rig.model.Work().Count, 3);
    EXPECT_EQ(rig.model.Work().Current, 2);
    EXPECT_EQ(rig.model.Work().PositionMs, 1500);
    EXPECT_EQ(rig.list5.items.size(), 3u);
    auto& slots = rig.model.Slots();
    EXPECT_EQ(slots[Playlist::PL2].Work.Rows[1][library::kArtist], "Kept");
    for (Playlist p : {Playlist::PL1, Playlist::CD, Playlist::PL2}) {
        EXPECT_EQ(slots[p].Work.PlayState, 1);
    }
    EXPECT_EQ(rig.services.Calls().front().find("OpenFileDialog\tLoad Playlist"), 0u);
}

TEST(PlaylistModel, APlaylistSavedUnderItsOwnNameLoadsBackIntoTheShownPlaylist) {
    PlaylistRig rig;
    rig.settings.Check(Item::AutoloadPlayListWithoutautoplay1);
    rig.settings.ShowPlaylist(Playlist::PL2);
    rig.SetWork(NumberedSongs(5), 3, 83450);
    rig.model.SavePlaylistAs(rig.dir / "party");
    rig.SetWork(NumberedSongs(2, "Other"), 1);

    rig.services.QueueAnswer(rig.dir / "party.tpl");
    rig.model.LoadPlaylistClick();
    EXPECT_EQ(rig.model.Work().Count, 5);
    EXPECT_EQ(rig.model.Work().Current, 3);
    EXPECT_EQ(rig.model.Work().PositionMs, 83450);
    EXPECT_EQ(rig.model.Slots()[Playlist::PL2].Work.Count, 5);
    EXPECT_EQ(rig.list5.items.size(), 5u);
    EXPECT_TRUE(rig.Reports().empty());
}

TEST(PlaylistModel, LoadPlaylistWithoutTheShownFileKeepsTheShownPlaylist) {
    PlaylistRig rig;
    rig.settings.Check(Item::AutoloadPlayListWithoutautoplay1);
    rig.SetWork(NumberedSongs(6), 4);
    rig.model.LoadPlaylistsFrom(rig.dir / "empty-folder");
    EXPECT_EQ(rig.model.Work().Count, 6);
    EXPECT_EQ(rig.list5.items.size(), 6u);  // refilled, not doubled
}

TEST(PlaylistModel, ClearingEmptiesWithoutStoppingAndCanBeUndone) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(3), 2, 700, 1);
    rig.settings.Check(Item::RepeatAllPlayList1);
    rig.settings.Check(Item::Enabled1);
    rig.model.ClickRepeat();
    rig.model.ClearPlaylist();
    const auto& work = rig.model.Work();
    EXPECT_EQ(work.Count, 0);
    EXPECT_EQ(work.Current, 0);
    EXPECT_EQ(work.PositionMs, 0);
    EXPECT_TRUE(rig.list5.items.empty());
    EXPECT_TRUE(rig.list6.items.empty());
    EXPECT_EQ(rig.list5.marked, -2);
    EXPECT_EQ(rig.list5.mark_mode, "");
    EXPECT_EQ(rig.list5.scroller_max, 0);
    EXPECT_FALSE(rig.settings.Checked(Item::repeatOne1));
    EXPECT_FALSE(rig.settings.Checked(Item::RepeatAllPlayList1));
    EXPECT_FALSE(rig.settings.Checked(Item::Enabled1));
    EXPECT_FALSE(rig.model.RepeatOn());
    EXPECT_EQ(rig.model.StoppedTotalText(), "00:00");
    EXPECT_TRUE(rig.transport.calls.empty());

    // Clearing kept the song (UndoKind 0): undo brings the rows and the mark back and does not
    // touch playback.
    rig.model.UndoPlaylistChange();
    EXPECT_EQ(rig.Titles(), (std::vector<std::string>{"S1", "S2", "S3"}));
    EXPECT_EQ(rig.list5.marked, 1);
    EXPECT_EQ(rig.list5.mark_mode, "Play");
    EXPECT_TRUE(rig.transport.calls.empty());
}

TEST(PlaylistModel, DoubleClickAddsToTheEndAndPlaysTheFirstAdded) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(2), 1, 900, 1);
    rig.model.ClickRepeat();
    const auto artist = NumberedSongs(3, "Artist");
    const auto album = Table({Song("Artist", "AlbumSong1"), Song("Artist", "AlbumSong2")});
    playlists::BrowserSongs browser{&artist, 3, &album, 0, true};

    rig.model.ArtistDoubleClick(browser);
    EXPECT_EQ(rig.model.Work().Count, 5);
    EXPECT_EQ(rig.model.Work().Current, 3);
    EXPECT_EQ(rig.model.Work().Previous, 1);
    EXPECT_EQ(rig.transport.calls.back(), "PlayCurrent Play row=3 at=0");
    EXPECT_FALSE(rig.model.RepeatOn());
    EXPECT_EQ(rig.list5.items.back(), "5. S3");
    EXPECT_EQ(rig.model.Working().Undo.Count, 2);
    EXPECT_EQ(rig.model.Working().Undo.UndoKind, 1);

    // The song panel takes the album table when an album is chosen, else the artist table.
    rig.model.SongDoubleClick(browser, 1);
    EXPECT_EQ(rig.Titles().back(), "S2");
    browser.album_count = 2;
    rig.model.SongDoubleClick(browser, 1);
    EXPECT_EQ(rig.Titles().back(), "AlbumSong2");
    rig.model.AlbumDoubleClick(browser);
    EXPECT_EQ(rig.model.Work().Count, 9);
    EXPECT_EQ(rig.model.Work().Current, 8);
    // No selected song, or an empty table, adds nothing and starts nothing.
    const size_t calls = rig.transport.calls.size();
    rig.model.SongDoubleClick(browser, -1);
    rig.model.SongDoubleClick(browser, 2);
    browser.artist_count = 0;
    rig.model.ArtistDoubleClick(browser);
    EXPECT_EQ(rig.model.Work().Count, 9);
    EXPECT_EQ(rig.transport.calls.size(), calls);
}

TEST(PlaylistModel, UndoRestartsTheSongAChangeHadStartedAndASecondUndoRedoes) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(2), 2, 0, 2);  // paused on row 2
    const auto artist = NumberedSongs(3, "Artist");
    rig.model.ArtistDoubleClick({&artist, 3, nullptr, 0, true});
    rig.transport.calls.clear();

    rig.model.UndoPlaylistChange();
    EXPECT_EQ(rig.Titles(), (std::vector<std::string>{"S1", "S2"}));
    EXPECT_EQ(rig.list5.items.size(), 2u);
    EXPECT_EQ(rig.list5.scroller_position, 0);
    EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"PlayCurrent Pause row=2 at=0"}));

    rig.model.UndoPlaylistChange();
    EXPECT_EQ(rig.model.Work().Count, 5);
    EXPECT_EQ(rig.model.Work().Current, 3);
    EXPECT_EQ(rig.transport.calls.back(), "PlayCurrent Play row=3 at=0");

    // A stopped state restored by an undo of a started change stops without a snapshot.
    rig.model.Working().Undo.PlayState = 0;
    rig.model.UndoPlaylistChange();
    EXPECT_EQ(rig.transport.calls.back(), "StopPlay false");
}

TEST(PlaylistModel, AfterAnUndoTheTimesShowTheTotalsOfTheRowsShown) {
    // S1..S5 last 1..5 seconds; the player stands stopped on row 3, so no tick refreshes the
    // time labels.
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(5), 3, 0, 0);
    ASSERT_TRUE(rig.model.DeleteSong(5));
    EXPECT_EQ(rig.model.Work().TotalText, "00:10");
    // The copy's current row moved on meanwhile, as the transport keeps it in step.
    rig.model.Working().Undo.Current = 4;
    const int shown = rig.transport.times_shown;
    rig.model.UndoPlaylistChange();
    const auto& work = rig.model.Work();
    EXPECT_EQ(work.Count, 5);
    EXPECT_EQ(work.TotalText, "00:15");
    EXPECT_EQ(work.MsBeforeCurrent, 1000 + 2000 + 3000);
    EXPECT_EQ(rig.transport.times_shown, shown + 1) << "the labels still show the old total";

    // An undo that stops the song it had started shows the restored rows' total when stopped.
    PlaylistRig stopped;
    stopped.SetWork(NumberedSongs(2), 0, 0, 0);
    const auto artist = NumberedSongs(3, "Artist");
    stopped.model.ArtistDoubleClick({&artist, 3, nullptr, 0, true});
    stopped.model.UndoPlaylistChange();
    EXPECT_EQ(stopped.transport.calls.back(), "StopPlay false");
    EXPECT_EQ(stopped.model.StoppedTotalText(), "00:03");
}

TEST(PlaylistModel, UndoWithAnEmptyUndoCopyDoesNothing) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(2), 1);
    rig.model.UndoPlaylistChange();
    EXPECT_EQ(rig.model.Work().Count, 2);
    EXPECT_TRUE(rig.transport.calls.empty());
}

TEST(PlaylistModel, ResetSongProgressSwitchesRepeatOffAndStartsPolling) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(2), 1, 4000);
    rig.model.Work().SongLengthMs = 2000;
    rig.model.ClickRepeat();
    EXPECT_TRUE(rig.display.repeat_button);
    rig.model.ResetSongProgress();
    EXPECT_FALSE(rig.model.RepeatOn());
    EXPECT_FALSE(rig.display.repeat_button);
    EXPECT_TRUE(rig.transport.polling);
    EXPECT_EQ(rig.model.Work().PositionMs, 0);
    EXPECT_EQ(rig.model.Work().SongLengthMs, 0);
}

}  // namespace
}  // namespace tarvel::testing

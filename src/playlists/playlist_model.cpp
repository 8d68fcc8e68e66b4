#include "playlists/playlist_model.h"

#include <fmt/format.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

#include "library/duration_text.h"
#include "platform/error/app_error.h"
#include "platform/system/system_services.h"
#include "platform/text/number_text.h"

namespace tarvel::playlists {
namespace {

// A numeric cell (bit rate, duration); text that is not a whole number counts as 0.
int64_t CellNumber(const TPlist& list, int row, int cell) {
    return text::ParseInt32(list.Rows[static_cast<size_t>(row)][static_cast<size_t>(cell)])
        .value_or(0);
}

std::string ItemText(const TPlist& list, int row) {
    return fmt::format("{}. {}", row, list.Rows[static_cast<size_t>(row)][library::kTitle]);
}

double DurationSum(const TPlist& list, int last_row) {
    double sum = 0;
    for (int row = 1; row <= last_row; ++row) {
        sum += static_cast<double>(CellNumber(list, row, library::kDuration));
    }
    return sum;
}

std::string DurationTextOf(double ms) {
    return library::DurationText(fmt::format("{:.0f}", ms));
}

}  // namespace

std::string SizeText(const TPlist& list) {
    double bits = 0;
    for (int row = 1; row <= list.Count; ++row) {
        bits += static_cast<double>(CellNumber(list, row, library::kBitRate)) *
                static_cast<double>(CellNumber(list, row, library::kDuration));
    }
    return fmt::format("{:.0f}Mb", std::nearbyint(bits / 8192000.0));
}

PlaylistModel::PlaylistModel(Links links) : links_(std::move(links)) {
    assert(links_.settings && links_.transport && links_.display && links_.list5 && links_.list6 &&
           links_.services && links_.engines);
    // The settings read at start name the shown playlist: its tab is the lit one from the
    // start, so the lit tab, the listed rows and the song that plays are one playlist.
    links_.display->ShowTab(settings().ShownPlaylist());
}

void PlaylistModel::ForLists(const std::function<void(PlaylistView&)>& action) {
    action(*links_.list5);
    action(*links_.list6);
}

void PlaylistModel::RunReported(const std::function<void()>& handler) {
    system::RunReported(*links_.services, handler);
}

void PlaylistModel::ClickRepeat() {
    repeat_on_ = !repeat_on_;
    links_.display->SetRepeatButton(repeat_on_);
}

void PlaylistModel::TakeUndoSnapshot() {
    working_.Undo = working_.Work;
    library::SizeTable(working_.Undo.Rows, working_.Undo.Count + 2);
}

void PlaylistModel::UndoPlaylistChange() {
    if (working_.Undo.Count == 0) {
        return;
    }
    std::swap(working_.Work, working_.Undo);
    EmptyLists();
    ForLists([](PlaylistView& list) { list.SetScrollerPosition(0); });
    FillPlaylistView(0, 1, Work().Count);
    // The totals of the restored rows: the copy's own were counted when it was taken, and its
    // current row may have been moved on since (the transport keeps it in step with the song).
    SumPlaylistTime();
    SumTimeBeforeCurrent();
    const TMasPLayList& work = Work();
    if (work.UndoKind != 1) {
        settings().Uncheck(config::Item::Enabled1);
        if (work.PlayState == 1) {
            MarkCurrentSong(PlayCommand::Play);
        } else if (work.PlayState == 2) {
            MarkCurrentSong(PlayCommand::Pause);
        }
        // Playback goes on untouched, so nothing else refreshes the time labels of a stopped
        // player: they would go on showing the total of the rows before the undo.
        transport().ShowTimes();
        return;
    }
    if (work.PlayState == 1) {
        transport().PlayCurrent(PlayCommand::Play);
    } else if (work.PlayState == 2) {
        transport().PlayCurrent(PlayCommand::Pause);
    } else if (work.PlayState == 0) {
        // Stopping shows the stopped-state total: that of the rows the undo brought back.
        stopped_total_text_ = work.TotalText;
        transport().StopPlay(false);
    }
}

void PlaylistModel::InsertSongs(const masTag& source, int first, int last, int target) {
    first = std::max(first, 1);
    last = std::min(last, static_cast<int>(source.size()) - 1);
    const int k = last - first + 1;
    if (k <= 0) {
        return;
    }
    TMasPLayList& work = Work();
    target = std::clamp(target, 1, work.Count + 1);
    if (static_cast<int>(work.Rows.size()) < work.Count + k + 3) {
        library::SizeTable(work.Rows, work.Count + k + 3);
    }
    // Rows move whole and are copied from the source whole, so no row is shared.
    for (int row = work.Count; row >= target; --row) {
        work.Rows[static_cast<size_t>(row + k)] = std::move(work.Rows[static_cast<size_t>(row)]);
    }
    for (int i = 0; i < k; ++i) {
        auto& cells = work.Rows[static_cast<size_t>(target + i)];
        cells = source[static_cast<size_t>(first + i)];
        cells.resize(library::kCellsPerRow);
    }
    work.Count += k;
    SumPlaylistTime();
}

void PlaylistModel::FillPlaylistView(int mode, int first, int last) {
    const TMasPLayList& work = Work();
    last = std::min(last, work.Count);
    first = std::max(first, 1);
    ForLists([&](PlaylistView& list) {
        for (int row = first; row <= last; ++row) {
            if (mode < first) {
                list.AppendItem(ItemText(work, row));
            } else {
                list.SetItem(row - 1, ItemText(work, row));
            }
        }
        list.SetScrollerMax(ScrollerMaximum(list));
    });
    links_.display->SetSizeText(SizeText(work));
}

void PlaylistModel::RewriteItem(int row) {
    const TMasPLayList& work = Work();
    if (row >= 1 && row <= work.Count) {
        ForLists([&](PlaylistView& list) { list.SetItem(row - 1, ItemText(work, row)); });
    }
}

void PlaylistModel::ClearMark() {
    ForLists([](PlaylistView& list) { list.SetItemFont(-2, kMarkColor, kMarkSpareColor, ""); });
}

void PlaylistModel::MarkCurrentSong(PlayCommand command) {
    const TMasPLayList& work = Work();
    RewriteItem(work.Previous);
    RewriteItem(work.Current);
    ForLists([&](PlaylistView& list) {
        list.SetItemFont(work.Current - 1, kMarkColor, kMarkSpareColor, CommandWord(command));
    });
}

void PlaylistModel::SumPlaylistTime() {
    TMasPLayList& work = Work();
    work.TotalMs = DurationSum(work, work.Count);
    work.TotalText = work.Count > 0 ? DurationTextOf(work.TotalMs) : "00:00";
}

void PlaylistModel::SumTimeBeforeCurrent() {
    TMasPLayList& work = Work();
    work.MsBeforeCurrent = DurationSum(work, std::min(work.Current - 1, work.Count));
}

void PlaylistModel::ResetSongProgress() {
    if (repeat_on_) {
        ClickRepeat();
    }
    // Polling resumes for a song in play; a stopped player stays unpolled.
    transport().SetPollingTimer(true);
    Work().PositionMs = 0;
    Work().SongLengthMs = 0;
}

void PlaylistModel::AfterPlaylistLoad() {
    TMasPLayList& work = Work();
    stopped_total_text_ = DurationTextOf(DurationSum(work, work.Count));
    if (settings().Checked(config::Item::Autoloadplayer1)) {
        if (work.Current == 0 && work.Count >= 1) {
            work.Current = 1;
        }
        transport().PlayCurrent(PlayCommand::Play);
    } else {
        MarkCurrentSong(PlayCommand::Play);
    }
}

void PlaylistModel::EmptyLists() {
    ForLists([](PlaylistView& list) { list.ClearItems(); });
}

void PlaylistModel::ShowWholePlaylist() {
    EmptyLists();
    FillPlaylistView(0, 1, Work().Count);
}

void PlaylistModel::ClearPlaylist() {
    TMasPLayList& work = Work();
    work.UndoKind = 0;
    if (work.Count > 0) {
        TakeUndoSnapshot();
    }
    links_.list5->SetScrollerPosition(0);
    links_.list5->SetScrollerMax(0);
    ResetSongProgress();
    ClearMark();
    settings().Uncheck(config::Item::repeatOne1);
    settings().Uncheck(config::Item::RepeatAllPlayList1);
    settings().Uncheck(config::Item::Enabled1);
    work.Current = 0;
    work.Count = 0;
    EmptyLists();
    library::SizeTable(work.Rows, 2);
    SumPlaylistTime();
    stopped_total_text_ = "00:00";
}

void PlaylistModel::AddSongs(const masTag& source, int first, int last) {
    last = std::min(last, static_cast<int>(source.size()) - 1);
    if (first < 1 || last < first) {
        return;
    }
    TMasPLayList& work = Work();
    work.UndoKind = 1;
    TakeUndoSnapshot();
    ResetSongProgress();
    const int n = work.Count;
    InsertSongs(source, first, last, n + 1);
    FillPlaylistView(0, n + 1, work.Count);
    work.Previous = work.Current;
    work.Current = n + 1;
    transport().PlayCurrent(PlayCommand::Play);
}

void PlaylistModel::ArtistDoubleClick(const BrowserSongs& browser) {
    if (browser.artist_songs) {
        AddSongs(*browser.artist_songs, 1, browser.artist_count);
    }
}

void PlaylistModel::AlbumDoubleClick(const BrowserSongs& browser) {
    if (browser.album_songs) {
        AddSongs(*browser.album_songs, 1, browser.album_count);
    }
}

void PlaylistModel::SongDoubleClick(const BrowserSongs& browser, int item_index) {
    const bool album = browser.album_count > 0 && browser.album_songs;
    const masTag* table = album ? browser.album_songs : browser.artist_songs;
    const int count = album ? browser.album_count : browser.artist_count;
    const int row = item_index + 1;
    if (table && row >= 1 && row <= count) {
        AddSongs(*table, row, row);
    }
}

}  // namespace tarvel::playlists

#include "playlists/playlist_edit.h"

#include <algorithm>
#include <cmath>

#include "library/duration_text.h"
#include "playlists/playlist_model.h"

namespace tarvel::playlists {

int DropTarget(int item_under, int item_count) {
    if (item_under < 0 || item_under + 1 > item_count) {
        return item_count + 1;
    }
    return item_under + 1;
}

int FollowCurrent(int current, int target, int source_row, int k) {
    if (source_row == 0) {
        return target <= current ? current + k : current;
    }
    if (source_row == current) {
        return target;
    }
    if (source_row < target && source_row < current && target >= current) {
        return current - k;
    }
    if (source_row > target && source_row > current && target <= current) {
        return current + k;
    }
    return current;
}

int SelectionAfterDelete(int index, int item_count) {
    if (index >= item_count) {
        --index;
    }
    return index >= 1 ? index : -1;
}

bool OpensPlaylistMenu(int x, int width) {
    return x >= 0 && x <= static_cast<int>(std::nearbyint(width * 0.4));
}

std::string RowHint(const TPlist& list, int row) {
    if (row < 1 || row > list.Count) {
        return {};
    }
    const auto& cells = list.Rows[static_cast<size_t>(row)];
    if (cells[library::kGenre] == "CD") {
        return "CD - " + cells[library::kTitle];
    }
    return cells[library::kArtist] + " - " + cells[library::kAlbum] + " - " +
           cells[library::kTitle] + " - " + library::DurationText(cells[library::kDuration]) +
           " - " + cells[library::kBitRate] + " kbps";
}

void PlaylistModel::PlayRow(int row) {
    TMasPLayList& work = Work();
    if (row < 1 || row > work.Count) {
        return;
    }
    work.UndoKind = 1;
    TakeUndoSnapshot();
    ResetSongProgress();
    work.QuickStage = 1;
    work.Previous = work.Current;
    work.Current = row;
    transport().PlayCurrent(PlayCommand::Play);
}

bool PlaylistModel::DeleteSong(int row) {
    TMasPLayList& work = Work();
    if (row < 1 || row > work.Count || row == work.Current) {
        return false;
    }
    work.UndoKind = 0;
    TakeUndoSnapshot();
    auto& rows = work.Rows;
    std::rotate(rows.begin() + row, rows.begin() + row + 1, rows.begin() + work.Count + 1);
    --work.Count;
    // The rows below the removed one move up and take new numbers.
    for (int moved = row; moved <= work.Count; ++moved) {
        RewriteItem(moved);
    }
    ForLists([](PlaylistView& list) {
        if (list.ItemCount() > 0) {
            list.RemoveItem(list.ItemCount() - 1);
        }
    });
    if (row < work.Current) {
        work.Previous = work.Current;
        --work.Current;
        MarkCurrentSong(work.PlayState == 2 ? PlayCommand::Pause : PlayCommand::Play);
    }
    SumPlaylistTime();
    SumTimeBeforeCurrent();
    transport().ShowTimes();
    ForLists([](PlaylistView& list) { list.SetScrollerMax(ScrollerMaximum(list)); });
    links_.display->SetSizeText(SizeText(work));
    return true;
}

void PlaylistModel::DropOnPlaylist(int target, int source_row, const DragSource& source) {
    TMasPLayList& work = Work();
    if (source.kind < 1 || source.kind > 5) {
        return;
    }
    work.UndoKind = 0;
    TakeUndoSnapshot();
    target = std::clamp(target, 1, work.Count + 1);
    int k = 1;
    if (source.kind == 5) {
        // A press below the items (or a row that is gone) moves nothing.
        if (source_row < 1 || source_row > work.Count) {
            return;
        }
        // A row dropped past the end becomes the last row.
        target = std::min(target, work.Count);
        auto first = work.Rows.begin();
        if (source_row < target) {
            std::rotate(first + source_row, first + source_row + 1, first + target + 1);
        } else if (source_row > target) {
            std::rotate(first + target, first + source_row, first + source_row + 1);
        }
        for (int row = std::min(source_row, target); row <= std::max(source_row, target); ++row) {
            RewriteItem(row);
        }
    } else {
        const BrowserSongs& songs = source.browser;
        const masTag* table = songs.artist_songs;
        int count = songs.artist_count;
        if (source.kind == 3 || (source.kind == 4 && songs.album_count > 0)) {
            table = songs.album_songs;
            count = songs.album_count;
        }
        int first = 1;
        int last = count;
        if (source.kind == 4) {
            first = last = source.song;
        }
        const int before = work.Count;
        if (table && first >= 1 && last <= count && first <= last) {
            InsertSongs(*table, first, last, target);
        }
        k = work.Count - before;
        source_row = 0;
        FillPlaylistView(target, target, work.Count);
    }
    work.Previous = work.Current;
    work.Current = FollowCurrent(work.Current, target, source_row, k);
    // A stopped playlist that still shows its current row (loaded without auto play) keeps
    // the mark on that song too.
    if (work.PlayState == 2) {
        MarkCurrentSong(PlayCommand::Pause);
    } else if (work.PlayState == 1 || work.Current != 0) {
        MarkCurrentSong(PlayCommand::Play);
    }
    SumPlaylistTime();
    SumTimeBeforeCurrent();
    transport().ShowTimes();
}

}  // namespace tarvel::playlists

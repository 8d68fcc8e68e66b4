#pragma once

#include <string>

#include "playlists/browser_songs.h"
#include "playlists/playlist.h"

// Rules of editing the working playlist by hand: where a drop lands, which row stays current when
// rows move or are inserted, and which item is selected after a deletion.
namespace tarvel::playlists {

// Where a drag into the playlist began: a library panel (the browser's drag state) or the
// playlist itself.
struct DragSource {
    // 1, 2: an artist panel (all the artist's songs); 3: the album panel (the album's songs);
    // 4: the song panel (one song); 5: a row of the playlist (a move).
    int kind = 5;
    // Kind 4: the pressed row of the album song table, or of the artist's when no album is chosen.
    int song = 0;
    // The browser's song tables, for kinds 1 to 4.
    BrowserSongs browser;
};

// The row a drop lands on: the item under the drop point (0-based, -1 when there is none) + 1,
// or item_count + 1 (append) when the point lies beyond the items.
int DropTarget(int item_under, int item_count);

// The current row after an edit, so that it stays on the same song. A move (source_row > 0) of
// one row from source_row to target; an insertion (source_row 0) of k rows at target.
int FollowCurrent(int current, int target, int source_row, int k);

// The item to select after the Delete key removed item index (0-based) and item_count items are
// left: the same index, or the one before when the last item went; -1 when nothing is selected.
int SelectionAfterDelete(int index, int item_count);

// A press at x on the playlist head label of the given width opens the playlist menu when it
// lies in the label's left 40 % (0 to Round(width x 0.4)).
bool OpensPlaylistMenu(int x, int width);

// The hint of playlist row r (1-based): artist - album - title - duration - bit rate kbps, or
// "CD - " + title for a CD track; empty when there is no such row.
std::string RowHint(const TPlist& list, int row);

}  // namespace tarvel::playlists

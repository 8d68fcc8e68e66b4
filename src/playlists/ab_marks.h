#pragma once

#include "playlists/playlist.h"

// The A-B repeat marks of the working playlist as the mark button (ImgMark) sets them, and where
// their markers stand on the time bar.
namespace tarvel::playlists {

// What a click on the mark button did.
enum class AbClick {
    Reset,  // the loop was on: both marks cleared, both markers hidden
    SetA,   // A set at the position: MarkL's right edge goes to the position
    SetB,   // B set after A: MarkR's right edge goes to the position
    SwapB,  // the new point was before A: B takes A, A the new point; MarkR takes MarkL's place
            // and MarkL goes to the position
    None,   // both marks were set while the loop was off (a song start cleared only the marks)
};

// ImgMarkClick: sets the marks of the playlist from its PositionMs; loop_flag is the flag the
// button keeps (0 or 1). Setting A switches quick play off.
AbClick ClickAbMark(TMasPLayList& work, int& loop_flag, config::Settings& settings);

// The screen X of a time bar position (seconds) on a bar of the given width, maximum and left
// edge: Round(position x (width - 68) / maximum) + left + 17. A bar with maximum 0 gives its
// start.
int MarkX(int position, int bar_width, int bar_max, int bar_left);

}  // namespace tarvel::playlists

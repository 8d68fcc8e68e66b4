#pragma once

#include "shell/main_layout.h"

// How the main window grows and shrinks: plain functions over the control rectangles. A size
// change is never a scaling; the lists and bars gain or lose whole pixels by fixed shares and
// everything to their right or below moves along. The window applies the resulting rectangles.
namespace tarvel::shell {

inline constexpr int kListItemHeight = 16;
// X11 window sizes and coordinates are 16-bit signed: no resize makes a side longer than this.
inline constexpr int kMaxWindowSide = 32767;

// The window's size and its visible outline (a rectangle with rounded corners of `corner` x
// `corner`); the design frame's outer margin lies outside the outline and is cut off.
struct WindowFit {
    int width;
    int height;
    Rect region;
    int corner;
};
WindowFit FitWindow(const Layout& layout);

// Widens (d > 0) or narrows (d < 0) the columns of lists by d pixels shared out among them, moves
// what lies right of each column, and centres the playlist tabs over the playlist. The second
// artist list's column takes part only while that list is shown.
void ApplyDeltaWidthLists(Layout& layout, int d, bool list2_shown);

// Widens or narrows the frame, the title, the bottom strip and the two top bars by d, and moves the
// time texts and the controls at the right edge along.
void ApplyDeltaWidthBars(Layout& layout, int d);

// Heightens or lowers the lists by d (the album and song lists share it) and moves the bottom row.
void ApplyDeltaHeight(Layout& layout, int d);

// A list's scroll bar maximum for its item count and height.
int ScrollerMaximum(int item_count, int list_height, int item_height = kListItemHeight);

// Resizing by dragging the right edge, the bottom edge or the corner between them. The anchors
// are the last cursor coordinates seen during a drag; 0 means no drag under way.
struct EdgeDrag {
    int anchor_x = 0;
    int anchor_y = 0;
};

enum class Edge { Right, Bottom, Corner };

// What one drag-over changed. When `applied`, the caller fits the window to the layout and puts
// the cursor back at the coordinates it passed in.
struct DragStep {
    int dw = 0;
    int dh = 0;
    bool applied = false;
};

// The width stops shrinking once the artist list's header strip is used up, the height once the
// album list shows no more than two items; moving the other way works at once. A fast step never
// takes more than is left: no column's header strip goes below zero, no album list below two items.
DragStep DragOverRightEdge(Layout& layout, EdgeDrag& drag, int x, bool list2_shown);
DragStep DragOverBottomEdge(Layout& layout, EdgeDrag& drag, int y);
DragStep DragOverCorner(Layout& layout, EdgeDrag& drag, int x, int y, bool list2_shown);

// A mouse move over an edge outside a drag, or the release of the mouse on it, ends any drag of
// that edge: the right edge clears the x anchor, the bottom edge the y anchor, the corner both.
void ClearAnchors(EdgeDrag& drag, Edge edge);

// The size the configuration keeps: pixels by which the window is wider and taller than designed.
struct Deltas {
    int width;
    int height;
    bool operator==(const Deltas&) const = default;
};
Deltas SavedDeltas(const Layout& now);

// At start-up with the second artist list hidden, the saved width delta already holds the
// narrowing by that list and its scroll bar, which the start-up has just made again: both widths
// are added back so the window comes back at the size it was closed at.
int StartupDeltaWidth(const Layout& now, int saved_delta_width, bool list2_shown);

// Applies a saved size at start-up: the list part and the bar part of the width, then the height.
// Values no drag could have reached (a hand-edited configuration) are held at the drag limits.
void ApplySavedSize(Layout& layout, int delta_width, int delta_height, bool list2_shown);

}  // namespace tarvel::shell

#pragma once

#include <QRect>
#include <QString>

// The arithmetic of the skinned scroll bars: clamping, thumb offset <-> position, the thumb text
// and the placement of the inner parts. Plain functions; the widgets only call them.
namespace tarvel::controls {

enum class ScrollKind { Horizontal, Vertical };

// Rounds to nearest, ties to even, as every conversion of the program does.
int RoundEven(double value);

// A new position: raised to 0 when negative, then lowered to max, then raised to min, in this
// order (so a negative min never shows unless max itself is negative).
int ClampScrollPosition(int value, int min, int max);

// The thumb's offset along the track for a position; travel = track length - thumb length.
int ThumbOffset(int position, int min, int max, int travel);

// The position a thumb offset stands for.
int PositionFromOffset(int offset, int min, int max, int travel);

// Seconds as [days:][hours:]MM:SS; days and hours unpadded and shown only when needed.
QString TimeText(int seconds);

// The thumb caption: a time when vkoef is 0, else vkoef x position, rounded or in general form.
QString ThumbText(int position, double vkoef, bool round_thumb);

// The position a click on the band of a horizontal-kind bar jumps to: the click's x over the whole
// band onto 0..max (min and the thumb length do not enter).
int BandClickPosition(int click_x, int band_width, int max);

// Inner parts of the outer bar with buttons, for outer size w x h.
struct OuterLayout {
    QRect button_lt;  // left or top arrow
    QRect button_rd;  // right or bottom arrow
    QRect scroller;   // the track area
};
OuterLayout LayoutWithButtons(ScrollKind kind, int w, int h);

// Band and thumb inside the track area (w x h) of the bar with buttons.
struct TrackLayout {
    QRect band;
    QRect thumb;
};
TrackLayout LayoutPanelTrack(ScrollKind kind, int w, int h, int thumb_size, int offset);

// Band and thumb of the picture bar (always vertical): a 4-pixel band down the middle and the
// thumb picture at its natural size (or w - 2 wide when there is none).
TrackLayout LayoutPictureTrack(int w, int h, QSize thumb_picture, int thumb_size, int offset);

// The hint after a second line is set: the old hint, a line break and the line, when both are
// non-empty; otherwise the hint unchanged.
QString HintWithSecondLine(const QString& hint, const QString& line);

// Track length minus thumb length along the bar, never below 0.
int ThumbTravel(ScrollKind kind, QSize track, int thumb_size);

}  // namespace tarvel::controls

#pragma once

#include <QImage>

namespace tarvel::controls {

enum class ArrowGlyph { Left, Right, Up, Down };

// The arrow buttons' glyphs: a black triangle on transparent ground ("levoScroller" 7 x 9,
// "desnoScroller" 7 x 9, "goreScroller" 11 x 5, "doleScroller" 11 x 5).
QImage MakeArrowGlyph(ArrowGlyph glyph);

// The glyph for a button `height` pixels high. A left or right arrow whose 8 rows do not fit
// is drawn smaller, whole: an odd number of rows that fits, its point on the middle row.
QImage ArrowGlyphFor(ArrowGlyph glyph, int height);

}  // namespace tarvel::controls

#pragma once

#include <QImage>

namespace tarvel::controls {

enum class ArrowGlyph { Left, Right, Up, Down };

// The arrow buttons' glyphs: a black triangle on transparent ground ("levoScroller" 7 x 9,
// "desnoScroller" 7 x 9, "goreScroller" 11 x 5, "doleScroller" 11 x 5).
QImage MakeArrowGlyph(ArrowGlyph glyph);

}  // namespace tarvel::controls

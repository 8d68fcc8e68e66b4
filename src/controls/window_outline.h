#pragma once

#include <QRect>
#include <QRegion>

namespace tarvel::controls {

// The rounded outline of a borderless window: the rectangle with corner ellipses of corner x
// corner pixels, as the window's mask.
QRegion RoundedOutline(const QRect& rect, int corner);

}  // namespace tarvel::controls

#pragma once

#include <QColor>
#include <QImage>
#include <map>
#include <string>
#include <vector>

#include "window_layouts.h"

// Checks of the skin pictures against the windows they are drawn for. Each returns one line per
// fault; the generator refuses to finish while any is left.
namespace tarvel::skin {

// Pictures by their path under Pictures ("eq/Enabled.jpg").
using PictureMap = std::map<std::string, QImage>;

// The files of a control's slots (each once), from the window's skin table.
std::vector<std::string> ControlFiles(const char* window, const char* control);

// The window composed back to front, each control showing the slot `shown` names for it (slot 1
// when it names none); outside the outline stays black.
QImage ComposeWindow(const WindowLayout& layout, const PictureMap& pictures,
                     const std::map<std::string, int>& shown = {});

// For every picture of every control:
// - it has the control's size;
// - each corner not covered by a later item matches the ground composed under it, so the
//   picture sits on its background without a box around it;
// - what a later item covers holds only that ground (no part of an icon or a caption hides
//   under a neighbour).
// And for the window: at the middle of each side of the outline, a rim pixel lies within the
// outline's first three pixels, so the window shows an edge where the outline cuts it.
std::vector<std::string> CheckWindow(const WindowLayout& layout, const PictureMap& pictures,
                                     const QColor& rim);

// Black arrow glyphs on a scroll bar's body need a contrast of at least 4.5 : 1.
std::vector<std::string> CheckArrowContrast(const QColor& body);

}  // namespace tarvel::skin

#pragma once

#include <QColor>
#include <QFont>

#include "controls/skin_palette.h"

// The colours (shared with the windows, controls/skin_palette.h) and type of the Tarvel skin.
namespace tarvel::skin {

using namespace controls::palette;

// DejaVu Sans at a pixel size; condensed bold for the small captions.
QFont SkinFont(int pixel_size, bool bold = false, bool condensed = false);

}  // namespace tarvel::skin

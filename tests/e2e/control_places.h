#pragma once

#include <QPoint>
#include <QRect>
#include <string_view>

// Where the journeys click: the controls' places as the program lays its windows out, read from
// the windows' layout tables, so that a control that moves moves the click with it.
namespace tarvel::testing {

// The skinned windows the journeys reach into.
enum class SkinnedWindow { Main, MiniPlayer, SmallPlaylist, Equalizer };

// A control's rectangle in client pixels: the window's layout table, for the main window as the
// start-up's resizing rules leave it with the size the shipped settings keep. A name the table
// does not hold fails the test and gives an empty rectangle.
QRect ControlRect(SkinnedWindow window, std::string_view name);

// The middle of a control (halves rounded down), where a click on it lands.
QPoint ControlCentre(SkinnedWindow window, std::string_view name);

// The middle of a list's row (0 is the first shown), rows 16 pixels high.
QPoint ListRow(SkinnedWindow window, std::string_view list, int row);

}  // namespace tarvel::testing

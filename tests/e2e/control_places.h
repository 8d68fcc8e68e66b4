#pragma once

#include <QPoint>
#include <QRect>

#include "controls/window_tables.h"

// Where the journeys click: the controls' places as the program lays its windows out, read from
// the windows' layout tables, so that a control that moves moves the click with it. Controls are
// named by their windows' constants, so a misspelt name fails to compile.
namespace tarvel::testing {

// A control's rectangle in client pixels: the window's layout table, for the main window as the
// start-up's resizing rules leave it with the size the shipped settings keep.
QRect ControlRect(controls::Main control);
QRect ControlRect(controls::Mini control);
QRect ControlRect(controls::SmallList control);
QRect ControlRect(controls::Eq control);

// The middle of a control (halves rounded down), where a click on it lands.
template <typename Id>
QPoint ControlCentre(Id control) {
    const QRect r = ControlRect(control);
    return {r.left() + r.width() / 2, r.top() + r.height() / 2};
}

// The middle of a list's row (0 is the first shown), rows 16 pixels high.
QPoint ListRow(controls::Main list, int row);
QPoint ListRow(controls::SmallList list, int row);

}  // namespace tarvel::testing

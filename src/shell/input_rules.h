#pragma once

#include <QString>
#include <array>
#include <optional>

#include "shell/main_layout.h"

// The main window's keyboard and mouse-wheel routing as plain rules.
namespace tarvel::shell {

// The list under a point of the window's client area: 1..5 for ListBox1..ListBox5 (edges
// included; the last list hit wins), 0 for none. Hidden lists are passed as empty rectangles
// with a negative width.
int WheelList(const std::array<Rect, 5>& lists, int x, int y);

// Where a list and its scroll bar go on a wheel step over it: seven rows down or up, held
// within 0..maximum.
int WheelTopRow(int top_row, int maximum, bool down);

// The volume bar's position after a wheel step over no list: 50 steps, as the bar holds it.
int WheelVolume(int position, bool down);

// A character typed while the command box does not have the focus: the box's new text, or
// nothing when the character is not for the box (Enter, control characters other than
// Backspace). Backspace removes the last character when there is one.
std::optional<QString> TypedIntoBox(const QString& box_text, QChar typed);

}  // namespace tarvel::shell

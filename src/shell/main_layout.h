#pragma once

#include <map>
#include <span>
#include <string>

#include "controls/control_table.h"
#include "controls/window_tables.h"

// The main window's controls at their design places: the one table the window builds its
// controls from and the resizing rules move. Positions are client pixels of the 698 x 619 design.
namespace tarvel::shell {

using controls::ControlKind;
using controls::Main;
using Rect = controls::Rect;
using ControlEntry = controls::ControlRecord;

// Every control of the main window, back to front (later entries lie on top), indexed by Main:
// name, kind, design rectangle, visibility, hint, text, pictures and resize rule of each.
std::span<const ControlEntry> MainWindowControls();

// The record of one control.
inline const ControlEntry& MainControl(Main id) {
    return controls::RecordOf(id);
}

// The control rectangles by name: what the resizing rules read and change.
using Layout = std::map<std::string, Rect, std::less<>>;

// The design layout: every control of the table at its design rectangle.
Layout DesignLayout();

inline constexpr int kDesignClientWidth = 698;
inline constexpr int kDesignClientHeight = 619;

}  // namespace tarvel::shell

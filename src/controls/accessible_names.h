#pragma once

#include <QString>

class QWidget;

namespace tarvel::controls {

// The name a screen reader speaks for a control: a name the program gave it explicitly
// (accessibleName), else the human name of its layout entry in its window, else the first line
// of its hint without the shortcut in brackets, else empty. Layout names stay the object names.
QString AccessibleNameOf(const QWidget& control);

// The name given by the window's layout table alone: the control's layout name within its window's
// class (e.g. "TForm1", "ListBox5" gives "Playlist"). Empty when the table has no entry.
QString TableName(const QString& window_class, const QString& control);

// TableName for a control in its window; empty for a window or a control without a layout name.
QString TableNameOf(const QWidget& control);

// A hint's first line without a trailing "(Win + ...)" shortcut: "Stop" for "Stop",
// "Play/Pause" for "Play/Pause (Win + Space)".
QString NameFromHint(const QString& hint);

}  // namespace tarvel::controls

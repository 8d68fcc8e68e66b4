#pragma once

#include <functional>

class QWidget;

// Whether the user can see a window's contents now, and a watch that says when that changes, so
// that nothing is drawn into a window nobody can see.
namespace tarvel::shell {

// The widget is shown, its window is not minimised, and the window system has it exposed: a
// window in the tray, unmapped on another virtual desktop or wholly covered is not.
bool OnScreen(const QWidget& widget);

// Calls `changed` once the events of a change have been handled, whenever the window is shown,
// hidden, minimised, restored, exposed or covered. The watch lives as long as the window.
void WatchOnScreen(QWidget& window, std::function<void()> changed);

}  // namespace tarvel::shell

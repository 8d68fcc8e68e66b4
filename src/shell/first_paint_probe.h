#pragma once

#include <functional>

class QWidget;

namespace tarvel::shell {

// Calls at_paint once, inside the first paint event of the window or of a control on it (a window
// covered by its controls gets no paint event of its own). Nothing is called if the window is
// never painted.
void OnFirstPaint(QWidget& window, std::function<void()> at_paint);

// Runs the action once from the event loop, right after the window's first paint, or after
// fallback_ms if the window has not been painted by then (shown minimised, say). Work the first
// picture of the window does not need is left to it, so the window appears sooner.
void AfterFirstPaint(QWidget& window, std::function<void()> action, int fallback_ms);

// A start-up timing switch for the benchmarks. When the environment variable
// TARVEL_REPORT_FIRST_PAINT is set, the first paint event of the window or of a control on it is
// reported on stderr as "first paint: N ms (CPU C ms)", N counted from the process's start and C
// the processor time used by then; with the value "quit" the window is then closed, as by its
// close button, so the run ends. Unset, nothing is watched.
void ReportFirstPaint(QWidget& window);

}  // namespace tarvel::shell

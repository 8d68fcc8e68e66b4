#pragma once

#include <functional>

namespace tarvel::system {

// Runs the action on the Qt event loop when the process gets SIGTERM (session logout) or SIGINT
// (Ctrl+C in a terminal), so the program can close as if its window was closed. Call once,
// after the application object exists.
void OnQuitSignal(std::function<void()> action);

}  // namespace tarvel::system

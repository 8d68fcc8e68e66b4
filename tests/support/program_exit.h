#pragma once

#include <QProcess>
#include <optional>

#include "platform/winmsg/client.h"

namespace tarvel::testing {

// Waits (limit_ms at most) for a program a test started to end by itself, and checks that it
// ended normally with the exit code. One that does not end is killed and fails the test.
void ExpectExit(QProcess& process, int code, int limit_ms);

// As ExpectExit, with exit code 0 within ten seconds.
void ExpectCleanExit(QProcess& process);

// Sends the program SIGTERM (a desktop's logout) and waits for exit code 0 as ExpectExit.
void TerminateAndExpectCleanExit(QProcess& process, int limit_ms = 10000);

// Closes a program as a window is closed (WM_CLOSE, when its window is there), then as
// ExpectCleanExit.
void CloseAndExpectCleanExit(QProcess& process, const std::optional<winmsg::WindowHandle>& window);

}  // namespace tarvel::testing

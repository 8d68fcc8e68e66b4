#pragma once

#include <QProcess>
#include <optional>

#include "platform/winmsg/client.h"

namespace tarvel::testing {

// Waits (ten seconds at most) for a program a test started to end by itself, and checks that
// it ended normally with exit code 0. One that does not end is killed and fails the test.
void ExpectCleanExit(QProcess& process);

// Closes a program as a window is closed (WM_CLOSE, when its window is there), then as
// ExpectCleanExit.
void CloseAndExpectCleanExit(QProcess& process, const std::optional<winmsg::WindowHandle>& window);

}  // namespace tarvel::testing

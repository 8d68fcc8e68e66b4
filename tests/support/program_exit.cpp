#include "support/program_exit.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "platform/winmsg/messages.h"

namespace tarvel::testing {

void ExpectExit(QProcess& process, int code, int limit_ms) {
    if (!process.waitForFinished(limit_ms) && process.state() != QProcess::NotRunning) {
        ADD_FAILURE() << process.program().toStdString() << " did not end";
        process.kill();
        process.waitForFinished();
        return;
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit)
        << process.program().toStdString() << " crashed";
    EXPECT_EQ(process.exitCode(), code) << process.program().toStdString();
}

void ExpectCleanExit(QProcess& process) {
    ExpectExit(process, 0, 10000);
}

void TerminateAndExpectCleanExit(QProcess& process, int limit_ms) {
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ExpectExit(process, 0, limit_ms);
}

void CloseAndExpectCleanExit(QProcess& process, const std::optional<winmsg::WindowHandle>& window) {
    if (window) {
        winmsg::PostMessage(*window, winmsg::WM_CLOSE, 0, 0);
    }
    ExpectCleanExit(process);
}

}  // namespace tarvel::testing

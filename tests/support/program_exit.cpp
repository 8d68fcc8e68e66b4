#include "support/program_exit.h"

#include <gtest/gtest.h>

#include "platform/winmsg/messages.h"

namespace tarvel::testing {

void ExpectCleanExit(QProcess& process) {
    if (!process.waitForFinished(10000) && process.state() != QProcess::NotRunning) {
        ADD_FAILURE() << process.program().toStdString() << " did not end";
        process.kill();
        process.waitForFinished();
        return;
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit)
        << process.program().toStdString() << " crashed";
    EXPECT_EQ(process.exitCode(), 0) << process.program().toStdString();
}

void CloseAndExpectCleanExit(QProcess& process, const std::optional<winmsg::WindowHandle>& window) {
    if (window) {
        winmsg::PostMessage(*window, winmsg::WM_CLOSE, 0, 0);
    }
    ExpectCleanExit(process);
}

}  // namespace tarvel::testing

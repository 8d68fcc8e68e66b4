#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>

#include "e2e/e2e_support.h"
#include "platform/winmsg/client.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

TEST(SingleInstance, ASecondStartEndsAtOnceAndTouchesNothing) {
    AppDirFixture app;
    // A second run: the first-run set-up would write files of its own while the test looks.
    app.WriteSettings({});
    QProcess first;
    app.Start(first);
    ASSERT_TRUE(app.WaitForWindows(first)) << "the first instance did not come up";
    const auto before = app.Snapshot();

    QProcess second;
    app.Start(second);
    ExpectCleanExit(second);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(app.Snapshot(), before);

    // SIGTERM closes the first one as its close button does.
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ExpectCleanExit(first);
    EXPECT_FALSE(winmsg::FindWindowByClass("TMinFrm"));
}

}  // namespace
}  // namespace tarvel::testing

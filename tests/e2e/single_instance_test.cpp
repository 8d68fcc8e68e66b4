#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>

#include "e2e/e2e_support.h"
#include "platform/winmsg/client.h"

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
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(app.Snapshot(), before);

    // SIGTERM closes the first one as its close button does.
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(winmsg::FindWindowByClass("TMinFrm"));
}

}  // namespace
}  // namespace tarvel::testing

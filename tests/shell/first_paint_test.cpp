// Work left until after a window's first picture: it runs once, from the event loop, after the
// window or a control on it has been painted; for a window that is never painted, after the
// fallback time.
#include "shell/first_paint_probe.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

namespace tarvel {
namespace {

TEST(AfterFirstPaint, RunsOnceAfterThePaintOrAfterTheFallback) {
    QWidget window;
    window.resize(120, 80);
    // The control covers the whole window, which then gets no paint event of its own.
    QWidget control(&window);
    control.setAutoFillBackground(true);
    control.setGeometry(0, 0, 120, 80);
    bool painted = false;
    shell::OnFirstPaint(window, [&painted] { painted = true; });
    int runs = 0;
    bool ran_after_paint = false;
    shell::AfterFirstPaint(
        window,
        [&] {
            ++runs;
            ran_after_paint = painted;
        },
        60'000);
    QTest::qWait(50);
    EXPECT_EQ(runs, 0) << "nothing runs before the window is painted";
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(runs, 1);
    EXPECT_TRUE(ran_after_paint);
    control.repaint();
    QTest::qWait(50);
    EXPECT_EQ(runs, 1) << "later paints run nothing";

    // Never painted: the fallback runs it, and a paint after that does not run it again.
    QWidget hidden;
    hidden.resize(50, 50);
    int hidden_runs = 0;
    shell::AfterFirstPaint(
        hidden, [&hidden_runs] { ++hidden_runs; }, 100);
    QTest::qWait(20);
    EXPECT_EQ(hidden_runs, 0);
    QTRY_COMPARE(hidden_runs, 1);
    hidden.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hidden));
    QTest::qWait(50);
    EXPECT_EQ(hidden_runs, 1);
}

}  // namespace
}  // namespace tarvel

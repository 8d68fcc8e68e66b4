#include "windows/window_placement.h"

#include <gtest/gtest.h>

namespace tarvel::windows {
namespace {

// A 1280 x 1024 screen with a 30-pixel panel at the top, and a 1920 x 1080 one right of it.
const QRect kLeft(0, 30, 1280, 994);
const QRect kRight(1280, 0, 1920, 1080);
// The main window as it opens at the design size.
const QSize kMain(698, 619);

TEST(KeepOnScreen, TheWindowMovesTheLeastDistanceOntoTheScreenItBelongsTo) {
    struct Case {
        const char* what;
        QPoint at;
        ScreenAreas areas;
        QPoint placed;
    };
    const Case cases[] = {
        {"wholly on a screen: left alone", {372, 149}, {kLeft}, {372, 149}},
        {"saved on a wider monitor", {1500, 149}, {kLeft}, {1280 - 698, 149}},
        {"far off beyond the corner", {5000, 4000}, {kLeft}, {1280 - 698, 1024 - 619}},
        {"above and left of the screen", {-300, -50}, {kLeft}, {0, 30}},
        {"under the panel", {100, 10}, {kLeft}, {100, 30}},
        {"mostly on the second screen: kept there", {1100, 500}, {kLeft, kRight}, {1280, 461}},
        {"mostly on the first screen: kept there", {700, 500}, {kLeft, kRight}, {582, 405}},
        {"off the right of the second: nearest is the second",
         {4000, 200},
         {kLeft, kRight},
         {3200 - 698, 200}},
        {"below the first, nowhere on a screen: nearest is the first",
         {300, 1500},
         {kLeft, kRight},
         {300, 1024 - 619}},
        {"no screen known: left alone", {5000, 4000}, {}, {5000, 4000}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeepOnScreen(QRect(c.at, kMain), c.areas), QRect(c.placed, kMain)) << c.what;
    }
}

TEST(KeepOnScreen, AWindowLargerThanTheScreenShowsItsTopLeftCorner) {
    // Twice the scale factor halves the screen a window is placed on: 640 x 512.
    const ScreenAreas small = {QRect(0, 0, 640, 512)};
    EXPECT_EQ(KeepOnScreen(QRect(QPoint(372, 149), kMain), small), QRect(QPoint(0, 0), kMain));
    EXPECT_EQ(KeepOnScreen(QRect(-40, 100, 600, 700), small), QRect(0, 0, 600, 700));
}

TEST(PlaceBeside, TheFirstSideWithRoomWinsElseOverTheAnchor) {
    const QSize equalizer(367, 187);
    struct Case {
        const char* what;
        QRect anchor;
        ScreenAreas areas;
        QPoint placed;
    };
    const Case cases[] = {
        {"room on the right", QRect(QPoint(100, 149), kMain), {kLeft}, {798, 149}},
        {"the right runs off: left", QRect(QPoint(500, 149), kMain), {kLeft}, {133, 149}},
        {"neither side: below", QRect(QPoint(300, 100), kMain), {kLeft}, {300, 719}},
        {"nor below: above", QRect(QPoint(300, 400), kMain), {kLeft}, {300, 213}},
        {"the right is another screen",
         QRect(QPoint(582, 149), kMain),
         {kLeft, kRight},
         {1280, 149}},
        {"no side has room: centred over it, on the screen",
         QRect(QPoint(0, 0), QSize(1280, 1024)),
         {QRect(0, 0, 1280, 1024)},
         {456, 418}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceBeside(c.anchor, equalizer, c.areas), QRect(c.placed, equalizer)) << c.what;
    }
}

TEST(FirstOnScreen, TheFirstCandidateThatFitsElseTheFirstKeptOnTheScreen) {
    const ScreenAreas areas = {QRect(0, 0, 1280, 1024)};
    // The small playlist under a mini player at the bottom of the screen opens above it.
    const QRect below(500, 1000, 213, 291);
    const QRect above(500, 709, 213, 291);
    EXPECT_EQ(FirstOnScreen(std::vector<QRect>{below, above}, areas), above);
    EXPECT_EQ(FirstOnScreen(std::vector<QRect>{above, below}, areas), above);
    const QRect off_right(1200, 1000, 213, 291);
    EXPECT_EQ(FirstOnScreen(std::vector<QRect>{off_right, QRect(1200, -200, 213, 291)}, areas),
              QRect(1067, 733, 213, 291));
    EXPECT_EQ(FirstOnScreen({}, areas), QRect());
}

}  // namespace
}  // namespace tarvel::windows

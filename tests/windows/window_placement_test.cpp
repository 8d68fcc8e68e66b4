#include "windows/window_placement.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace tarvel::windows {
namespace {

// A 1280 x 1024 screen with a 30-pixel panel at the top, and a 1920 x 1080 one right of it.
const QRect kLeft(0, 30, 1280, 994);
const QRect kRight(1280, 0, 1920, 1080);
// The main window as it opens at the design size.
const QSize kMain(698, 619);

// A window of a size placed on screens: given where it stands (or the window it goes beside),
// the top left corner it must get.
struct PlacementCase {
    const char* what;
    QRect given;
    ScreenAreas areas;
    QPoint placed;
};

// Each case placed by `place` (the given rectangle, the screens) is the window's size at the
// expected corner.
template <typename Place>
void ExpectPlacements(std::initializer_list<PlacementCase> cases, QSize size, Place place) {
    for (const PlacementCase& c : cases) {
        EXPECT_EQ(place(c.given, c.areas), QRect(c.placed, size)) << c.what;
    }
}

// A main window standing at a corner.
QRect MainAt(int x, int y) {
    return QRect(QPoint(x, y), kMain);
}

TEST(KeepOnScreen, TheWindowMovesTheLeastDistanceOntoTheScreenItBelongsTo) {
    ExpectPlacements(
        {
            {"wholly on a screen: left alone", MainAt(372, 149), {kLeft}, {372, 149}},
            {"saved on a wider monitor", MainAt(1500, 149), {kLeft}, {1280 - 698, 149}},
            {"far off beyond the corner", MainAt(5000, 4000), {kLeft}, {1280 - 698, 1024 - 619}},
            {"above and left of the screen", MainAt(-300, -50), {kLeft}, {0, 30}},
            {"under the panel", MainAt(100, 10), {kLeft}, {100, 30}},
            {"mostly on the second screen: kept there",
             MainAt(1100, 500),
             {kLeft, kRight},
             {1280, 461}},
            {"mostly on the first screen: kept there",
             MainAt(700, 500),
             {kLeft, kRight},
             {582, 405}},
            {"off the right of the second: nearest is the second",
             MainAt(4000, 200),
             {kLeft, kRight},
             {3200 - 698, 200}},
            {"below the first, nowhere on a screen: nearest is the first",
             MainAt(300, 1500),
             {kLeft, kRight},
             {300, 1024 - 619}},
            {"no screen known: left alone", MainAt(5000, 4000), {}, {5000, 4000}},
        },
        kMain, [](const QRect& at, const ScreenAreas& areas) { return KeepOnScreen(at, areas); });
}

TEST(KeepOnScreen, AWindowLargerThanTheScreenShowsItsTopLeftCorner) {
    // Twice the scale factor halves the screen a window is placed on: 640 x 512.
    const ScreenAreas small = {QRect(0, 0, 640, 512)};
    EXPECT_EQ(KeepOnScreen(QRect(QPoint(372, 149), kMain), small), QRect(QPoint(0, 0), kMain));
    EXPECT_EQ(KeepOnScreen(QRect(-40, 100, 600, 700), small), QRect(0, 0, 600, 700));
}

TEST(PlaceBeside, TheFirstSideWithRoomWinsElseOverTheAnchor) {
    const QSize equalizer(367, 187);
    ExpectPlacements(
        {
            {"room on the right", MainAt(100, 149), {kLeft}, {798, 149}},
            {"the right runs off: left", MainAt(500, 149), {kLeft}, {133, 149}},
            {"neither side: below", MainAt(300, 100), {kLeft}, {300, 719}},
            {"nor below: above", MainAt(300, 400), {kLeft}, {300, 213}},
            {"the right is another screen", MainAt(582, 149), {kLeft, kRight}, {1280, 149}},
            {"no side has room: centred over it, on the screen",
             QRect(QPoint(0, 0), QSize(1280, 1024)),
             {QRect(0, 0, 1280, 1024)},
             {456, 418}},
        },
        equalizer, [&](const QRect& anchor, const ScreenAreas& areas) {
            return PlaceBeside(anchor, equalizer, areas);
        });
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

// Where the real player's windows open on a private X server: a saved position far off the
// screen, or one saved without the desktop's scale factor, still opens the whole main window on
// the screen, and the tray, Win+Home and the mini player bring it back to that place; the mini
// player and the equalizer open on the screen too, the equalizer beside the main window.
#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "platform/fs/line_file.h"

namespace tarvel::testing {
namespace {

struct Screen {
    int width = 0;
    int height = 0;
};

void ExpectOnScreen(const XSession::Geometry& g, Screen screen, const char* what) {
    EXPECT_GE(g.x, 0) << what;
    EXPECT_GE(g.y, 0) << what;
    EXPECT_LE(g.x + g.width, screen.width) << what << " runs off the right edge at " << g.x;
    EXPECT_LE(g.y + g.height, screen.height) << what << " runs off the bottom edge at " << g.y;
}

bool SamePlace(const XSession::Geometry& a, const XSession::Geometry& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// A player whose conf.tcf holds a saved window position, with a 30-second tone playing at start
// (its name is the main window's title, which tells the main window from the mini player).
class PlacementJourney : public PlayerOnDisplay {
  public:
    PlacementJourney(const QString& screen, const std::string& left, const std::string& top)
        : PlayerOnDisplay(screen) {
        app.WriteSettings({kAutoPlay, {12, "form.left=" + left}, {13, "form.top=" + top}});
        app.WriteTonePl1({440}, 30);
    }

    // To the tray with Win+PageDown and back with Win+Home: the main window's place then.
    XSession::Geometry TrayAndBack() {
        x.Key("super+Next");
        EXPECT_TRUE(x.WaitForShown("tone440", false)) << "the main window did not go";
        x.Key("super+Home");
        EXPECT_TRUE(x.WaitForShown("tone440", true)) << "Win+Home did not bring it back";
        return x.WindowGeometry(window);
    }
};

TEST(WindowPlacementJourney, AFarOffSavedPositionOpensOnTheScreenAndEveryRestoreKeepsIt) {
    const Screen screen{1280, 1024};
    PlacementJourney j("1280x1024x24", "3000", "2500");
    ASSERT_TRUE(j.x.Ok());
    j.StartPlayer("tone440");
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    const XSession::Geometry opened = j.x.WindowGeometry(j.window);
    ExpectOnScreen(opened, screen, "the main window");

    EXPECT_TRUE(SamePlace(j.TrayAndBack(), opened)) << "the tray and Win+Home moved the window";

    // The mini player stands in on the screen; its normal-panel button brings the main window
    // back to the same place.
    j.Click(controls::Main::ImgMini);
    ASSERT_TRUE(j.x.WaitForShown("tone440", false)) << "the main window is still shown";
    const unsigned long mini = j.x.FindWindow("^Tarvel$");
    ASSERT_NE(mini, 0u) << "no mini player";
    ExpectOnScreen(j.x.WindowGeometry(mini), screen, "the mini player");
    j.x.Click(mini, ControlCentre(controls::Mini::ImgNormal));
    ASSERT_TRUE(j.x.WaitForShown("tone440", true)) << "the main window did not come back";
    EXPECT_TRUE(SamePlace(j.x.WindowGeometry(j.window), opened))
        << "the mini player brought the main window back elsewhere";

    // The equalizer opens beside the main window, on the screen, not over it.
    j.Click(controls::Main::ImgEqualizer);
    const unsigned long equalizer = j.x.FindWindow("^Equalizer$");
    ASSERT_NE(equalizer, 0u) << "the equalizer did not open";
    const XSession::Geometry eq = j.x.WindowGeometry(equalizer);
    ExpectOnScreen(eq, screen, "the equalizer");
    const bool beside = eq.x >= opened.x + opened.width || eq.x + eq.width <= opened.x ||
                        eq.y >= opened.y + opened.height || eq.y + eq.height <= opened.y;
    EXPECT_TRUE(beside) << "the equalizer at " << eq.x << "," << eq.y << " covers the main window";

    j.CloseAndExpectExit();
    const std::vector<std::string> conf = fs::ReadLines(j.app.FilePath("TvSysFile/conf.tcf"));
    EXPECT_EQ(conf.at(11), "form.left=" + std::to_string(opened.x));
    EXPECT_EQ(conf.at(12), "form.top=" + std::to_string(opened.y));
}

TEST(WindowPlacementJourney, UnderScaleFactorTwoTheSavedPositionStillKeepsTheWindowOnTheScreen) {
    // Twice the scale factor: the window and the position are counted in double-size pixels, so
    // a place that fitted a 1920-pixel desktop without it runs off this 2560-pixel screen.
    const Screen screen{2560, 1600};
    PlacementJourney j("2560x1600x24", "1000", "600");
    ASSERT_TRUE(j.x.Ok());
    j.scale = 2;
    ::setenv("QT_SCALE_FACTOR", "2", 1);
    j.StartPlayer("tone440");
    ::unsetenv("QT_SCALE_FACTOR");
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    const XSession::Geometry opened = j.x.WindowGeometry(j.window);
    EXPECT_GT(opened.width, 1280) << "the scale factor did not apply";
    ExpectOnScreen(opened, screen, "the main window");
    EXPECT_TRUE(SamePlace(j.TrayAndBack(), opened)) << "the tray and Win+Home moved the window";
    j.CloseAndExpectExit();
}

}  // namespace
}  // namespace tarvel::testing

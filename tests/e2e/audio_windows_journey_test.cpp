// The equalizer window and the analyser strip of the real player under a private X server,
// driven with real clicks, drags and keys at the layouts' places.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QThread>
#include <vector>

#include "e2e/e2e_support.h"
#include "e2e/x_session.h"
#include "platform/fs/line_file.h"

namespace tarvel::testing {
namespace {

// Design places (client coordinates) of the main window.
constexpr QPoint kPlay(14 + 15, 462 + 15);
constexpr QPoint kClose(660 + 8, 10 + 8);
constexpr QPoint kEqualizerButton(598 + 11, 470 + 11);
constexpr QPoint kAnalyserButton(126 + 10, 473 + 10);
constexpr QPoint kPlaylist(355 + 75, 86 + 200);
constexpr QRect kPaintFrame(202, 476, 288, 17);
constexpr QRgb kBoxColour = 0xFF121317;  // CmdSearch's background
// What moves by itself while a song plays: the scrolling title, the position bar, the times.
const std::vector<QRect> kMovingWhilePlaying = {
    {64, 12, 471, 15}, {36, 29, 211, 15}, {250, 30, 91, 13}, {343, 30, 111, 13}};
// Band 8's slider thumb in the equalizer window, at the flat position (offset 23 of 45).
constexpr QPoint kBand8Thumb(60 + 18 * 7 + 5, 34 + 23 + 31);

class AudioWindowsJourney : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        // A sweep, so the spectrum changes from frame to frame.
        const std::string song = MakeToneMp3(app.FilePath("music"), 300, 20, 3000);
        app.WriteSettings({{3, "Loading Player=Auto load PlayList Without auto play"}});
        app.WritePl1({song});
        app.StartOnDisplay(player, x.Display(), app.FilePath("out.wav"));
        ASSERT_TRUE(app.WaitForWindows(player)) << "the player did not come up";
        window = x.FindWindow("^Tarvel$");
        ASSERT_NE(window, 0u) << "no visible main window";
    }

    void TearDown() override { EndIfRunning(player); }

    void Click(unsigned long target, QPoint at) { x.Click(target, at.x(), at.y()); }

    // The main window's client area as it shows now.
    QImage Shot() {
        const std::string png = app.FilePath("shot.png");
        x.Screenshot(png);
        const XSession::Geometry g = x.WindowGeometry(window);
        return QImage(QString::fromStdString(png)).copy(g.x, g.y, g.width, g.height);
    }

    XSession x;
    AppDirFixture app;
    QProcess player;
    unsigned long window = 0;
};

// The pixels that differ between two shots, as points.
std::vector<QPoint> Differences(const QImage& a, const QImage& b) {
    std::vector<QPoint> points;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                points.emplace_back(x, y);
            }
        }
    }
    return points;
}

bool HasWhite(const QImage& shot, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (shot.pixel(x, y) == qRgb(255, 255, 255)) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(AudioWindowsJourney, EqualizerSliderAndAnalyserStripUnderTheMouse) {
    Click(window, kEqualizerButton);
    const unsigned long equalizer = x.FindWindow("^Equalizer$");
    ASSERT_NE(equalizer, 0u) << "the equalizer window did not appear";
    const XSession::Geometry shown = x.WindowGeometry(equalizer);
    EXPECT_EQ(shown.width, 367);
    EXPECT_EQ(shown.height, 187);
    // Band 8's slider dragged to the top: +15 dB, kept in the preset at exit.
    const QString id = QString::number(equalizer);
    x.Run("xdotool", {"mousemove", "--window", id, QString::number(kBand8Thumb.x()),
                      QString::number(kBand8Thumb.y()), "mousedown", "1"});
    for (const int y : {kBand8Thumb.y() - 10, kBand8Thumb.y() - 30, kBand8Thumb.y() - 60}) {
        x.Run("xdotool",
              {"mousemove", "--window", id, QString::number(kBand8Thumb.x()), QString::number(y)});
    }
    x.Run("xdotool", {"mouseup", "1"});
    Click(equalizer, QPoint(331 + 9, 9 + 9));  // ImgClose

    Click(window, kPlay);
    Click(window, kAnalyserButton);
    // The pointer leaves the window, so no hint or hover picture changes the shots.
    x.Run("xdotool", {"mousemove", "1270", "1010"});
    QElapsedTimer clock;
    clock.start();
    QImage before = Shot();
    while (!HasWhite(before, kPaintFrame) && clock.elapsed() < 15000) {
        QThread::msleep(100);
        before = Shot();
    }
    ASSERT_TRUE(HasWhite(before, kPaintFrame)) << "no bars in the strip";
    const QImage after = Shot();
    int inside = 0;
    for (const QPoint& p : Differences(before, after)) {
        if (kPaintFrame.contains(p)) {
            ++inside;
            continue;
        }
        bool moving = false;
        for (const QRect& area : kMovingWhilePlaying) {
            moving = moving || area.contains(p);
        }
        EXPECT_TRUE(moving) << "pixel " << p.x() << ", " << p.y() << " changed";
        if (!moving) {
            break;
        }
    }
    EXPECT_GT(inside, 0) << "the strip did not change from tick to tick";

    // A letter typed into the window switches the strip off: the command box is back in its
    // place (its colour, not the strip's black).
    Click(window, kPlaylist);
    x.Key("a");
    x.Run("xdotool", {"mousemove", "1270", "1010"});
    QThread::msleep(300);
    const QImage box = Shot();
    int box_colour = 0;
    for (int y = kPaintFrame.top(); y <= kPaintFrame.bottom(); ++y) {
        for (int x = kPaintFrame.left(); x <= kPaintFrame.right(); ++x) {
            box_colour += box.pixel(x, y) == kBoxColour ? 1 : 0;
        }
    }
    EXPECT_GT(box_colour, kPaintFrame.width() * kPaintFrame.height() * 9 / 10);

    Click(window, kClose);
    ASSERT_TRUE(player.waitForFinished(30000)) << "the player did not end";
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);
    const std::vector<std::string> preset = fs::ReadLines(app.FilePath("TvSysFile/UserEQ.teq"));
    ASSERT_EQ(preset.size(), 19u);
    EXPECT_EQ(preset[8], "15") << "band 8";
}

}  // namespace
}  // namespace tarvel::testing

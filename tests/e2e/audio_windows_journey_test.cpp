// The equalizer window and the analyser strip of the real player under a private X server,
// driven with real clicks, drags and keys at the layouts' places.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QThread>
#include <vector>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "platform/fs/line_file.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

constexpr QRgb kBoxColour = 0xFF121317;  // CmdSearch's background
// What moves by itself while a song plays: the scrolling title, the position bar, the times.
std::vector<QRect> MovingWhilePlaying() {
    std::vector<QRect> moving;
    for (controls::Main name : {controls::Main::Label3, controls::Main::TimeSKRL,
                                controls::Main::StaticText1, controls::Main::StaticText2}) {
        moving.push_back(ControlRect(name));
    }
    return moving;
}
// A slider's thumb in the equalizer window at the flat position: offset 23 of the slider's 45,
// the thumb 63 pixels long.
QPoint FlatThumb(controls::Eq slider) {
    const QRect r = ControlRect(slider);
    return {r.left() + r.width() / 2, r.top() + 23 + 63 / 2};
}

class AudioWindowsJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    void SetUp() override {
        // A sweep, so the spectrum changes from frame to frame.
        app.WriteSettings({kWithoutAutoPlay});
        app.WritePl1({MakeToneMp3(app.FilePath("music"), 300, 20, 3000)});
        StartPlayer();
    }

    // The main window's client area as it shows now.
    QImage Shot() {
        const std::string png = app.FilePath("shot.png");
        x.Screenshot(png);
        const XSession::Geometry g = x.WindowGeometry(window);
        return QImage(QString::fromStdString(png)).copy(g.x, g.y, g.width, g.height);
    }
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
    const QRect paint_frame = ControlRect(controls::Main::PaintFrame);
    const std::vector<QRect> moving_while_playing = MovingWhilePlaying();
    const QPoint thumb = FlatThumb(controls::Eq::KVRScrollerVr8);
    Click(controls::Main::ImgEqualizer);
    const unsigned long equalizer = x.FindWindow("^Equalizer$");
    ASSERT_NE(equalizer, 0u) << "the equalizer window did not appear";
    const XSession::Geometry shown = x.WindowGeometry(equalizer);
    EXPECT_EQ(shown.width, 367);
    EXPECT_EQ(shown.height, 187);
    // Band 8's slider dragged to the top: +15 dB, kept in the preset at exit.
    const QString id = QString::number(equalizer);
    x.Run("xdotool", {"mousemove", "--window", id, QString::number(thumb.x()),
                      QString::number(thumb.y()), "mousedown", "1"});
    for (const int y : {thumb.y() - 10, thumb.y() - 30, thumb.y() - 60}) {
        x.Run("xdotool",
              {"mousemove", "--window", id, QString::number(thumb.x()), QString::number(y)});
    }
    x.Run("xdotool", {"mouseup", "1"});
    x.Click(equalizer, ControlCentre(controls::Eq::ImgClose));

    Click(controls::Main::ImgPlayPause);
    Click(controls::Main::ImgAn);
    // The pointer leaves the window, so no hint or hover picture changes the shots.
    x.Run("xdotool", {"mousemove", "1270", "1010"});
    QElapsedTimer clock;
    clock.start();
    QImage before = Shot();
    while (!HasWhite(before, paint_frame) && clock.elapsed() < 15000) {
        QThread::msleep(100);
        before = Shot();
    }
    ASSERT_TRUE(HasWhite(before, paint_frame)) << "no bars in the strip";
    const QImage after = Shot();
    int inside = 0;
    for (const QPoint& p : Differences(before, after)) {
        if (paint_frame.contains(p)) {
            ++inside;
            continue;
        }
        bool moving = false;
        for (const QRect& area : moving_while_playing) {
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
    x.Click(window, ControlCentre(controls::Main::ListBox5));
    x.Key("a");
    x.Run("xdotool", {"mousemove", "1270", "1010"});
    QThread::msleep(300);
    const QImage box = Shot();
    int box_colour = 0;
    for (int y = paint_frame.top(); y <= paint_frame.bottom(); ++y) {
        for (int x = paint_frame.left(); x <= paint_frame.right(); ++x) {
            box_colour += box.pixel(x, y) == kBoxColour ? 1 : 0;
        }
    }
    EXPECT_GT(box_colour, paint_frame.width() * paint_frame.height() * 9 / 10);

    CloseAndExpectExit();
    const std::vector<std::string> preset = fs::ReadLines(app.FilePath("TvSysFile/UserEQ.teq"));
    ASSERT_EQ(preset.size(), 19u);
    EXPECT_EQ(preset[8], "15") << "band 8";
}

}  // namespace
}  // namespace tarvel::testing

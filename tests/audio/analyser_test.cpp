#include "audio/analyser.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "audio/strip_pixels.h"

namespace tarvel::audio {
namespace {

// The analyser strip of the main window: 288 x 17, bars 3 wide, cap 15, falls 2 and 1.
class SpectrumTest : public ::testing::Test {
  protected:
    SpectrumTest() : spectrum_(288, 17), target_(288, 17, QImage::Format_RGB32) {
        spectrum_.BarWidth = 3;
        spectrum_.MaxHeight = 15;
        spectrum_.BarFall = 2;
        spectrum_.PeakFall = 1;
        target_.fill(Qt::blue);
    }
    void Draw() {
        QPainter painter(&target_);
        spectrum_.Draw(painter, data_, 1, 1);
    }
    std::string Column(int x) const { return testing::StripColumn(target_, x); }

    TSpectrum spectrum_;
    QImage target_;
    float data_[513] = {};
};

TEST(Spectrum, ConstructorDefaults) {
    TSpectrum s(10, 20);
    EXPECT_EQ(s.Frame.size(), QSize(10, 20));
    EXPECT_EQ(s.MaxHeight, 100);
    EXPECT_EQ(s.BarFall, 3);
    EXPECT_EQ(s.BarWidth, 5);
    EXPECT_EQ(s.PeakFall, 1);
    EXPECT_EQ(s.Step, 1);
    EXPECT_TRUE(s.ClearFrame);
    EXPECT_TRUE(s.ShowPeak);
    EXPECT_EQ(s.PeakColor, QColor(255, 255, 0));
}

TEST_F(SpectrumTest, BarsRiseCapAndFallWithLingeringPeaks) {
    data_[5] = 0.03f;   // bar 0: 15, the cap
    data_[6] = -0.01f;  // bar 1: |v| -> 5
    data_[7] = 2.0f;    // bar 2: capped at 15
    data_[4] = 1.0f;    // never shown
    Draw();
    EXPECT_EQ(spectrum_.Levels[0], 15);
    EXPECT_EQ(spectrum_.Levels[1], 5);
    EXPECT_EQ(spectrum_.Levels[2], 15);
    // A level of n shows n - 1 rows: the bottom edge lies one row below the frame.
    EXPECT_EQ(Column(0), std::string(17, '.'));
    EXPECT_EQ(Column(1), "..." + std::string(14, 'W'));
    EXPECT_EQ(Column(3), "..." + std::string(14, 'W'));
    EXPECT_EQ(Column(4), std::string(17, '.'));  // the gap
    EXPECT_EQ(Column(5), std::string(13, '.') + "WWWW");

    std::fill(std::begin(data_), std::end(data_), 0.0f);
    Draw();
    EXPECT_EQ(spectrum_.Levels[0], 13);
    EXPECT_EQ(spectrum_.Peaks[0], 14);
    EXPECT_EQ(Column(1), "....Y" + std::string(12, 'W'));
    for (int frame = 0; frame < 20; ++frame) {
        Draw();
    }
    EXPECT_EQ(spectrum_.Levels[0], 0);
    EXPECT_EQ(spectrum_.Peaks[0], 0);
    EXPECT_EQ(Column(1), std::string(17, '.'));  // a peak of 0 lies below the frame
}

TEST_F(SpectrumTest, BarsPastTheWidthAreClipped) {
    std::fill(std::begin(data_), std::end(data_), 0.02f);  // 10 everywhere
    Draw();
    EXPECT_EQ(Column(285), std::string(8, '.') + std::string(9, 'W'));  // bar 71
    EXPECT_EQ(Column(287), std::string(8, '.') + std::string(9, 'W'));
    EXPECT_EQ(spectrum_.Levels[128], 10);
}

}  // namespace
}  // namespace tarvel::audio

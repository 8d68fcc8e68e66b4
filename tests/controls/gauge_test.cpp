#include <gtest/gtest.h>

#include "controls/gauge.h"
#include "platform/error/app_error.h"

namespace tarvel::controls {
namespace {

TEST(GaugeRules, PercentClampAndBar) {
    EXPECT_EQ(GaugePercent({0, 9, 7}), 77);
    EXPECT_EQ(GaugePercent({0, 0, 0}), 0);
    EXPECT_EQ(GaugePercent({-10, 10, 0}), 50);
    EXPECT_EQ(GaugePercent({0, 2147483647, 2147483647}), 100);  // no overflow
    EXPECT_EQ(ClampProgress(150, {0, 100, 0}), 100);
    EXPECT_EQ(ClampProgress(-1, {0, 100, 0}), 0);
    EXPECT_EQ(GaugeBar(QRect(1, 1, 286, 15), 77), QRect(1, 1, 220, 15));  // 286 x 0.77 = 220.22
    EXPECT_TRUE(GaugeBar(QRect(1, 1, 286, 15), 0).isEmpty());
    EXPECT_EQ(GaugeBar(QRect(1, 1, 286, 15), 100).width(), 286);
}

TEST(GaugeRules, RefusesTurnedRangeWithItsText) {
    try {
        WithMaxValue({10, 100, 10}, 5);
        FAIL() << "not refused";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Value must be between 11 and 2147483647");
    }
    try {
        WithMinValue({0, 100, 0}, 101);
        FAIL() << "not refused";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Value must be between -2147483647 and 99");
    }
    EXPECT_EQ(WithMinValue({0, 100, 5}, 20).progress, 20);
    EXPECT_EQ(WithMaxValue({0, 100, 50}, 30).progress, 30);
}

TEST(Gauge, PaintsBarBorderAndInverseText) {
    TGauge gauge;
    gauge.resize(288, 17);
    gauge.SetForeColor(QColor(0xF8, 0xEF, 0xEF));
    gauge.SetBackColor(Qt::black);
    gauge.SetMaxValue(9);
    gauge.SetProgress(7);
    EXPECT_EQ(gauge.PercentDone(), 77);
    EXPECT_THROW(gauge.SetMinValue(10), AppError);
    EXPECT_EQ(gauge.MinValue(), 0);
    const QImage image = gauge.Render();
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));  // border
    // Inner width 286: the bar covers x 1..220, the background starts at 221.
    EXPECT_EQ(image.pixel(5, 8), qRgb(0xF8, 0xEF, 0xEF));
    EXPECT_EQ(image.pixel(220, 2), qRgb(0xF8, 0xEF, 0xEF));
    EXPECT_EQ(image.pixel(221, 2), qRgb(0, 0, 0));
    // The centred "77%" lies on the bar and shows inverted there (dark on light).
    int inverted = 0;
    for (int x = 124; x < 164; ++x)
        for (int y = 1; y < 16; ++y)
            inverted += image.pixel(x, y) == qRgb(0x07, 0x10, 0x10);
    EXPECT_GT(inverted, 5);

    TGauge empty;
    empty.resize(100, 20);
    empty.SetMaxValue(0);
    EXPECT_EQ(empty.PercentDone(), 0);
    const QImage none = empty.Render();
    EXPECT_EQ(none.pixel(3, 3), qRgb(255, 255, 255));  // no bar on the white background
}

}  // namespace
}  // namespace tarvel::controls

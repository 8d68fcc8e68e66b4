#include <gtest/gtest.h>
#include <cstdint>
#include <limits>

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

TEST(GaugeRules, WideRangesShowEveryPercentageAsTheFullRangeGivesIt) {
    constexpr int64_t kTop = std::numeric_limits<int64_t>::max();
    const int64_t maxima[] = {100, 2147483647, 2147483648, 4294967296, 4500000000000000000, kTop};
    for (const int64_t max : maxima) {
        const int shown_max = GaugeMaximumFor(max);
        const int64_t parts[] = {0, 1, max / 3, max / 2, max - max / 100, max - 1, max};
        for (const int64_t part : parts) {
            __extension__ using Wide = __int128;
            const auto exact = static_cast<int>(static_cast<Wide>(part) * 100 / max);
            EXPECT_EQ(GaugePercent({0, shown_max, GaugeProgressFor(part, max)}), exact)
                << part << " of " << max;
        }
    }
    EXPECT_EQ(GaugeMaximumFor(2147483647), 2147483647);  // 32-bit ranges stay as they are
    EXPECT_EQ(GaugeProgressFor(-5, 100), -5);
    EXPECT_EQ(GaugeProgressFor(kTop, 2147483648), GaugeMaximumFor(2147483648));
}

TEST(Gauge, LongRangeShowsTheSamePercentageAndRescalesTheProgress) {
    TGauge gauge;
    gauge.SetLongMaxValue(2147483648);  // a sort of 65 536 paths
    gauge.SetLongProgress(0);
    EXPECT_EQ(gauge.PercentDone(), 0);
    gauge.SetLongProgress(1073741824);
    EXPECT_EQ(gauge.PercentDone(), 50);
    gauge.SetLongProgress(2147483648);
    EXPECT_EQ(gauge.PercentDone(), 100);
    gauge.SetLongMaxValue(4294967296);  // the same progress on a wider range is half done
    EXPECT_EQ(gauge.PercentDone(), 50);
    gauge.SetLongMaxValue(65536);  // and past a smaller one, full
    EXPECT_EQ(gauge.Progress(), 65536);
    EXPECT_THROW(gauge.SetLongMaxValue(-5), AppError);  // below the minimum: refused as before
    EXPECT_EQ(gauge.MaxValue(), 65536);
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

#include "controls/gauge_rules.h"

#include <fmt/format.h>
#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/error/app_error.h"

namespace tarvel::controls {
namespace {

constexpr int kLowest = -std::numeric_limits<int>::max();  // -2147483647
constexpr int kHighest = std::numeric_limits<int>::max();

[[noreturn]] void Refuse(std::int64_t low, std::int64_t high) {
    throw AppError(fmt::format("Value must be between {} and {}", low, high));
}

}  // namespace

int GaugePercent(const GaugeRange& range) {
    const std::int64_t span = static_cast<std::int64_t>(range.max) - range.min;
    if (span == 0)
        return 0;
    return static_cast<int>((static_cast<std::int64_t>(range.progress) - range.min) * 100 / span);
}

int ClampProgress(int progress, const GaugeRange& range) {
    return std::clamp(progress, range.min, std::max(range.min, range.max));
}

GaugeRange WithMinValue(GaugeRange range, int min) {
    if (min > range.max)
        Refuse(kLowest, static_cast<std::int64_t>(range.max) - 1);
    range.min = min;
    range.progress = ClampProgress(range.progress, range);
    return range;
}

GaugeRange WithMaxValue(GaugeRange range, int max) {
    if (max < range.min)
        Refuse(static_cast<std::int64_t>(range.min) + 1, kHighest);
    range.max = max;
    range.progress = ClampProgress(range.progress, range);
    return range;
}

int GaugeMaximumFor(int64_t maximum) {
    if (maximum > kHighest)
        return kLongGaugeSpan;
    return static_cast<int>(std::max<int64_t>(maximum, kLowest));
}

int GaugeProgressFor(int64_t progress, int64_t maximum) {
    if (maximum <= kHighest)
        return static_cast<int>(std::clamp<int64_t>(progress, kLowest, kHighest));
    __extension__ using Wide = __int128;
    const int64_t within = std::clamp<int64_t>(progress, 0, maximum);
    return static_cast<int>(static_cast<Wide>(within) * kLongGaugeSpan / maximum);
}

QRect GaugeBar(const QRect& inner, int percent) {
    if (percent <= 0)
        return QRect();
    const int width = std::min(inner.width(), static_cast<int>(inner.width() * (percent * 0.01)));
    return QRect(inner.left(), inner.top(), width, inner.height());
}

}  // namespace tarvel::controls

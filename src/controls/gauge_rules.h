#pragma once

#include <QRect>
#include <cstdint>
#include <string>

// The arithmetic of the progress gauge: percentage, clamping and the refusal of a range whose
// minimum would pass its maximum.
namespace tarvel::controls {

struct GaugeRange {
    int min = 0;
    int max = 100;
    int progress = 0;
};

// (progress - min) x 100 / (max - min), truncated toward zero; 0 for an empty range.
int GaugePercent(const GaugeRange& range);

// Progress kept inside [min, max].
int ClampProgress(int progress, const GaugeRange& range);

// A new minimum or maximum, with the progress pulled inside. Throws AppError
// "Value must be between A and B" when the new value would pass the other end.
GaugeRange WithMinValue(GaugeRange range, int min);
GaugeRange WithMaxValue(GaugeRange range, int max);

// Counts wider than the gauge's 32 bits (a sort's maximum of round(n * n / 2) passes 2^31 from
// 65 536 paths). A range from 0 to a maximum that fits in 32 bits is shown as it is; a wider one
// is mapped onto 0 .. kLongGaugeSpan, a multiple of 100, so every percentage comes out exactly as
// on the full range and a progress at the maximum shows 100%.
inline constexpr int kLongGaugeSpan = 2000000000;
// The maximum the gauge shows for a 64-bit maximum.
int GaugeMaximumFor(int64_t maximum);
// The progress the gauge shows for a 64-bit progress on a range up to `maximum`.
int GaugeProgressFor(int64_t progress, int64_t maximum);

// The filled part of the inner rectangle for a percentage.
QRect GaugeBar(const QRect& inner, int percent);

}  // namespace tarvel::controls

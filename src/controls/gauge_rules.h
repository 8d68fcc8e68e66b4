#pragma once

#include <QRect>
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

// The filled part of the inner rectangle for a percentage.
QRect GaugeBar(const QRect& inner, int percent);

}  // namespace tarvel::controls

#pragma once

#include <QColor>

// The colours of the horizontal skinned bars on the skin's graphite windows, and the contrast
// rule they follow: the arrow glyphs are black, so the body behind them must be light enough.
namespace tarvel::controls {

class TKVRScrollerH;

// The contrast two colours give, from 1 (the same) to 21 (black and white): the ratio of their
// relative luminances (sRGB channels linearised, weighted 0.2126, 0.7152, 0.0722), each plus
// 0.05.
double ContrastRatio(const QColor& a, const QColor& b);

// The least contrast black arrows need on a bar's body to read at their 7 x 9 pixels.
inline constexpr double kArrowContrast = 4.5;

struct BarLook {
    QColor body;   // the outer panel, behind the arrows and around the band
    QColor band;   // the sunken band
    QColor thumb;  // the thumb
    QColor text;   // the thumb text
};

// The main window's time and volume bars and the shuffle options' share bars: a steel body that
// gives the black arrows 6 : 1, a dark band and a rose thumb with white text.
BarLook MainBarLook();

void ApplyBarLook(TKVRScrollerH& bar, const BarLook& look);

}  // namespace tarvel::controls

#include "controls/bar_look.h"

#include <algorithm>
#include <cmath>

#include "controls/kvr_scroller_h.h"
#include "controls/skin_palette.h"

namespace tarvel::controls {
namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Linear(colour.red()) + 0.7152 * Linear(colour.green()) +
           0.0722 * Linear(colour.blue());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a) + 0.05;
    const double lb = Luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

BarLook MainBarLook() {
    return {palette::kBarBody, palette::kBarBand, palette::kRose, QColor(Qt::white)};
}

void ApplyBarLook(TKVRScrollerH& bar, const BarLook& look) {
    bar.SetColor(look.body);
    bar.SetColorBand(look.band);
    bar.SetColorThumb(look.thumb);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::WindowText, look.text);
    bar.setPalette(palette);
}

}  // namespace tarvel::controls

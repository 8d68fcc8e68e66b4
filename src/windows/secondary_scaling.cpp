#include "windows/secondary_scaling.h"

#include <cmath>

namespace tarvel::windows {
namespace {

constexpr double kDesignScreenWidth = 1024.0;

// Rounding to nearest with ties to even, as every rounding of the program.
int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

double ScaleOfScreenWidth(int screen_width) {
    return screen_width / kDesignScreenWidth;
}

void ScaleMiniStrip(ControlRects& rects, double scale_x, double font_ratio) {
    const double f = scale_x * font_ratio;
    if (f >= 1.0) {
        return;
    }
    QRect& title = rects.at("Label3");
    QRect& time = rects.at("StaticText1");
    title.setWidth(Round(title.width() * f));
    time.moveLeft(title.left() + title.width() + 2);
    time.setWidth(Round(time.width() * f));
    const QRect& position = rects.at("SCRLtimeMIN");
    QRect& volume = rects.at("SCRLvolumeMIN");
    volume.moveLeft(position.left());
    volume.setWidth(position.width());
}

void ScaleSmallPlaylist(ControlRects& rects, double scale_x) {
    if (scale_x >= 1.0) {
        return;
    }
    const auto scaled = [scale_x](int value) { return Round(value * scale_x); };
    QRect& list = rects.at("ListBox6");
    list =
        QRect(scaled(list.left()), scaled(list.top()), scaled(list.width()), scaled(list.height()));
    QRect& background = rects.at("ImgFon");
    background = QRect(scaled(background.left()), scaled(background.top()),
                       Round(background.width() * scale_x + 3), scaled(background.height()));
    QRect& bar = rects.at("KVRScrollerVr6");
    bar = QRect(list.left() + list.width(), scaled(bar.top()), bar.width(), scaled(bar.height()));
}

QRect SmallPlaylistOutline(const QRect& background) {
    const int left = background.left() + 5;
    const int top = background.top() + 2;
    const int right = background.left() + background.width() - 1;
    const int bottom = background.top() + background.height() - 3;
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace tarvel::windows

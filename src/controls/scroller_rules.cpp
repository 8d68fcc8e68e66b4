#include "controls/scroller_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tarvel::controls {

int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int ClampScrollPosition(int value, int min, int max) {
    if (value < 0)
        value = 0;
    if (value > max)
        value = max;
    if (value < min)
        value = min;
    return value;
}

int ThumbOffset(int position, int min, int max, int travel) {
    const double range = std::abs(static_cast<double>(max) - min);
    if (min >= position || range == 0)
        return 0;
    return RoundEven((position - static_cast<double>(min)) / range * travel);
}

int PositionFromOffset(int offset, int min, int max, int travel) {
    if (travel <= 0)
        return min;
    const double range = std::abs(static_cast<double>(max) - min);
    return RoundEven(static_cast<double>(offset) / travel * range) + min;
}

QString TimeText(int seconds) {
    if (seconds < 0)
        return QStringLiteral("-") + TimeText(-seconds);
    const int days = seconds / 86400;
    const int hours = seconds % 86400 / 3600;
    const int minutes = seconds % 3600 / 60;
    const int secs = seconds % 60;
    QString text;
    if (days > 0)
        text += QString::number(days) + ':';
    // Once days are shown the hours are too, so one day does not read as one hour.
    if (hours > 0 || days > 0)
        text += QString::number(hours) + ':';
    return text +
           QStringLiteral("%1:%2").arg(minutes, 2, 10, QChar('0')).arg(secs, 2, 10, QChar('0'));
}

QString ThumbText(int position, double vkoef, bool round_thumb) {
    if (vkoef == 0)
        return TimeText(position);
    const double value = vkoef * position;
    if (round_thumb)
        return QString::number(RoundEven(value));
    return QString::number(value, 'g', 15);
}

int BandClickPosition(int click_x, int band_width, int max) {
    if (band_width <= 0)
        return 0;
    return RoundEven(static_cast<double>(max) / band_width * click_x);
}

OuterLayout LayoutWithButtons(ScrollKind kind, int w, int h) {
    if (kind == ScrollKind::Horizontal) {
        return {QRect(1, 1, 13, h - 2), QRect(w - 14, 1, 13, h - 2), QRect(15, 0, w - 30, h)};
    }
    return {QRect(1, 1, w - 2, 13), QRect(1, h - 14, w - 2, 13), QRect(0, 15, w, h - 30)};
}

TrackLayout LayoutPanelTrack(ScrollKind kind, int w, int h, int thumb_size, int offset) {
    if (kind == ScrollKind::Horizontal) {
        return {QRect(1, h / 2 - 3, w - 2, 6), QRect(offset, 1, thumb_size, h - 2)};
    }
    return {QRect(w / 2 - 3, 1, 6, h - 2), QRect(1, offset, w - 2, thumb_size)};
}

TrackLayout LayoutPictureTrack(int w, int h, QSize thumb_picture, int thumb_size, int offset) {
    const QSize thumb = thumb_picture.isEmpty() ? QSize(w - 2, thumb_size) : thumb_picture;
    return {QRect(w / 2 - 1, 0, 4, h), QRect(QPoint(1, offset), thumb)};
}

QString HintWithSecondLine(const QString& hint, const QString& line) {
    if (line.isEmpty() || hint.isEmpty())
        return hint;
    return hint + '\n' + line;
}

int ThumbTravel(ScrollKind kind, QSize track, int thumb_size) {
    const int length = kind == ScrollKind::Horizontal ? track.width() : track.height();
    return std::max(0, length - thumb_size);
}

}  // namespace tarvel::controls

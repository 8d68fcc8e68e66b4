#include "controls/gauge.h"

#include <QPainter>

#include "controls/bgr_color.h"

namespace tarvel::controls {

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

void TGauge::SetRange(const GaugeRange& range) {
    const bool changed = GaugePercent(range) != GaugePercent(range_) || range.min != range_.min ||
                         range.max != range_.max;
    range_ = range;
    if (changed)
        update();
}

void TGauge::SetMinValue(int min) {
    SetRange(WithMinValue(range_, min));
}

void TGauge::SetMaxValue(int max) {
    SetRange(WithMaxValue(range_, max));
    long_max_ = max;
}

void TGauge::SetProgress(int progress) {
    GaugeRange next = range_;
    next.progress = ClampProgress(progress, range_);
    SetRange(next);
    long_progress_ = progress;
}

void TGauge::SetLongMaxValue(int64_t max) {
    GaugeRange next = WithMaxValue(range_, GaugeMaximumFor(max));
    next.progress = ClampProgress(GaugeProgressFor(long_progress_, max), next);
    long_max_ = max;
    SetRange(next);
}

void TGauge::SetLongProgress(int64_t progress) {
    GaugeRange next = range_;
    next.progress = ClampProgress(GaugeProgressFor(progress, long_max_), range_);
    SetRange(next);
    long_progress_ = progress;
}

void TGauge::SetShowText(bool show) {
    if (show == show_text_)
        return;
    show_text_ = show;
    update();
}

void TGauge::SetBorderStyle(BorderStyle border) {
    if (border == border_)
        return;
    border_ = border;
    update();
}

void TGauge::SetForeColor(const QColor& color) {
    if (color == fore_)
        return;
    fore_ = color;
    update();
}

void TGauge::SetBackColor(const QColor& color) {
    if (color == back_)
        return;
    back_ = color;
    update();
}

QImage TGauge::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    QPainter painter(&image);
    QRect inner = image.rect();
    if (border_ == BorderStyle::Single) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inner.adjusted(0, 0, -1, -1));
        inner.adjust(1, 1, -1, -1);
    }
    painter.fillRect(inner, back_);
    const int percent = PercentDone();
    const QRect bar = GaugeBar(inner, percent);
    if (!bar.isEmpty())
        painter.fillRect(bar, fore_);
    if (show_text_) {
        // White text on a black copy of the area, combined by exclusive-or: the text shows in the
        // inverse colour of whatever lies beneath it.
        QImage text(size(), QImage::Format_RGB32);
        text.fill(Qt::black);
        QPainter text_painter(&text);
        text_painter.setFont(font());
        text_painter.setPen(Qt::white);
        text_painter.drawText(inner, Qt::AlignCenter, QStringLiteral("%1%").arg(percent));
        text_painter.end();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.drawImage(0, 0, text);
    }
    return image;
}

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void ApplyMainGaugeLook(TGauge& gauge) {
    constexpr uint32_t kNearWhite = 15724536;  // blue-green-red
    gauge.SetForeColor(ColorFromBgr(kNearWhite));
    gauge.SetBackColor(Qt::black);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    gauge.setFont(font);
}

}  // namespace tarvel::controls

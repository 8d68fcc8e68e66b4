#include "controls/title_strip.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

namespace tarvel::controls {
namespace {

// The skin's rose, shown until the first title is drawn.
const QColor kRose(0xB4, 0x5D, 0x62);

}  // namespace

TitleStrip::TitleStrip(QWidget* parent) : QWidget(parent) {
    QFont font("Verdana");
    font.setPointSize(10);
    setFont(font);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int TitleStrip::Measure(const QString& text) const {
    return fontMetrics().horizontalAdvance(text);
}

void TitleStrip::Show(const QString& text, int x, const QColor& text_color,
                      const QColor& back_color) {
    if (text != text_ || text_color != text_color_ || back_color != back_color_ ||
        text_picture_.height() != height()) {
        const bool new_title = text != text_;
        text_ = text;
        if (new_title) {
            // A screen reader reads the title as the strip's name.
            QAccessibleEvent event(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
        text_color_ = text_color;
        back_color_ = back_color;
        text_picture_ =
            QImage(std::max(1, Measure(text)), std::max(1, height()), QImage::Format_RGB32);
        text_picture_.fill(back_color);
        QPainter painter(&text_picture_);
        painter.setFont(font());
        painter.setPen(text_color);
        painter.drawText(text_picture_.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
        server_copy_.Drop();
        server_picture_ = false;
        server_refused_ = false;
    } else if (x == x_) {
        return;  // nothing moved
    }
    x_ = x;
    if (server_copy_.Usable() && isVisible() && !server_refused_) {
        if (server_picture_ && server_copy_.Show(*this, x)) {
            return;
        }
        // Sent once the window shows and again after a resize; this step is painted.
        server_picture_ = server_copy_.Load(*this, text_picture_, 0xFF000000 | back_color.rgb());
        server_refused_ = !server_picture_;
    }
    update();
}

void TitleStrip::resizeEvent(QResizeEvent*) {
    server_refused_ = false;
}

void TitleStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), back_color_.isValid() ? back_color_ : kRose);
    if (!text_picture_.isNull()) {
        painter.drawImage(x_, 0, text_picture_);
    }
}

}  // namespace tarvel::controls

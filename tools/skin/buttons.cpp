#include "buttons.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "skin_style.h"

namespace tarvel::skin {
namespace {

QImage Body(QSize size, const QColor& ground = kBody) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(ground);
    return image;
}

// The bright face of strip buttons and its ink.
const QColor kStripLit(0xf6, 0xe1, 0xe3);
const QColor kStripLitInk(0x6e, 0x2c, 0x33);

}  // namespace

QImage RoundButton(QSize size, Icon icon, int state, double icon_share) {
    QImage image = Body(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The disc and its widest rim stay off the last column and row, which a neighbouring button
    // may cover.
    const double d = std::min(size.width(), size.height()) - 2.5;
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const QRectF disc(centre.x() - d / 2, centre.y() - d / 2, d, d);
    QLinearGradient fill(disc.topLeft(), disc.bottomLeft());
    QColor rim;
    QColor ink;
    if (state == 3) {
        fill.setColorAt(0, kRoseDark);
        fill.setColorAt(1, kRose);
        rim = kRoseLight.darker(115);
        ink = Qt::white;
    } else {
        fill.setColorAt(0, QColor(0x3a, 0x3d, 0x48));
        fill.setColorAt(1, QColor(0x22, 0x24, 0x2b));
        rim = state == 2 ? kRose : QColor(0x48, 0x4c, 0x58);
        ink = state == 2 ? kRoseLight : kInk;
    }
    // A soft shadow under the disc lifts it from the body.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(disc.translated(0, 0.8));
    p.setBrush(fill);
    p.setPen(QPen(rim, state == 1 ? 1.0 : 1.4));
    p.drawEllipse(disc.adjusted(0.5, 0.5, -0.5, -0.5));
    const double s = d * icon_share;
    const double shift = state == 3 ? 0.6 : 0;
    DrawIcon(p, icon, QRectF(centre.x() - s / 2 + shift, centre.y() - s / 2 + shift, s, s), ink);
    return image;
}

QImage SquareButton(QSize size, Icon icon, int state) {
    QImage image = Body(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(image.rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(state == 1 ? QColor(0x40, 0x43, 0x4e) : kRoseLight.darker(120), 1));
    p.setBrush(state == 1 ? kBodyLight : kRose);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    DrawIcon(p, icon, box.adjusted(0.5, 0.5, -0.5, -0.5), state == 1 ? kInk : QColor(Qt::white));
    return image;
}

QImage IconButton(QSize size, Icon icon, int state) {
    QImage image = Body(size);
    QPainter p(&image);
    const double s = std::min(size.width(), size.height());
    const QRectF box((size.width() - s) / 2, (size.height() - s) / 2, s, s);
    DrawIcon(p, icon, box, state == 1 ? kInkDim : kRoseLight);
    return image;
}

QImage TextButton(QSize size, const QString& text, bool lit, bool hover) {
    QImage image = Body(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double r = box.height() / 2;
    p.setPen(QPen(lit || hover ? kRoseLight.darker(125) : QColor(0x48, 0x4c, 0x58), 1));
    p.setBrush(lit ? kRose : (hover ? kRoseDark : kBodyLight));
    p.drawRoundedRect(box, r, r);
    p.setFont(SkinFont(std::max(7, size.height() - 6), true, true));
    p.setPen(lit || hover ? QColor(Qt::white) : kInk);
    p.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

QImage StripTextButton(QSize size, const QString& text, bool lit) {
    QImage image = Body(size, kRose);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const double r = box.height() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? kStripLit : kRoseDark);
    p.drawRoundedRect(box, r, r);
    p.setFont(SkinFont(std::max(7, size.height() - 7), true, true));
    p.setPen(lit ? kStripLitInk : kStripLit);
    p.drawText(box, Qt::AlignCenter, text);
    return image;
}

QImage StripIconButton(QSize size, Icon icon, int state) {
    QImage image = Body(size, kRose);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(image.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    if (state == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(kStripLit);
        p.drawRoundedRect(box, 3, 3);
    }
    DrawIcon(p, icon, box, state == 2 ? kStripLitInk : QColor(Qt::white));
    return image;
}

}  // namespace tarvel::skin

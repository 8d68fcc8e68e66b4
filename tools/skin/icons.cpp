#include "icons.h"

#include <QPainterPath>
#include <cmath>

#include "skin_style.h"

namespace tarvel::skin {
namespace {

// Icons are drawn in a 24 x 24 design square, scaled to the box.
constexpr double kDesign = 24;

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& c) {
    // A thin stroke in the fill colour rounds the corners of small triangles.
    p.setPen(QPen(c, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(c);
    p.drawPath(path);
}

void Stroke(QPainter& p, const QPainterPath& path, const QColor& c, double width) {
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// An arrowhead at `tip` pointing along `angle_deg` (0 = right, 90 = down).
QPainterPath Head(QPointF tip, double angle_deg, double size) {
    const double a = angle_deg * M_PI / 180;
    const QPointF back(tip.x() - size * std::cos(a), tip.y() - size * std::sin(a));
    const QPointF side(-std::sin(a) * size * 0.62, std::cos(a) * size * 0.62);
    return Polygon({tip, back + side, back - side});
}

void Gear(QPainter& p, const QColor& c) {
    QPainterPath outline;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double r = i % 2 == 0 ? 9.2 : 7.0;
        for (double k : {-0.36, 0.36}) {
            const double a = (i + 0.5 + k) * M_PI / teeth;
            const QPointF pt(12 + r * std::cos(a), 12 + r * std::sin(a));
            if (outline.elementCount() == 0) {
                outline.moveTo(pt);
            } else {
                outline.lineTo(pt);
            }
        }
    }
    outline.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(12, 12), 3.1, 3.1);
    Fill(p, outline.subtracted(hole), c);
}

}  // namespace

void DrawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / kDesign, box.height() / kDesign);
    const double line = 2.4;
    switch (icon) {
        case Icon::Play:
            Fill(p, Polygon({{8, 5}, {8, 19}, {19.5, 12}}), c);
            break;
        case Icon::Pause:
            Fill(p, Polygon({{6.5, 5}, {10.5, 5}, {10.5, 19}, {6.5, 19}}), c);
            Fill(p, Polygon({{13.5, 5}, {17.5, 5}, {17.5, 19}, {13.5, 19}}), c);
            break;
        case Icon::Stop: {
            QPainterPath sq;
            sq.addRoundedRect(QRectF(6, 6, 12, 12), 1.5, 1.5);
            Fill(p, sq, c);
            break;
        }
        case Icon::Prev:
            Fill(p, Polygon({{5, 6}, {8, 6}, {8, 18}, {5, 18}}), c);
            Fill(p, Polygon({{19, 5.5}, {19, 18.5}, {9, 12}}), c);
            break;
        case Icon::Next:
            Fill(p, Polygon({{16, 6}, {19, 6}, {19, 18}, {16, 18}}), c);
            Fill(p, Polygon({{5, 5.5}, {5, 18.5}, {15, 12}}), c);
            break;
        case Icon::Repeat: {
            QPainterPath top;
            top.moveTo(5, 13);
            top.lineTo(5, 10);
            top.quadTo(5, 7, 8, 7);
            top.lineTo(16, 7);
            QPainterPath bottom;
            bottom.moveTo(19, 11);
            bottom.lineTo(19, 14);
            bottom.quadTo(19, 17, 16, 17);
            bottom.lineTo(8, 17);
            Stroke(p, top, c, line);
            Stroke(p, bottom, c, line);
            Fill(p, Head({20, 7}, 0, 4.6), c);
            Fill(p, Head({4, 17}, 180, 4.6), c);
            break;
        }
        case Icon::Shuffle: {
            QPainterPath a;
            a.moveTo(4, 7);
            a.cubicTo(11, 7, 11, 17, 17, 17);
            QPainterPath b;
            b.moveTo(4, 17);
            b.cubicTo(11, 17, 11, 7, 17, 7);
            Stroke(p, a, c, line);
            Stroke(p, b, c, line);
            Fill(p, Head({21, 7}, 0, 4.8), c);
            Fill(p, Head({21, 17}, 0, 4.8), c);
            break;
        }
        case Icon::Undo: {
            QPainterPath arc;
            arc.moveTo(8, 9);
            arc.lineTo(14, 9);
            arc.cubicTo(21, 9, 21, 19, 14, 19);
            arc.lineTo(9, 19);
            Stroke(p, arc, c, line);
            Fill(p, Head({3.5, 9}, 180, 6), c);
            break;
        }
        case Icon::Equalizer:
            for (int i = 0; i < 3; ++i) {
                const double x = 6.5 + i * 5.5;
                const double knob = std::array<double, 3>{14.5, 8, 12.5}[static_cast<size_t>(i)];
                QPainterPath rail;
                rail.moveTo(x, 4.5);
                rail.lineTo(x, 19.5);
                Stroke(p, rail, c, 1.6);
                QPainterPath k;
                k.addRoundedRect(QRectF(x - 2.4, knob - 1.8, 4.8, 3.6), 1, 1);
                Fill(p, k, c);
            }
            break;
        case Icon::Library: {
            // Three records standing in a rack, the last one leaning.
            for (int i = 0; i < 2; ++i) {
                QPainterPath book;
                book.addRoundedRect(QRectF(4.5 + i * 4.5, 5, 3.2, 14), 0.8, 0.8);
                Fill(p, book, c);
            }
            p.save();
            p.translate(15.5, 19);
            p.rotate(-18);
            QPainterPath lean;
            lean.addRoundedRect(QRectF(0, -14, 3.2, 14), 0.8, 0.8);
            Fill(p, lean, c);
            p.restore();
            QPainterPath shelf;
            shelf.moveTo(3.5, 20);
            shelf.lineTo(20.5, 20);
            Stroke(p, shelf, c, 1.6);
            break;
        }
        case Icon::Help: {
            QPainterPath q;
            q.moveTo(8.2, 9);
            q.cubicTo(8.2, 4.5, 16, 4.5, 16, 9);
            q.cubicTo(16, 12, 12, 12, 12, 15);
            Stroke(p, q, c, 2.6);
            QPainterPath dot;
            dot.addEllipse(QPointF(12, 19), 1.6, 1.6);
            Fill(p, dot, c);
            break;
        }
        case Icon::Preferences:
            Gear(p, c);
            break;
        case Icon::Close: {
            QPainterPath x;
            x.moveTo(7, 7);
            x.lineTo(17, 17);
            x.moveTo(17, 7);
            x.lineTo(7, 17);
            Stroke(p, x, c, 2.6);
            break;
        }
        case Icon::Minimise: {
            QPainterPath bar;
            bar.moveTo(7, 17);
            bar.lineTo(17, 17);
            Stroke(p, bar, c, 2.6);
            break;
        }
        case Icon::MiniPanel: {
            QPainterPath frame;
            frame.addRoundedRect(QRectF(5, 8.5, 14, 7), 1.2, 1.2);
            Stroke(p, frame, c, 1.8);
            QPainterPath fill;
            fill.addRect(QRectF(7.5, 11, 5, 2));
            Fill(p, fill, c);
            break;
        }
        case Icon::Tray: {
            QPainterPath tray;
            tray.moveTo(5, 14);
            tray.lineTo(5, 19);
            tray.lineTo(19, 19);
            tray.lineTo(19, 14);
            Stroke(p, tray, c, 2);
            QPainterPath stem;
            stem.moveTo(12, 4.5);
            stem.lineTo(12, 11);
            Stroke(p, stem, c, 2.2);
            Fill(p, Head({12, 16}, 90, 5.5), c);
            break;
        }
        case Icon::Analyser: {
            const double heights[] = {7, 12, 9, 15};
            for (int i = 0; i < 4; ++i) {
                QPainterPath bar;
                bar.addRoundedRect(QRectF(4.5 + i * 4.1, 19.5 - heights[i], 3, heights[i]), 0.7,
                                   0.7);
                Fill(p, bar, c);
            }
            break;
        }
        case Icon::Visualization: {
            QPainterPath wave;
            wave.moveTo(3.5, 12);
            for (double x = 3.5; x <= 20.5; x += 0.5) {
                wave.lineTo(x, 12 - 6 * std::sin((x - 3.5) / 17 * 2 * M_PI) *
                                        std::exp(-std::pow((x - 12) / 9, 2)));
            }
            Stroke(p, wave, c, 2.2);
            break;
        }
        case Icon::Search: {
            QPainterPath ring;
            ring.addEllipse(QPointF(10.5, 10.5), 5.2, 5.2);
            Stroke(p, ring, c, 2.2);
            QPainterPath handle;
            handle.moveTo(14.5, 14.5);
            handle.lineTo(19.5, 19.5);
            Stroke(p, handle, c, 3);
            break;
        }
        case Icon::Mark: {
            // The A-B loop: the two letters under an arc that returns from B to A.
            QFont font = SkinFont(13, true, true);
            p.setFont(font);
            p.setPen(c);
            p.drawText(QRectF(1, 8, 11, 15), Qt::AlignCenter, QStringLiteral("A"));
            p.drawText(QRectF(12, 8, 11, 15), Qt::AlignCenter, QStringLiteral("B"));
            QPainterPath loop;
            loop.moveTo(18, 7.5);
            loop.cubicTo(16, 1.5, 8, 1.5, 6, 7.5);
            Stroke(p, loop, c, 2);
            Fill(p, Head({5.5, 9}, 110, 4.2), c);
            break;
        }
        case Icon::ArrowLeft:
            Fill(p, Polygon({{16, 5}, {16, 19}, {7, 12}}), c);
            break;
        case Icon::ArrowRight:
            Fill(p, Polygon({{8, 5}, {8, 19}, {17, 12}}), c);
            break;
        case Icon::PlaylistWindow: {
            QPainterPath lines;
            for (double y : {7.0, 12.0, 17.0}) {
                lines.moveTo(4.5, y);
                lines.lineTo(y < 10 ? 19.5 : 12.5, y);
            }
            Stroke(p, lines, c, 2);
            Fill(p, Polygon({{15, 10.5}, {15, 19}, {21, 14.75}}), c);
            break;
        }
    }
    p.restore();
}

}  // namespace tarvel::skin

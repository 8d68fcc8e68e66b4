#include "controls/window_outline.h"

#include <QPainterPath>
#include <QPolygon>

namespace tarvel::controls {

QRegion RoundedOutline(const QRect& rect, int corner) {
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect), corner / 2.0, corner / 2.0);
    return QRegion(outline.toFillPolygon().toPolygon());
}

}  // namespace tarvel::controls

#include "controls/list_box_rules.h"

namespace tarvel::controls {

ItemPlan PlanItem(int index, bool selected, const QRect& r, const QColor& font,
                  const MarkState& mark, int picture_width) {
    ItemPlan plan;
    plan.font = font;
    plan.text_at = r.topLeft();
    if (index != mark.marked_index)
        return plan;
    plan.font = selected ? QColor(255, 255, 255) : mark.mark_color;
    if (mark.mark_mode == QLatin1String("Play") || mark.mark_mode == QLatin1String("Pause")) {
        plan.picture =
            mark.mark_mode == QLatin1String("Play") ? MarkPicture::Play : MarkPicture::Pause;
        plan.picture_at = QPoint(r.left() + 2, r.top());
        plan.text_at = QPoint(r.left() + 5 + picture_width, r.top());
    } else if (mark.mark_mode.isEmpty()) {
        plan.placement = TextPlacement::Centred2px;
        plan.text_at = QPoint(r.left() + 2, r.top());
    } else {
        plan.placement = TextPlacement::None;
    }
    return plan;
}

QImage RedToTransparent(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFF0000)
                line[x] = 0;
        }
    }
    return out;
}

}  // namespace tarvel::controls

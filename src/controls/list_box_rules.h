#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

// How the owner-drawn list draws one item: where the text goes, in which colour, and whether the
// play or pause picture is drawn beside it.
namespace tarvel::controls {

enum class MarkPicture { None, Play, Pause };

enum class TextPlacement {
    None,       // nothing but the background (an unknown mark mode)
    TopLeft,    // at `text_at`, no margin
    Centred2px  // 2 pixels from the left, one line, vertically centred
};

struct ItemPlan {
    MarkPicture picture = MarkPicture::None;
    QPoint picture_at;
    TextPlacement placement = TextPlacement::TopLeft;
    QPoint text_at;
    QColor font;
};

struct MarkState {
    int marked_index = -2;
    QColor mark_color = QColor(255, 0, 0);
    QString mark_mode;
};

// `font` is the colour the list chose for the selected or unselected state; `picture_width` is
// the width of the mark picture of the marked item's mode.
ItemPlan PlanItem(int index, bool selected, const QRect& r, const QColor& font,
                  const MarkState& mark, int picture_width);

// A copy of the picture with its pure red pixels (0xFF0000) transparent.
QImage RedToTransparent(const QImage& picture);

}  // namespace tarvel::controls

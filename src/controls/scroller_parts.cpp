#include "controls/scroller_parts.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/mouse_upm.h"

namespace tarvel::controls {
namespace {

// A one-pixel bevel: sunken shows the dark edge on top and left, raised on bottom and right.
void DrawBevel(QPainter& painter, const QRect& r, const QColor& base, bool sunken) {
    const QColor dark = base.darker(170);
    const QColor light = base.lighter(140);
    painter.setPen(sunken ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(sunken ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

constexpr int kPictureBandFirstDelay = 100;

}  // namespace

// ---- TTraka ----

TTraka::TTraka(TScroller& owner)
    : QWidget(&owner), owner_(owner), color_(palette().light().color()) {}

void TTraka::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TTraka::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TTraka::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        painter.drawImage(rect(), picture_);
        return;
    }
    painter.fillRect(rect(), color_);
    DrawBevel(painter, rect(), color_, true);
}

void TTraka::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        owner_.BandPressed(event->position().toPoint());
}

void TTraka::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TTraka::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        owner_.BandReleased();
}

void TTraka::mouseMoveEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint()))
        owner_.BandLeft();
}

void TTraka::leaveEvent(QEvent*) {
    owner_.BandLeft();
}

// ---- TSetac ----

TSetac::TSetac(TScroller& owner)
    : QWidget(&owner), owner_(owner), color_(palette().button().color()) {}

void TSetac::SetColor(const QColor& color) {
    color_ = color;
    update();
}

void TSetac::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TSetac::SetText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    update();
}

void TSetac::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!picture_.isNull()) {
        painter.drawImage(0, 0, picture_);
        return;
    }
    const int h = height() + 2;  // the outer bar's height
    if (h >= 10) {
        // Rounded thumb: the rectangle (1, 1) - (width - 1, height) with 20 x 20 corner ellipses.
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF shape(1, 1, width() - 2, height() - 1);
        const qreal radius = std::min<qreal>(10, shape.height() / 2);
        QLinearGradient shade(shape.topLeft(), shape.bottomLeft());
        shade.setColorAt(0, color_.lighter(125));
        shade.setColorAt(1, color_.darker(115));
        painter.setPen(QPen(color_.darker(160), 1));
        painter.setBrush(shade);
        painter.drawRoundedRect(shape.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    } else {
        painter.fillRect(rect(), color_);
        DrawBevel(painter, rect(), color_, false);
    }
    if (!text_.isEmpty()) {
        painter.setFont(parentWidget()->font());
        painter.setPen(parentWidget()->palette().windowText().color());
        painter.drawText(rect(), Qt::AlignCenter, text_);
    }
}

void TSetac::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        owner_.ThumbPressed(mapToParent(event->position().toPoint()));
}

void TSetac::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        owner_.ThumbDragged(mapToParent(event->position().toPoint()));
}

void TSetac::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        owner_.ThumbReleased();
}

// ---- TScroller ----

TScroller::TScroller(Look look, QWidget* parent)
    : QWidget(parent),
      look_(look),
      band_(new TTraka(*this)),
      thumb_(new TSetac(*this)),
      band_repeat_([this] { BandStep(); }) {
    if (look_ == Look::Picture)
        kind_ = ScrollKind::Vertical;
    thumb_->raise();
}

void TScroller::SetMin(int min) {
    min_ = min;
    SetPosition(position_);
}

void TScroller::SetMax(int max) {
    max_ = max;
    SetPosition(position_);
}

void TScroller::SetPosition(int position) {
    position_ = ClampScrollPosition(position, min_, max_);
    Relayout();
}

void TScroller::SetThumbSize(int size) {
    thumb_size_ = size;
    Relayout();
}

void TScroller::SetKind(ScrollKind kind) {
    kind_ = kind;
    Relayout();
}

void TScroller::SetPictures(const QImage& band, const QImage& thumb) {
    band_->SetPicture(band);
    thumb_->SetPicture(thumb);
    Relayout();
}

int TScroller::Travel() const {
    return ThumbTravel(kind_, size(), thumb_size_);
}

void TScroller::resizeEvent(QResizeEvent*) {
    SetPosition(position_);
}

void TScroller::Relayout() {
    const int offset = ThumbOffset(position_, min_, max_, Travel());
    const TrackLayout layout =
        look_ == Look::Picture
            ? LayoutPictureTrack(width(), height(), thumb_->Picture().size(), thumb_size_, offset)
            : LayoutPanelTrack(kind_, width(), height(), thumb_size_, offset);
    band_->setGeometry(layout.band);
    thumb_->setGeometry(layout.thumb);
}

void TScroller::ThumbPressed(QPoint at) {
    dragging_ = true;
    drag_start_ = at;
    drag_start_offset_ = ThumbOffset(position_, min_, max_, Travel());
    if (look_ == Look::Panel)
        SetMouseUpm(true);
}

void TScroller::ThumbDragged(QPoint at) {
    if (!dragging_)
        return;
    if (min_ == max_ && max_ == position_)
        return;
    const QPoint moved = at - drag_start_;
    const int along = kind_ == ScrollKind::Horizontal ? moved.x() : moved.y();
    const int offset = std::clamp(drag_start_offset_ + along, 0, Travel());
    SetPosition(PositionFromOffset(offset, min_, max_, Travel()));
    emit OnScroll(position_);
}

void TScroller::ThumbReleased() {
    dragging_ = false;
    if (look_ == Look::Panel)
        SetMouseUpm(false);
}

void TScroller::BandPressed(QPoint at_in_band) {
    band_click_ = at_in_band;
    if (look_ == Look::Picture) {
        const int click = band_->mapToParent(at_in_band).y();
        band_direction_ = click < thumb_->y() ? -1 : 1;
    } else {
        SetMouseUpm(true);
    }
    BandStep();
    band_repeat_.Start(look_ == Look::Picture ? kPictureBandFirstDelay : ArrowRepeat::kInterval);
}

void TScroller::BandStep() {
    if (look_ == Look::Picture) {
        SetPosition(position_ + band_direction_ * large_change_);
    } else if (kind_ == ScrollKind::Horizontal) {
        SetPosition(BandClickPosition(band_click_.x(), band_->width(), max_));
    } else {
        SetPosition(band_click_.y());
    }
    emit OnScroll(position_);
}

void TScroller::BandReleased() {
    band_repeat_.Stop();
    if (look_ == Look::Panel)
        SetMouseUpm(false);
}

void TScroller::BandLeft() {
    band_repeat_.Stop();
}

// ---- arrow buttons ----

TScrollButton::TScrollButton(ArrowGlyph glyph, QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    SetGlyph(glyph);
}

void TScrollButton::SetGlyph(ArrowGlyph glyph) {
    kind_ = glyph;
    glyph_ = ArrowGlyphFor(kind_, height());
    update();
}

void TScrollButton::resizeEvent(QResizeEvent*) {
    glyph_ = ArrowGlyphFor(kind_, height());
}

void TScrollButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor base = parentWidget()->palette().window().color();
    if (isDown()) {
        DrawBevel(painter, rect(), base, true);
    } else if (underMouse() && isEnabled()) {
        DrawBevel(painter, rect(), base, false);
    }
    if (!isEnabled())
        painter.setOpacity(0.4);
    const int shift = isDown() ? 1 : 0;
    const QPoint at((width() - glyph_.width()) / 2 + shift,
                    (height() - glyph_.height()) / 2 + shift);
    painter.drawImage(at, glyph_);
}

}  // namespace tarvel::controls

#include "controls/mega_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <cassert>

namespace tarvel::controls {

TMegaImage::TMegaImage(QWidget* parent) : QWidget(parent) {}

void TMegaImage::SetPicture(int k, const QImage& picture) {
    assert(k >= 1 && k <= kSlots);
    pictures_[static_cast<std::size_t>(k - 1)] = picture;
    state_.present[static_cast<std::size_t>(k - 1)] = !picture.isNull();
}

const QImage& TMegaImage::Picture(int k) const {
    assert(k >= 1 && k <= kSlots);
    return pictures_[static_cast<std::size_t>(k - 1)];
}

bool TMegaImage::HasPicture(int k) const {
    return k >= 1 && k <= kSlots && !Picture(k).isNull();
}

void TMegaImage::ShowPicture(int k) {
    assert(k >= 1 && k <= kSlots);
    shown_ = k;
    current_ = Picture(k);
    if (auto_size_ && !current_.isNull())
        resize(current_.size());
    update();
}

void TMegaImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void TMegaImage::SetAutoSize(bool auto_size) {
    auto_size_ = auto_size;
    if (auto_size_ && !current_.isNull())
        resize(current_.size());
}

void TMegaImage::Apply(MegaImageEvent event) {
    if (!change_pictures_)
        return;
    if (const auto slot = PictureFor(state_, event))
        ShowPicture(*slot);
}

void TMegaImage::paintEvent(QPaintEvent*) {
    if (current_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_) {
        painter.drawImage(rect(), current_);
    } else {
        painter.drawImage(0, 0, current_);
    }
}

void TMegaImage::PointerEntered() {
    if (inside_)
        return;
    inside_ = true;
    Apply(MegaImageEvent::Enter);
    emit OnMouseEnter();
}

void TMegaImage::PointerLeft() {
    if (!inside_)
        return;
    inside_ = false;
    Apply(MegaImageEvent::Leave);
    emit OnMouseExit();
}

void TMegaImage::enterEvent(QEnterEvent*) {
    PointerEntered();
}

void TMegaImage::leaveEvent(QEvent*) {
    PointerLeft();
}

void TMegaImage::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton)
        return;
    const QPoint at = event->position().toPoint();
    if (ReleaseInside(at.x(), at.y(), width(), height())) {
        PointerEntered();
    } else {
        PointerLeft();
    }
}

void TMegaImage::mousePressEvent(QMouseEvent* event) {
    inside_ = true;  // a press is always over the control, announced or not
    Apply(MegaImageEvent::Down);
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    emit OnMouseDown(event);
}

// The second press of a double click shows the pressed picture like any press, but its release
// gives no second click.
void TMegaImage::mouseDoubleClickEvent(QMouseEvent* event) {
    inside_ = true;
    Apply(MegaImageEvent::Down);
    emit OnMouseDown(event);
}

void TMegaImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool inside = ReleaseInside(at.x(), at.y(), width(), height());
    Apply(inside ? MegaImageEvent::UpInside : MegaImageEvent::UpOutside);
    emit OnMouseUp(event);
    const bool click = pressed_ && inside && event->button() == Qt::LeftButton;
    if (event->button() == Qt::LeftButton)
        pressed_ = false;
    if (click)
        emit OnClick();
}

}  // namespace tarvel::controls

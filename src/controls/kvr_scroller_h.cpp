#include "controls/kvr_scroller_h.h"

#include <QKeyEvent>

#include "controls/mouse_upm.h"

namespace tarvel::controls {

TKVRScrollerH::TKVRScrollerH(QWidget* parent)
    : TKVRScrollerBase(TScroller::Look::Panel, parent),
      button_lt_(new TButtonUp(this)),
      button_rd_(new TButtonDown(this)),
      button_repeat_([this] { repeat_lt_ ? ClickLT() : ClickRD(); }) {
    setAutoFillBackground(true);
    connect(button_lt_, &QAbstractButton::pressed, this, [this] { ButtonPressed(true); });
    connect(button_rd_, &QAbstractButton::pressed, this, [this] { ButtonPressed(false); });
    connect(button_lt_, &QAbstractButton::released, this, [this] { ButtonReleased(); });
    connect(button_rd_, &QAbstractButton::released, this, [this] { ButtonReleased(); });
    connect(button_lt_, &QAbstractButton::clicked, this, [this] { ClickLT(); });
    connect(button_rd_, &QAbstractButton::clicked, this, [this] { ClickRD(); });
    resize(150, 17);
    Relayout();
    RenewText();
}

void TKVRScrollerH::PositionSet() {
    if (isEnabled())
        RenewText();
}

void TKVRScrollerH::SetColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

void TKVRScrollerH::SetThumbShowText(bool show) {
    scroller_->SetShowText(show);
    RenewText();
}

void TKVRScrollerH::SetVkoef(double vkoef) {
    vkoef_ = vkoef;
    RenewText();
}

void TKVRScrollerH::SetRoundThumb(bool round) {
    round_thumb_ = round;
    RenewText();
}

void TKVRScrollerH::SetKind(ScrollKind kind) {
    scroller_->SetKind(kind);
    const bool horizontal = kind == ScrollKind::Horizontal;
    button_lt_->SetGlyph(horizontal ? ArrowGlyph::Left : ArrowGlyph::Up);
    button_rd_->SetGlyph(horizontal ? ArrowGlyph::Right : ArrowGlyph::Down);
    Relayout();
}

void TKVRScrollerH::ClickLT() {
    scroller_->SetPosition(Position() - SmallChange());
    Changed();
    emit OnClickBtnLT();
}

void TKVRScrollerH::ClickRD() {
    scroller_->SetPosition(Position() + SmallChange());
    Changed();
    emit OnClickBtnRD();
}

void TKVRScrollerH::resizeEvent(QResizeEvent*) {
    Relayout();
}

void TKVRScrollerH::Relayout() {
    const OuterLayout layout = LayoutWithButtons(Kind(), width(), height());
    button_lt_->setGeometry(layout.button_lt);
    button_rd_->setGeometry(layout.button_rd);
    scroller_->setGeometry(layout.scroller);
    scroller_->SetPosition(Position());
}

void TKVRScrollerH::RenewText() {
    const bool show = ThumbShowText() && isEnabled();
    scroller_->Thumb().SetText(show ? controls::ThumbText(Position(), vkoef_, round_thumb_)
                                    : QString());
}

void TKVRScrollerH::ButtonPressed(bool lt) {
    SetMouseUpm(true);
    repeat_lt_ = lt;
    button_repeat_.Start(ArrowRepeat::kInterval);
}

void TKVRScrollerH::ButtonReleased() {
    button_repeat_.Stop();
    SetMouseUpm(false);
}

void TKVRScrollerH::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
            ClickLT();
            break;
        case Qt::Key_Right:
        case Qt::Key_Down:
            ClickRD();
            break;
        default:
            TKVRScrollerBase::keyPressEvent(event);
    }
}

void TKVRScrollerH::mousePressEvent(QMouseEvent* event) {
    frame_pressed_ = childAt(event->position().toPoint()) == nullptr;
    QWidget::mousePressEvent(event);  // the press still travels on, as before
}

void TKVRScrollerH::mouseReleaseEvent(QMouseEvent*) {
    if (frame_pressed_)
        scroller_->Thumb().SetText(QString());
    frame_pressed_ = false;
}

void TKVRScrollerH::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        button_lt_->setEnabled(isEnabled());
        button_rd_->setEnabled(isEnabled());
        RenewText();
    }
    QWidget::changeEvent(event);
}

}  // namespace tarvel::controls

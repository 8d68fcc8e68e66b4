#include "controls/scroller_base.h"

#include <QKeyEvent>

#include "controls/mouse_upm.h"

namespace tarvel::controls {

TKVRScrollerBase::TKVRScrollerBase(TScroller::Look look, QWidget* parent)
    : QWidget(parent), scroller_(new TScroller(look, this)) {
    setFocusPolicy(Qt::StrongFocus);
    connect(scroller_, &TScroller::OnScroll, this, [this] { Changed(); });
}

void TKVRScrollerBase::SetMin(int min) {
    scroller_->SetMin(min);
    PositionSet();
}

void TKVRScrollerBase::SetMax(int max) {
    scroller_->SetMax(max);
    PositionSet();
}

void TKVRScrollerBase::SetPosition(int position) {
    scroller_->SetPosition(position);
    PositionSet();
}

void TKVRScrollerBase::SetPositionByUser(int position) {
    scroller_->SetPosition(position);
    Changed();
    // A change made in one step, like a drag already released: no button is held on a bar, so
    // a position bar seeks at once.
    SetMouseUpm(false);
}

void TKVRScrollerBase::SetHintSecondLine(const QString& line) {
    hint_second_line_ = line;
    setToolTip(HintWithSecondLine(toolTip(), line));
}

void TKVRScrollerBase::Changed() {
    setFocus(Qt::OtherFocusReason);
    emit OnChange(Position());
    AfterChange();
}

void TKVRScrollerBase::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Home:
            scroller_->SetPosition(Min());
            break;
        case Qt::Key_End:
            scroller_->SetPosition(Max());
            break;
        case Qt::Key_PageUp:
            scroller_->SetPosition(Position() - LargeChange());
            break;
        case Qt::Key_PageDown:
            scroller_->SetPosition(Position() + LargeChange());
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    Changed();
}

void TKVRScrollerBase::enterEvent(QEnterEvent*) {
    emit OnMouseEnter();
}

void TKVRScrollerBase::leaveEvent(QEvent*) {
    emit OnMouseExit();
}

}  // namespace tarvel::controls

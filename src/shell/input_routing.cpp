// Keyboard and mouse-wheel routing of the main window: every key pressed in the window is seen
// here before the control with the focus gets it, and the wheel goes to the list under the
// cursor or to the volume.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/c_list_box.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mouse_upm.h"
#include "shell/input_rules.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"

namespace tarvel {

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this || !connected_) {
        return QWidget::eventFilter(watched, event);
    }
    if (EdgeEvent(watched, event)) {
        return true;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (watched == controls_->Label3 &&
                static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                MoveWindow();
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            auto& key = static_cast<QKeyEvent&>(*event);
            return FormKeyDown(key) || FormKeyPress(key);
        }
        case QEvent::Wheel: {
            auto& wheel = static_cast<QWheelEvent&>(*event);
            if (wheel.angleDelta().y() != 0) {
                MouseWheel(wheel.globalPosition().toPoint(), wheel.angleDelta().y() < 0);
            }
            return true;
        }
        default:
            return QWidget::eventFilter(watched, event);
    }
}

bool TForm1::FormKeyDown(QKeyEvent& event) {
    const int key = event.key();
    if (controls_->TimeSKRL->hasFocus() && key >= Qt::Key_Left && key <= Qt::Key_Down) {
        controls::SetMouseUpm(false);
    }
    if (!(event.modifiers() & Qt::ControlModifier)) {
        return false;
    }
    switch (key) {
        case Qt::Key_Delete:
            commands_.ClearPlaylist();
            return true;
        case Qt::Key_S:
            commands_.SavePlaylist();
            return true;
        case Qt::Key_L:
            commands_.LoadPlaylist();
            return true;
        case Qt::Key_Z:
            commands_.Undo();
            return true;
        default:
            return false;
    }
}

bool TForm1::FormKeyPress(QKeyEvent& event) {
    const QString typed = event.text();
    if (typed.isEmpty() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    if (!controls_->CmdSearch->isVisible()) {
        ImgAnClick();
    }
    QLineEdit& box = *controls_->CmdSearch;
    if (box.hasFocus()) {
        return false;
    }
    bool taken = false;
    QString text = box.text();
    for (const QChar c : typed) {
        if (const std::optional<QString> next = shell::TypedIntoBox(text, c)) {
            text = *next;
            taken = true;
        }
    }
    if (!taken) {
        return false;
    }
    box.setText(text);
    box.setFocus(Qt::OtherFocusReason);
    box.setCursorPosition(static_cast<int>(text.size()));
    return true;
}

void TForm1::MouseWheel(const QPoint& global, bool down) {
    const QPoint at = global - geometry().topLeft();
    std::array<shell::Rect, 5> lists;
    for (int n = 1; n <= 5; ++n) {
        const controls::TCListBox& list = controls_->List(n);
        lists[static_cast<size_t>(n - 1)] =
            list.isVisible() ? shell::Rect{list.x(), list.y(), list.width(), list.height()}
                             : shell::Rect{0, 0, -1, -1};
    }
    if (const int n = shell::WheelList(lists, at.x(), at.y())) {
        controls::TKVRScrollerVr& bar = controls_->ListBar(n);
        const int top = shell::WheelTopRow(controls_->List(n).TopIndex(), bar.Max(), down);
        controls_->List(n).SetTopIndex(top);
        bar.SetPosition(top);
        return;
    }
    commands_.SetVolume(shell::WheelVolume(controls_->VolumeSKRL->Position(), down));
}

void TForm1::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().y() != 0 && connected_) {
        MouseWheel(event->globalPosition().toPoint(), event->angleDelta().y() < 0);
    }
}

}  // namespace tarvel

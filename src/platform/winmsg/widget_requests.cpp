#include "platform/winmsg/widget_requests.h"

#include <QWidget>

namespace tarvel::winmsg {

int32_t ApplyWindowRequest(QWidget* window, const Incoming& message) {
    if (message.op == Op::Topmost) {
        const bool shown = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, message.wparam != 0);
        if (shown) {
            window->show();  // changing flags hides a window
        }
        return 1;
    }
    if (message.op != Op::Show) {
        return 0;
    }
    switch (message.wparam) {
        case SW_HIDE:
            window->hide();
            break;
        case SW_MINIMIZE:
            window->showMinimized();
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOWDEFAULT:
            window->showNormal();
            break;
        default:
            window->show();
            break;
    }
    return 1;
}

}  // namespace tarvel::winmsg

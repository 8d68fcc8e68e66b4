#include "shell/on_screen.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tarvel::shell {

bool OnScreen(const QWidget& widget) {
    const QWidget* window = widget.window();
    const QWindow* handle = window->windowHandle();
    return widget.isVisible() && !window->isMinimized() && handle != nullptr && handle->isExposed();
}

namespace {

// Watches the widget's own events (show, hide, window state) and, once the native window exists,
// its exposure. A burst of events makes one call, after they have all been handled.
class OnScreenWatch : public QObject {
  public:
    OnScreenWatch(QWidget& window, std::function<void()> changed)
        : QObject(&window), window_(window), changed_(std::move(changed)) {
        window.installEventFilter(this);
        WatchHandle();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::WinIdChange:
                WatchHandle();
                [[fallthrough]];
            case QEvent::Hide:
            case QEvent::WindowStateChange:
            case QEvent::Expose:
                Changed();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    void WatchHandle() {
        QWindow* handle = window_.windowHandle();
        if (handle != nullptr && handle != handle_) {
            handle_ = handle;
            handle->installEventFilter(this);
        }
    }

    void Changed() {
        if (pending_) {
            return;
        }
        pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                pending_ = false;
                changed_();
            },
            Qt::QueuedConnection);
    }

    QWidget& window_;
    std::function<void()> changed_;
    QWindow* handle_ = nullptr;
    bool pending_ = false;
};

}  // namespace

void WatchOnScreen(QWidget& window, std::function<void()> changed) {
    new OnScreenWatch(window, std::move(changed));
}

}  // namespace tarvel::shell

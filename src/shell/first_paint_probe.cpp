#include "shell/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <memory>

#include "platform/system/process_clock.h"

namespace tarvel::shell {
namespace {

// Watches every widget's events until the first paint of the window or of any control on it.
class FirstPaintWatch : public QObject {
  public:
    FirstPaintWatch(QWidget& window, std::function<void()> at_paint)
        : QObject(&window), window_(window), at_paint_(std::move(at_paint)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget != nullptr && widget->window() == &window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            const std::function<void()> at_paint = std::move(at_paint_);
            deleteLater();
            at_paint();
        }
        return false;
    }

  private:
    QWidget& window_;
    std::function<void()> at_paint_;
};

}  // namespace

void OnFirstPaint(QWidget& window, std::function<void()> at_paint) {
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintWatch(window, std::move(at_paint)));
}

void AfterFirstPaint(QWidget& window, std::function<void()> action, int fallback_ms) {
    // Shared by the paint and the fallback; whichever comes first takes it.
    auto pending = std::make_shared<std::function<void()>>(std::move(action));
    const auto run = [pending] {
        if (*pending) {
            const std::function<void()> once = std::move(*pending);
            *pending = nullptr;
            once();
        }
    };
    OnFirstPaint(window, [&window, run] { QTimer::singleShot(0, &window, run); });
    QTimer::singleShot(fallback_ms, &window, run);
}

void ReportFirstPaint(QWidget& window) {
    if (!qEnvironmentVariableIsSet("TARVEL_REPORT_FIRST_PAINT")) {
        return;
    }
    const bool quit = qgetenv("TARVEL_REPORT_FIRST_PAINT") == "quit";
    OnFirstPaint(window, [&window, quit] {
        const std::optional<double> ms = system::MillisecondsSinceProcessStart();
        // The processor time of all threads so far: on a busy machine it shows the work done
        // apart from the time spent waiting for a processor.
        const double cpu_ms = 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
        if (ms) {
            std::fprintf(stderr, "first paint: %.1f ms (CPU %.1f ms)\n", *ms, cpu_ms);
        } else {
            std::fprintf(stderr, "first paint: process start time unknown (CPU %.1f ms)\n", cpu_ms);
        }
        if (quit) {
            QTimer::singleShot(0, &window, [&window] { window.close(); });
        }
    });
}

}  // namespace tarvel::shell

#include "shell/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

#include "platform/system/process_clock.h"

namespace tarvel::shell {
namespace {

// Watches every widget's events until the first paint of the window or of any control on it: a
// window covered by its controls gets no paint event of its own.
class FirstPaintProbe : public QObject {
  public:
    FirstPaintProbe(QWidget& window, bool quit) : QObject(&window), window_(window), quit_(quit) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget != nullptr && widget->window() == &window_) {
            const std::optional<double> ms = system::MillisecondsSinceProcessStart();
            // The processor time of all threads so far: on a busy machine it shows the work
            // done apart from the time spent waiting for a processor.
            const double cpu_ms = 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
            if (ms) {
                std::fprintf(stderr, "first paint: %.1f ms (CPU %.1f ms)\n", *ms, cpu_ms);
            } else {
                std::fprintf(stderr, "first paint: process start time unknown (CPU %.1f ms)\n",
                             cpu_ms);
            }
            QCoreApplication::instance()->removeEventFilter(this);
            if (quit_) {
                QTimer::singleShot(0, &window_, [window = &window_] { window->close(); });
            }
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
    bool quit_;
};

}  // namespace

void ReportFirstPaint(QWidget& window) {
    if (qEnvironmentVariableIsSet("TARVEL_REPORT_FIRST_PAINT")) {
        const bool quit = qgetenv("TARVEL_REPORT_FIRST_PAINT") == "quit";
        QCoreApplication::instance()->installEventFilter(new FirstPaintProbe(window, quit));
    }
}

}  // namespace tarvel::shell

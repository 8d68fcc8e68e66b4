#include "shell/stall_probe.h"

#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace tarvel::shell {
namespace {

constexpr int kIntervalMs = 5;
constexpr long kReportedLateMs = 10;

}  // namespace

void ReportStalls(QObject& owner) {
    if (std::getenv("TARVEL_REPORT_STALLS") == nullptr) {
        return;
    }
    auto* timer = new QTimer(&owner);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(kIntervalMs);
    using Clock = std::chrono::steady_clock;
    auto last = std::make_shared<Clock::time_point>(Clock::now());
    QObject::connect(timer, &QTimer::timeout, timer, [last] {
        const Clock::time_point now = Clock::now();
        const long late =
            std::chrono::duration_cast<std::chrono::milliseconds>(now - *last).count() -
            kIntervalMs;
        if (late > kReportedLateMs) {
            const long at =
                std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch())
                    .count();
            std::fprintf(stderr, "stall: %ld ms at %ld ms\n", late, at);
        }
        *last = now;
    });
    timer->start();
}

}  // namespace tarvel::shell

#include "controls/arrow_repeat.h"

namespace tarvel::controls {

ArrowRepeat::ArrowRepeat(std::function<void()> click, QObject* parent)
    : QObject(parent), click_(std::move(click)) {
    first_.setSingleShot(true);
    second_.setInterval(kInterval);
    connect(&first_, &QTimer::timeout, this, &ArrowRepeat::FirstElapsed);
    connect(&second_, &QTimer::timeout, this, [this] { click_(); });
}

void ArrowRepeat::Start(int first_delay_ms) {
    Stop();
    first_delay_ = first_delay_ms;
    stage_ = Stage::Waiting;
    elapsed_ = 0;
    if (!manual_)
        first_.start(first_delay_ms);
}

void ArrowRepeat::Stop() {
    first_.stop();
    second_.stop();
    stage_ = Stage::Idle;
}

void ArrowRepeat::SetManual(bool manual) {
    manual_ = manual;
    first_.stop();
    second_.stop();
}

void ArrowRepeat::FirstElapsed() {
    stage_ = Stage::Repeating;
    elapsed_ = 0;
    if (!manual_)
        second_.start();
}

void ArrowRepeat::Advance(int ms) {
    for (int i = 0; i < ms && stage_ != Stage::Idle; ++i) {
        ++elapsed_;
        if (stage_ == Stage::Waiting && elapsed_ == first_delay_) {
            FirstElapsed();
        } else if (stage_ == Stage::Repeating && elapsed_ == kInterval) {
            elapsed_ = 0;
            click_();
        }
    }
}

}  // namespace tarvel::controls

#include "shell/progress_relay.h"

#include <utility>

namespace tarvel::shell {

ProgressRelay::ProgressRelay(library::ProgressDisplay& target)
    : target_(target), owner_(std::this_thread::get_id()) {}

template <typename Direct, typename Change>
void ProgressRelay::Route(Direct&& direct, Change&& change) {
    if (std::this_thread::get_id() == owner_) {
        direct();
        return;
    }
    const std::lock_guard lock(mutex_);
    change(pending_);
    if (!queued_) {
        queued_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Apply(); }, Qt::QueuedConnection);
    }
}

void ProgressRelay::Apply() {
    Pending pending;
    {
        const std::lock_guard lock(mutex_);
        pending = std::exchange(pending_, Pending{});
        queued_ = false;
    }
    // The gauge's figures before its visibility, the box's text before its own, so that what
    // shows first shows its latest state.
    if (pending.gauge_maximum) {
        target_.SetGaugeMaximum(*pending.gauge_maximum);
    }
    if (pending.gauge_progress) {
        target_.SetGaugeProgress(*pending.gauge_progress);
    }
    if (pending.box_text) {
        target_.SetBoxText(*pending.box_text);
    }
    if (pending.gauge_visible) {
        target_.SetGaugeVisible(*pending.gauge_visible);
    }
    if (pending.box_visible) {
        target_.SetBoxVisible(*pending.box_visible);
    }
}

void ProgressRelay::SetBoxText(const std::string& text) {
    Route([&] { target_.SetBoxText(text); }, [&text](Pending& p) { p.box_text = text; });
}

void ProgressRelay::SetBoxVisible(bool visible) {
    Route([&] { target_.SetBoxVisible(visible); },
          [visible](Pending& p) { p.box_visible = visible; });
}

void ProgressRelay::RepaintBox() {
    // From a worker the window is free to paint by itself: only a caller on its own thread
    // needs the repaint at once.
    Route([&] { target_.RepaintBox(); }, [](Pending&) {});
}

void ProgressRelay::SetGaugeMaximum(int64_t maximum) {
    Route([&] { target_.SetGaugeMaximum(maximum); },
          [maximum](Pending& p) { p.gauge_maximum = maximum; });
}

void ProgressRelay::SetGaugeProgress(int64_t progress) {
    Route([&] { target_.SetGaugeProgress(progress); },
          [progress](Pending& p) { p.gauge_progress = progress; });
}

void ProgressRelay::SetGaugeVisible(bool visible) {
    Route([&] { target_.SetGaugeVisible(visible); },
          [visible](Pending& p) { p.gauge_visible = visible; });
}

void ProgressRelay::RepaintWindow() {
    Route([&] { target_.RepaintWindow(); }, [](Pending&) {});
}

}  // namespace tarvel::shell

#pragma once

#include <QObject>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "library/progress_display.h"

namespace tarvel::shell {

// A progress display that may be fed from a worker thread. On the user-interface thread every
// call goes straight to the target; from another thread the calls are gathered and the latest
// state is handed to the target on the user-interface thread as soon as it is free, so a work
// that reports a million steps costs the window a few repaints.
class ProgressRelay : public QObject, public library::ProgressDisplay {
  public:
    explicit ProgressRelay(library::ProgressDisplay& target);

    void SetBoxText(const std::string& text) override;
    void SetBoxVisible(bool visible) override;
    void RepaintBox() override;
    void SetGaugeMaximum(int64_t maximum) override;
    void SetGaugeProgress(int64_t progress) override;
    void SetGaugeVisible(bool visible) override;
    void RepaintWindow() override;

  private:
    struct Pending {
        std::optional<std::string> box_text;
        std::optional<bool> box_visible;
        std::optional<int64_t> gauge_maximum;
        std::optional<int64_t> gauge_progress;
        std::optional<bool> gauge_visible;
    };
    // On the owner's thread, does `direct`; on another, gathers the change into the pending
    // state and asks for it to be applied.
    template <typename Direct, typename Change>
    void Route(Direct&& direct, Change&& change);
    void Apply();

    library::ProgressDisplay& target_;
    std::thread::id owner_;
    std::mutex mutex_;
    Pending pending_;
    bool queued_ = false;
};

}  // namespace tarvel::shell

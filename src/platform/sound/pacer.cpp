#include "platform/sound/pacer.h"

#include <algorithm>
#include <thread>

#include "platform/sound/source_stage.h"

namespace tarvel::sound {

namespace {

class SteadyClock final : public SoundClock {
  public:
    TimePoint Now() override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint when) override { std::this_thread::sleep_until(when); }
};

}  // namespace

SoundClock& RealClock() {
    static SteadyClock clock;
    return clock;
}

std::int64_t Pacer::Overdue() {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::nanoseconds>(clock_.Now() - start_).count();
    return std::max<std::int64_t>(0, elapsed * kMixRate / 1'000'000'000 - frames_);
}

void Pacer::Rendered(std::int64_t frames) {
    frames_ += frames;
    clock_.SleepUntil(start_ + std::chrono::nanoseconds(frames_ * 1'000'000'000 / kMixRate));
}

}  // namespace tarvel::sound

#pragma once

#include <chrono>
#include <cstdint>

namespace tarvel::sound {

// The time a sound thread keeps. The real one is the steady clock; tests give one whose time
// moves only when they say.
class SoundClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~SoundClock() = default;
    virtual TimePoint Now() = 0;
    virtual void SleepUntil(TimePoint when) = 0;
};

// The steady clock, for every output that plays in real time.
SoundClock& RealClock();

// Keeps a thread that renders blocks at the pace a sound card would pull them: after each
// block it waits until that block's frames are due, counted from the start, so the pace does
// not drift however long each render took.
class Pacer {
  public:
    explicit Pacer(SoundClock& clock) : clock_(clock), start_(clock.Now()) {}

    // Counts from now on.
    void Restart() {
        start_ = clock_.Now();
        frames_ = 0;
    }
    // The frames just rendered: waits until they are due.
    void Rendered(std::int64_t frames);
    // The frames that would have been due by now beyond those rendered (the time a thread spent
    // asleep with nothing to play).
    std::int64_t Overdue();

  private:
    SoundClock& clock_;
    SoundClock::TimePoint start_;
    std::int64_t frames_ = 0;
};

}  // namespace tarvel::sound

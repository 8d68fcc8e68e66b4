// The sound device output when the device fails: it falls back to playing without sound at the
// pace of the clock, says so once, and songs keep their time.

#include "platform/sound/device_output.h"

#include <gtest/gtest.h>
#include <portaudio.h>

#include <condition_variable>
#include <mutex>

#include "platform/sound/decoders.h"
#include "sound_support/manual_engine.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"

namespace tarvel::sound {
namespace {

using std::chrono::milliseconds;

// What the test waits for: the output thread asleep past the clock's limit (it keeps time), or
// still writing to a device that failed long ago (it races).
class Watch {
  public:
    void Say(bool& flag) {
        std::lock_guard lock(mutex_);
        flag = true;
        changed_.notify_all();
    }
    void WaitParkedOrRaced() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return parked || raced; });
    }
    void WaitReleased(std::unique_lock<std::mutex>& lock) {
        changed_.wait(lock, [this] { return released; });
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    bool parked = false;
    bool raced = false;
    bool released = false;
};

// Time moves only when the output sleeps. A sleep past the limit parks the output's thread
// until the test releases it; from then on sleeps return at once.
class SteppedClock final : public SoundClock {
  public:
    SteppedClock(Watch& watch, milliseconds limit) : watch_(watch), limit_(start_ + limit) {}
    TimePoint Now() override {
        std::lock_guard lock(watch_.mutex_);
        return now_;
    }
    void SleepUntil(TimePoint when) override {
        std::unique_lock lock(watch_.mutex_);
        if (when > limit_ && !watch_.released) {
            watch_.parked = true;
            watch_.changed_.notify_all();
            watch_.WaitReleased(lock);
        }
        now_ = std::max(now_, when);
    }
    milliseconds Elapsed() {
        std::lock_guard lock(watch_.mutex_);
        return std::chrono::duration_cast<milliseconds>(now_ - start_);
    }

  private:
    Watch& watch_;
    const TimePoint start_{};
    const TimePoint limit_;
    TimePoint now_{};
};

// A device whose stream fails to start, or whose writes fail after some good ones.
class FailingStream final : public DeviceStream {
  public:
    FailingStream(Watch& watch, bool start_fails, int good_writes)
        : watch_(watch), start_fails_(start_fails), good_writes_(good_writes) {}
    int Start() override { return start_fails_ ? paDeviceUnavailable : paNoError; }
    int Write(const float*, unsigned long) override {
        if (good_writes_ > 0) {
            --good_writes_;
            return paNoError;
        }
        if (++failed_writes_ > 100) {
            watch_.Say(watch_.raced);
        }
        return paDeviceUnavailable;
    }
    void Stop() override {}

  private:
    Watch& watch_;
    bool start_fails_;
    int good_writes_;
    int failed_writes_ = 0;
};

TEST(DeviceOutput, AFailedDeviceFallsBackToPlayingWithoutSoundInTime) {
    testing::TempDir dir;
    const std::string wav = dir / "long.wav";
    testing::WriteWav(wav, 44100, 2, 16, testing::Sine(441, 0.5, 44100, 2, 5 * 44100));
    struct Case {
        const char* name;
        bool start_fails;
        int good_writes;
    };
    for (const Case& c : {Case{"the stream does not start", true, 0},
                          Case{"a write fails after three good ones", false, 3}}) {
        SCOPED_TRACE(c.name);
        auto engine = testing::ManualEngine();
        const ChannelId song = engine->Open(OpenStreamDecoder(wav));
        engine->Play(song);
        Watch watch;
        SteppedClock clock(watch, milliseconds(1000));
        ::testing::internal::CaptureStderr();
        {
            DeviceOutput output(
                std::make_unique<FailingStream>(watch, c.start_fails, c.good_writes), clock);
            output.Start(*engine);
            watch.WaitParkedOrRaced();
            EXPECT_FALSE(watch.raced) << "it kept writing to a failed device";
            // The clock stands at one second (to within a block): the song has played one second
            // (and the block waiting for its time), beside what went to the device before.
            const std::int64_t on_device = c.good_writes * DeviceOutput::kBlockFrames;
            const milliseconds block((DeviceOutput::kBlockFrames * 1000 + 44099) / 44100);
            EXPECT_GE(clock.Elapsed(), milliseconds(1000) - block);
            EXPECT_LE(clock.Elapsed(), milliseconds(1000));
            EXPECT_GE(engine->Position(song) - on_device, 44100);
            EXPECT_LE(engine->Position(song) - on_device, 44100 + DeviceOutput::kBlockFrames);
            EXPECT_EQ(engine->State(song), PlayState::Playing);
            watch.Say(watch.released);
        }
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(said,
                  "tarvel: the sound device failed (Device unavailable); playing without sound\n");
    }
}

}  // namespace
}  // namespace tarvel::sound

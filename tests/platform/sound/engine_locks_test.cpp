// A file that reads slowly (a stalled disk or network share) must hold up only its own channel:
// the sound thread keeps mixing the others and the user interface keeps getting answers.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

#include "platform/sound/decoders.h"
#include "sound_support/manual_engine.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"

namespace tarvel::sound {
namespace {

// Where a slow decoder stops until the test lets it go on.
class Gate {
  public:
    void Pass() {
        std::unique_lock lock(mutex_);
        arrived_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    void WaitArrived() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return arrived_; });
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool arrived_ = false;
    bool open_ = false;
};

// Ten seconds of silence whose first read or first seek waits at a gate, as a read from a
// stalled file would.
class SlowDecoder final : public Decoder {
  public:
    SlowDecoder(Gate* read_gate, Gate* seek_gate) : read_gate_(read_gate), seek_gate_(seek_gate) {}
    PcmFormat Format() const override { return {}; }
    std::size_t Read(float* out, std::size_t frames) override {
        if (Gate* gate = std::exchange(read_gate_, nullptr)) {
            gate->Pass();
        }
        std::fill(out, out + 2 * frames, 0.0f);
        return frames;
    }
    bool Seek(std::int64_t) override {
        if (Gate* gate = std::exchange(seek_gate_, nullptr)) {
            gate->Pass();
        }
        return true;
    }
    std::int64_t Length() override { return 441000; }

  private:
    Gate* read_gate_;
    Gate* seek_gate_;
};

// Runs calls on another thread while one is held at the gate, then opens the gate. The wait
// is only a guard that turns a call blocked for good into a failure instead of a hung test;
// the calls themselves need no time at all.
template <typename Calls>
auto AnsweredWhileHeld(Gate& gate, Calls calls) {
    auto answer = std::async(std::launch::async, calls);
    const bool answered = answer.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
    gate.Open();
    EXPECT_TRUE(answered) << "a call waited for a slow file of another channel";
    return answer.get();
}

class EngineLocks : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string wav = dir_ / "tone.wav";
        testing::WriteWav(wav, 44100, 2, 16, testing::Sine(441, 0.5, 44100, 2, 44100));
        tone_ = engine_->Open(OpenStreamDecoder(wav));
    }

    testing::TempDir dir_;
    std::unique_ptr<Engine> engine_ = testing::ManualEngine();
    ChannelId tone_ = 0;
};

TEST_F(EngineLocks, WhileTheSoundThreadReadsASlowFileEveryCallIsAnswered) {
    Gate gate;
    const ChannelId slow = engine_->Open(std::make_unique<SlowDecoder>(&gate, nullptr));
    engine_->Play(slow);
    engine_->Play(tone_);
    std::thread sound([&] { engine_->Manual()->Advance(10); });
    gate.WaitArrived();  // the sound thread is inside the slow file's read
    const bool right = AnsweredWhileHeld(gate, [&] {
        return engine_->SetVolume(tone_, 0.5f) && engine_->Seek(tone_, 4410) &&
               engine_->Position(tone_) == 4410 && engine_->State(slow) == PlayState::Playing &&
               engine_->Length(slow) == 441000;
    });
    sound.join();
    EXPECT_TRUE(right);
}

TEST_F(EngineLocks, WhileASlowFileSeeksTheOtherChannelsPlayOn) {
    Gate gate;
    const ChannelId slow = engine_->Open(std::make_unique<SlowDecoder>(nullptr, &gate));
    engine_->Play(slow);
    engine_->Play(tone_);
    std::thread user([&] { EXPECT_TRUE(engine_->Seek(slow, 44100)); });
    gate.WaitArrived();  // the user's seek is inside the slow file
    const std::int64_t played = AnsweredWhileHeld(gate, [&] {
        engine_->Manual()->Advance(100);
        return engine_->Position(tone_);
    });
    user.join();
    EXPECT_EQ(played, 4410) << "the tone played its 100 ms";
    EXPECT_NEAR(testing::PeakAbs(engine_->Manual()->Captured(), 0, 4410), 0.5, 0.001);
    EXPECT_EQ(engine_->Position(slow), 44100);
    engine_->Manual()->Advance(100);
    EXPECT_EQ(engine_->Position(slow), 44100 + 4410) << "after its seek the slow file plays on";
}

}  // namespace
}  // namespace tarvel::sound

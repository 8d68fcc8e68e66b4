#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/sound/decoders.h"
#include "platform/sound/paced_output.h"
#include "platform/sound/shared_engine.h"
#include "sound_support/manual_engine.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"

namespace tarvel::sound {
namespace {

using testing::ManualEngine;
using testing::TempDir;

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wav_ = dir_ / "tone.wav";
        // 1 s of a 441 Hz sine: one period is exactly 100 frames.
        testing::WriteWav(wav_, 44100, 2, 16, testing::Sine(441, 0.5, 44100, 2, 44100));
    }
    ChannelId OpenWav() { return engine_->Open(OpenStreamDecoder(wav_)); }
    ManualOutput& out() { return *engine_->Manual(); }

    TempDir dir_;
    std::string wav_;
    std::unique_ptr<Engine> engine_ = ManualEngine();
};

TEST_F(EngineTest, PlaysToTheEndAndCallsBackOnce) {
    const ChannelId id = OpenWav();
    std::atomic<int> ends{0};
    engine_->SetEndCallback(id, [&] { ++ends; });
    EXPECT_EQ(engine_->Length(id), 44100);
    EXPECT_TRUE(engine_->Play(id));
    out().Advance(500);
    EXPECT_EQ(engine_->Position(id), 22050);
    EXPECT_EQ(engine_->State(id), PlayState::Playing);
    EXPECT_EQ(ends, 0);
    out().Advance(600);
    EXPECT_EQ(engine_->Position(id), 44100);
    EXPECT_EQ(engine_->State(id), PlayState::Stopped);
    EXPECT_TRUE(engine_->Ended(id));
    EXPECT_EQ(ends, 1);
    out().Advance(100);
    EXPECT_EQ(ends, 1);
    // What was heard is the file's sine, then silence.
    const auto& heard = out().Captured();
    EXPECT_NEAR(testing::ZeroCrossingHz(heard, 0, 44100, 44100), 441, 0.5);
    EXPECT_NEAR(testing::PeakAbs(heard, 0, 44100), 0.5, 0.001);
    EXPECT_EQ(testing::PeakAbs(heard, 44100, heard.size() / 2), 0.0);
}

TEST_F(EngineTest, SeekLandsOnTheSampleAndPauseHolds) {
    const ChannelId id = OpenWav();
    engine_->Play(id);
    ASSERT_TRUE(engine_->Seek(id, 12345));
    EXPECT_EQ(engine_->Position(id), 12345);
    out().RenderFrames(10);
    EXPECT_EQ(engine_->Position(id), 12355);
    // The first frame out is source frame 12345 (a 441 Hz sine repeats every 100 frames).
    const auto expected = testing::Sine(441, 0.5, 44100, 2, 46);
    EXPECT_NEAR(out().Captured()[0], expected[2 * 45], 1.0 / 32767);

    EXPECT_TRUE(engine_->Pause(id));
    out().ClearCaptured();
    out().Advance(300);
    EXPECT_EQ(engine_->Position(id), 12355);
    EXPECT_EQ(engine_->State(id), PlayState::Paused);
    EXPECT_EQ(testing::PeakAbs(out().Captured(), 0, out().Captured().size() / 2), 0.0);
    EXPECT_TRUE(engine_->Resume(id));
    out().RenderFrames(100);
    EXPECT_EQ(engine_->Position(id), 12455);
    // Past the end: the position stops at the length.
    engine_->Seek(id, 10'000'000);
    EXPECT_EQ(engine_->Position(id), 44100);
}

TEST_F(EngineTest, VolumesScaleTheAmplitude) {
    const ChannelId id = OpenWav();
    engine_->Play(id);
    engine_->SetVolume(id, 0.5f);
    out().RenderFrames(1000);
    EXPECT_NEAR(testing::PeakAbs(out().Captured(), 0, 1000), 0.25, 0.001);
    engine_->SetMasterVolume(0.5f);
    out().ClearCaptured();
    out().RenderFrames(1000);
    EXPECT_NEAR(testing::PeakAbs(out().Captured(), 0, 1000), 0.125, 0.001);
}

TEST_F(EngineTest, UnknownChannelsFailHarmlessly) {
    EXPECT_FALSE(engine_->Play(77));
    EXPECT_FALSE(engine_->Seek(77, 0));
    EXPECT_EQ(engine_->Position(77), -1);
    EXPECT_FALSE(engine_->State(77).has_value());
    EXPECT_FALSE(engine_->AddEqBand(77).has_value());
    float bins[512];
    EXPECT_FALSE(engine_->Spectrum(77, bins));
    const ChannelId id = OpenWav();
    EXPECT_TRUE(engine_->Free(id));
    EXPECT_FALSE(engine_->Free(id));
}

TEST_F(EngineTest, TwoChannelsMix) {
    const ChannelId a = OpenWav();
    const ChannelId b = OpenWav();
    engine_->Play(a);
    engine_->Play(b);
    out().RenderFrames(1000);
    EXPECT_NEAR(testing::PeakAbs(out().Captured(), 0, 1000), 1.0, 0.001);
}

TEST(WavOutput, WritesAPlayableFile) {
    TempDir dir;
    { Engine engine(CreateOutput("wav:" + (dir / "out.wav"))); }
    const std::string bytes = testing::ReadBytes(dir / "out.wav");
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    // Frames rendered in real time before the end go in as 16-bit stereo at 44 100 Hz.
    EXPECT_EQ(static_cast<unsigned char>(bytes[24]) | (static_cast<unsigned char>(bytes[25]) << 8),
              44100);
    EXPECT_EQ((bytes.size() - 44) % 4, 0u);
    // A file that cannot be written: the sound is discarded, nothing breaks.
    Engine discarding(CreateOutput("wav:" + (dir / "no/such/folder/out.wav")));
    EXPECT_EQ(discarding.Manual(), nullptr);
}

// Time moves only when the output sleeps until a block is due, or when the test moves it.
class InstantClock final : public SoundClock {
  public:
    TimePoint Now() override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void SleepUntil(TimePoint when) override {
        std::lock_guard lock(mutex_);
        ++sleeps_;
        now_ = std::max(now_, when);
    }
    void Wait(std::chrono::milliseconds time) {
        std::lock_guard lock(mutex_);
        now_ += time;
    }
    int Sleeps() {
        std::lock_guard lock(mutex_);
        return sleeps_;
    }

  private:
    std::mutex mutex_;
    TimePoint now_{};
    int sleeps_ = 0;
};

// The paced output renders only while something plays: before a song, after it and between two
// songs its thread sleeps, and the WAV file still holds the silence of that time.
TEST(WavOutput, SleepsWhileNothingPlaysAndStillWritesTheSilence) {
    TempDir dir;
    const std::string song = dir / "song.wav";
    testing::WriteWav(song, 44100, 2, 16, testing::Sine(441, 0.5, 44100, 2, 11025));  // 0.25 s
    const std::string out = dir / "out.wav";
    InstantClock clock;
    constexpr auto kBlock = static_cast<std::int64_t>(PacedOutput::kBlockFrames);
    const int song_blocks = static_cast<int>((11025 + kBlock - 1) / kBlock);
    {
        Engine engine(std::make_unique<PacedOutput>(out, clock));
        const ChannelId id = engine.Open(OpenStreamDecoder(song));
        std::mutex mutex;
        std::condition_variable changed;
        int ends = 0;
        engine.SetEndCallback(id, [&] {
            std::lock_guard lock(mutex);
            ++ends;
            changed.notify_all();
        });
        const auto play_to_end = [&](int n) {
            engine.Play(id);
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return ends == n; });
        };
        // An output that rendered silence while nothing played would have run the clock on
        // through many blocks before the song started and between the songs. (The song's last
        // block may still be waiting for its time when its end is called back.)
        play_to_end(1);
        ASSERT_LE(clock.Sleeps(), song_blocks);
        while (!engine.OutputAsleep()) {
            std::this_thread::yield();
        }
        clock.Wait(std::chrono::seconds(2));
        play_to_end(2);
        EXPECT_LE(clock.Sleeps(), 2 * song_blocks);
    }
    const std::string bytes = testing::ReadBytes(out);
    const auto frames = static_cast<std::int64_t>((bytes.size() - 44) / 4);
    const auto sample = [&](std::int64_t frame) {
        const auto at = static_cast<std::size_t>(44 + 4 * frame);
        return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[at]) |
                                         (static_cast<unsigned char>(bytes[at + 1]) << 8));
    };
    // Song, two seconds of silence, song again: at most a block's rounding either way.
    const std::int64_t expected = 2 * song_blocks * kBlock + 2 * 44100;
    EXPECT_NEAR(static_cast<double>(frames), static_cast<double>(expected), kBlock);
    int loud_before = 0, loud_between = 0, loud_after = 0;
    for (std::int64_t f = 0; f < frames; ++f) {
        const bool loud = std::abs(sample(f)) > 1000;
        (f < 11025 ? loud_before : f < frames - 11025 - kBlock ? loud_between : loud_after) += loud;
    }
    EXPECT_GT(loud_before, 5000);
    EXPECT_EQ(loud_between, 0);
    EXPECT_GT(loud_after, 5000);
}

TEST(SharedEngine, FollowsTarvelAudio) {
    setenv("TARVEL_AUDIO", "manual", 1);
    ResetSharedEngine();
    EXPECT_NE(SharedEngine().Manual(), nullptr);
    setenv("TARVEL_AUDIO", "null", 1);
    ResetSharedEngine();
    EXPECT_EQ(SharedEngine().Manual(), nullptr);
    ResetSharedEngine();
}

}  // namespace
}  // namespace tarvel::sound

#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/sound/channel.h"
#include "platform/sound/decoder.h"
#include "platform/sound/fft_bins.h"
#include "platform/sound/peaking_eq.h"

namespace tarvel::sound {

class Output;
class ManualOutput;

// A channel of the engine; 0 is never a channel.
using ChannelId = std::uint32_t;

// The sound core: channels mixed at 44 100 Hz stereo float, times the master volume, pulled by
// one output. Every method is thread-safe; calls on an unknown channel fail harmlessly (false,
// nullopt or -1). A channel starts stopped at frame 0; positions are 44 100 Hz frames.
//
// File reading (decoding, seeking, lengths) happens outside the engine's lock, under the lock of
// the one channel it concerns, so a slow file never holds up the sound thread's mixing or the
// calls on other channels.
//
// End callbacks run on the thread that renders (the output's sound thread, or the caller of
// ManualOutput::Advance), outside the engine's lock, so they may call the engine.
class Engine {
  public:
    explicit Engine(std::unique_ptr<Output> output);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    ChannelId Open(std::unique_ptr<Decoder> decoder);
    bool Free(ChannelId id);

    // Starts at the current position (at 0 again when the channel had played to its end).
    bool Play(ChannelId id);
    bool Pause(ChannelId id);   // only a playing channel pauses
    bool Resume(ChannelId id);  // only a paused channel resumes
    bool Stop(ChannelId id);    // keeps the position
    std::optional<PlayState> State(ChannelId id) const;
    // True once the channel has played to its end (until it is seeked or started again).
    bool Ended(ChannelId id) const;

    std::int64_t Position(ChannelId id) const;
    bool Seek(ChannelId id, std::int64_t frame);
    std::int64_t Length(ChannelId id);
    std::optional<PcmFormat> SourceFormat(ChannelId id) const;
    // Runs f on the channel's decoder under the lock (for decoder-specific questions).
    bool WithDecoder(ChannelId id, const std::function<void(Decoder&)>& f);

    bool SetVolume(ChannelId id, float amplitude);
    std::optional<float> Volume(ChannelId id) const;
    // The gain stage before the channel's effects (volume leveling), linear amplitude; 1 by
    // default.
    bool SetLeveling(ChannelId id, float amplitude);

    std::optional<std::size_t> AddEqBand(ChannelId id);
    bool SetEqBand(ChannelId id, std::size_t band, const EqBandParams& params);
    std::optional<EqBandParams> EqBand(ChannelId id, std::size_t band) const;

    // Called once each time the channel plays to its end.
    bool SetEndCallback(ChannelId id, std::function<void()> callback);

    // FFT magnitudes of the channel's 1024 samples (mono) heard last, 512 bins.
    bool Spectrum(ChannelId id, float* bins);
    // The same of the mixed output.
    void MixSpectrum(float* bins);

    void SetMasterVolume(float amplitude);
    float MasterVolume() const;

    // The manual output when the engine runs on one, for tests and benchmarks.
    ManualOutput* Manual() const;

    // For outputs: writes the next frames of the mix (stereo float) into out. An output that
    // plays a block over the time that follows its rendering (`heard_from_now`) says so, and the
    // spectrum then shows the samples of the moment rather than the end of the block.
    void Render(float* out, std::size_t frames, bool heard_from_now = false);

    // For outputs: whether any channel plays. While none does there is nothing to render but
    // silence, and an output thread sleeps in WaitUntilPlaying until one starts, or until
    // WakeOutput (the output stopping).
    bool AnyPlaying() const;
    void WaitUntilPlaying(const std::atomic<bool>& running);
    void WakeOutput();
    // The output's thread sleeps in WaitUntilPlaying now.
    bool OutputAsleep() const;

  private:
    Channel* Find(ChannelId id) const;
    // The decoding side of a channel, taken under the lock and used outside it.
    std::shared_ptr<ChannelSource> SourceOf(ChannelId id) const;
    // Sets a channel in state from to playing.
    bool StartFrom(ChannelId id, PlayState from);
    bool AnyPlayingLocked() const;
    // How many samples of the last block are still to be heard (under the lock).
    std::size_t UnheardLocked() const;

    mutable std::mutex mutex_;
    std::condition_variable playing_;
    // The last block rendered: when, how long, and whether it is heard over the time after.
    std::chrono::steady_clock::time_point rendered_at_;
    std::size_t rendered_frames_ = 0;
    bool heard_from_now_ = false;
    bool output_asleep_ = false;
    std::map<ChannelId, std::unique_ptr<Channel>> channels_;
    ChannelId next_id_ = 1;
    float master_ = 1.0f;
    std::vector<float> scratch_;
    SampleHistory mix_history_;
    std::mutex fft_mutex_;
    SpectrumFft fft_;
    std::unique_ptr<Output> output_;
};

}  // namespace tarvel::sound

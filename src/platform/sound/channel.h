#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/sound/channel_source.h"
#include "platform/sound/fft_bins.h"
#include "platform/sound/peaking_eq.h"

namespace tarvel::sound {

enum class PlayState { Stopped, Playing, Paused };

// The mixing side of one playing source: leveling gain -> effects (EqChain) -> volume, its play
// state and the last 1024 samples it produced (mono) for the spectrum. The decoding side is the
// shared ChannelSource, which the sound thread fills outside the engine's lock. Not thread-safe:
// the engine serialises every call under its lock.
class Channel {
  public:
    explicit Channel(std::unique_ptr<Decoder> decoder)
        : source_(std::make_shared<ChannelSource>(std::move(decoder))) {}

    // Adds the frames its source has ready (at most frames), through the effects and times the
    // volume, into mix. True when the source ended with this block.
    bool MixInto(float* mix, std::size_t frames, std::vector<float>& scratch);

    PlayState state = PlayState::Stopped;
    bool ended = false;   // played to its end; cleared by a seek or a new start
    float volume = 1.0f;  // linear amplitude
    // Linear amplitude applied before the effects (volume leveling); 1 leaves the samples
    // untouched.
    float leveling = 1.0f;
    std::function<void()> on_end;

    const std::shared_ptr<ChannelSource>& source() const { return source_; }
    EqChain& eq() { return eq_; }
    // kFftSize samples, oldest first, ending `back` samples before the last one mixed.
    void History(float* out, std::size_t back) const { history_.CopyOut(out, back); }
    // After a seek: the next block starts afresh.
    void Restart() {
        ended = false;
        history_.Clear();
    }

  private:
    std::shared_ptr<ChannelSource> source_;
    EqChain eq_;
    SampleHistory history_;
};

}  // namespace tarvel::sound

#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/sound/fft_bins.h"
#include "platform/sound/peaking_eq.h"
#include "platform/sound/source_stage.h"

namespace tarvel::sound {

enum class PlayState { Stopped, Playing, Paused };

// One playing source: decoder and resampler (SourceStage) -> effects (EqChain) -> volume.
// Keeps its position in 44 100 Hz frames and the last 1024 samples it produced (mono) for the
// spectrum. Not thread-safe: the engine serialises every call.
class Channel {
  public:
    explicit Channel(std::unique_ptr<Decoder> decoder) : source_(std::move(decoder)) {}

    // Renders up to frames frames and adds them, times the volume, into mix. Returns how many
    // it rendered; fewer than asked means the source ended during this block.
    std::size_t MixInto(float* mix, std::size_t frames, std::vector<float>& scratch);

    PlayState state = PlayState::Stopped;
    bool ended = false;   // played to its end; cleared by a seek or a new start
    float volume = 1.0f;  // linear amplitude
    std::function<void()> on_end;

    std::int64_t Position() const { return position_; }
    // True when the position has reached an exactly known end: the channel ends with the block
    // that reached it, not one block later.
    bool AtKnownEnd();
    bool Seek(std::int64_t frame);
    std::int64_t Length() { return source_.Length(); }
    const PcmFormat& SourceFormat() const { return source_.SourceFormat(); }
    Decoder& decoder() { return source_.decoder(); }
    EqChain& eq() { return eq_; }
    // The last kFftSize samples, oldest first.
    void History(float* out) const { history_.CopyOut(out); }

  private:
    SourceStage source_;
    EqChain eq_;
    std::int64_t position_ = 0;
    std::int64_t exact_length_ = -2;  // -2: not asked yet, -1: not known exactly
    SampleHistory history_;
};

}  // namespace tarvel::sound

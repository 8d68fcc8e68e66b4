#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sound/decoder.h"
#include "platform/sound/source_stage.h"

namespace tarvel::sound {

// The decoding side of a channel: its decoder and resampler, and the frames decoded ahead of
// the mix. It has a lock of its own, so a decoder that reads its file (a slow disk, a network
// share) holds up only what concerns this channel, never the engine's lock.
//
// The sound thread calls Fill outside the engine's lock, then TryTake under it. Neither waits
// for the lock: while another thread seeks the source, the channel is silent (a seek breaks the
// sound anyway) and every other channel plays on.
class ChannelSource {
  public:
    explicit ChannelSource(std::unique_ptr<Decoder> decoder);

    // Decodes until at least frames frames wait, or the source has ended.
    void Fill(std::size_t frames);

    struct Taken {
        std::size_t frames = 0;  // stereo frames written to out
        bool ended = false;      // the source ended with these frames
    };
    // Moves up to frames waiting frames into out (stereo float) and advances the position.
    Taken TryTake(float* out, std::size_t frames);

    // Moves to a frame (clamped to 0 and the length) and drops what was decoded ahead.
    bool Seek(std::int64_t frame);
    // Length in 44 100 Hz frames, or -1 when unknown (as last learnt from the decoder).
    std::int64_t Length() const { return length_.load(); }
    // Frames played since the start of the source.
    std::int64_t Position() const { return position_.load(); }
    const PcmFormat& SourceFormat() const { return format_; }
    void WithDecoder(const std::function<void(Decoder&)>& f);

  private:
    std::mutex mutex_;
    SourceStage stage_;
    const PcmFormat format_;
    std::vector<float> ahead_;  // stereo frames decoded and not yet taken
    bool stage_ended_ = false;
    // Where the source ends exactly (the channel ends with the block that reaches it, not one
    // block later), or -1 when the length is an estimate.
    const std::int64_t exact_length_;
    std::atomic<std::int64_t> length_;
    std::atomic<std::int64_t> position_{0};
};

}  // namespace tarvel::sound

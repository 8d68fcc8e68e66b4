#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sound/decoder.h"
#include "platform/sound/resampler.h"

namespace tarvel::sound {

// The rate and layout every channel is mixed in.
constexpr int kMixRate = 44100;

// The head of a channel: a decoder's samples as 44 100 Hz stereo float frames. Mono is doubled,
// more than two channels keep their first two (front left and right); other rates go through
// the resampler. Positions are counted in output frames.
class SourceStage {
  public:
    explicit SourceStage(std::unique_ptr<Decoder> decoder);

    const PcmFormat& SourceFormat() const { return format_; }
    Decoder& decoder() { return *decoder_; }

    // Writes up to frames stereo frames; fewer means the source has ended.
    std::size_t Pull(float* out, std::size_t frames);
    // Moves to an output frame. False when the decoder cannot seek.
    bool Seek(std::int64_t frame);
    // Length in output frames, or -1 when unknown.
    std::int64_t Length();

  private:
    std::size_t ReadStereo(float* out, std::size_t frames);

    std::unique_ptr<Decoder> decoder_;
    PcmFormat format_;
    std::unique_ptr<Resampler> resampler_;
    std::vector<float> raw_;      // decoder frames in its own layout
    std::vector<float> pending_;  // stereo frames waiting for the resampler
    std::size_t pending_at_ = 0;  // first unused frame in pending_
    bool input_ended_ = false;
    bool ended_ = false;
};

}  // namespace tarvel::sound

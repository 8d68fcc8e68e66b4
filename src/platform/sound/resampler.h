#pragma once

#include <cstddef>
#include <memory>

struct soxr;

namespace tarvel::sound {

// libsoxr: interleaved float frames from one rate to another, same channel count.
class Resampler {
  public:
    Resampler(double in_rate, double out_rate, unsigned channels);
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // Takes up to in_frames input frames (in == nullptr: the input has ended, flush what is
    // held) and writes up to out_frames output frames. Reports how many of each were used.
    void Process(const float* in, std::size_t in_frames, std::size_t& in_used, float* out,
                 std::size_t out_frames, std::size_t& out_made);
    // Forgets everything held, for a seek.
    void Clear();

  private:
    soxr* soxr_ = nullptr;
};

}  // namespace tarvel::sound

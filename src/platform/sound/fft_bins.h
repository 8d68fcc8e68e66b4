#pragma once

#include <array>
#include <cstddef>
#include <memory>

namespace tarvel::sound {

constexpr std::size_t kFftSize = 1024;
constexpr std::size_t kFftBins = kFftSize / 2;

// FFTW: magnitudes of a 1024-sample window (Hann), 512 bins, scaled so that a full-scale sine
// centred on a bin gives about 1.0. One object per thread that uses it. Making one costs
// nothing: FFTW is loaded and the plan made on the first Magnitudes(). Where FFTW cannot be
// loaded, every bin is 0 (the sound plays on) and the reason is said once on stderr.
class SpectrumFft {
  public:
    SpectrumFft();
    ~SpectrumFft();
    SpectrumFft(const SpectrumFft&) = delete;
    SpectrumFft& operator=(const SpectrumFft&) = delete;

    void Magnitudes(const float* samples, float* bins);

  private:
    struct Plan;
    // The plan, made on the first call; null when FFTW cannot be loaded.
    Plan* MadePlan();

    std::unique_ptr<Plan> plan_;
    bool planned_ = false;
};

}  // namespace tarvel::sound

namespace tarvel::sound {

// The last samples of a signal, for the spectrum: a window of kFftSize of them, ending a given
// number of samples before the newest, so that a block rendered ahead of the listener can be
// shown as it is heard.
class SampleHistory {
  public:
    // The furthest back a window may end.
    static constexpr std::size_t kMaxBack = 16384 - kFftSize;

    void Push(float sample) {
        samples_[at_] = sample;
        at_ = (at_ + 1) % samples_.size();
    }
    void Clear() { samples_.fill(0.0f); }
    // kFftSize samples, oldest first, the last of them `back` samples before the newest (at most
    // kMaxBack).
    void CopyOut(float* out, std::size_t back = 0) const;

  private:
    std::array<float, kFftSize + kMaxBack> samples_{};
    std::size_t at_ = 0;
};

}  // namespace tarvel::sound

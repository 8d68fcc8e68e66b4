#pragma once

#include <cstddef>
#include <vector>

namespace tarvel::sound {

// One band of a parametric equalizer: a peaking filter around centre (Hz) whose width is given
// in semitones and whose gain at the centre is gain dB (0 dB passes the sound unchanged).
struct EqBandParams {
    float centre = 1000.0f;
    float bandwidth = 12.0f;
    float gain = 0.0f;
};

// A chain of peaking biquads (the audio-EQ-cookbook form) run on 44 100 Hz stereo frames in
// place. Bands are numbered in the order they were added.
class EqChain {
  public:
    explicit EqChain(double rate = 44100.0) : rate_(rate) {}

    // Adds a flat band and gives its index.
    std::size_t AddBand();
    std::size_t BandCount() const { return bands_.size(); }
    // Out-of-range centres and widths are clamped to what the filter can do.
    void SetBand(std::size_t index, const EqBandParams& params);
    const EqBandParams& Band(std::size_t index) const { return bands_[index].params; }
    void Clear() { bands_.clear(); }
    // Forgets the filters' memory (after a seek).
    void Reset();

    void Process(float* stereo, std::size_t frames);

  private:
    struct Filter {
        EqBandParams params;
        float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
        float z1[2] = {0, 0};  // per channel
        float z2[2] = {0, 0};
        bool flat = true;
    };
    void RefreshActive();
    // Runs up to four bands in cascade over the frames (see the .cpp).
    static void ProcessGroup(Filter* const* group, float* stereo, std::size_t frames);

    double rate_;
    std::vector<Filter> bands_;
    std::vector<Filter*> active_;
};

}  // namespace tarvel::sound

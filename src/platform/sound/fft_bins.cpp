#include "platform/sound/fft_bins.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <mutex>
#include <numbers>

namespace tarvel::sound {

namespace {
// FFTW's planner is not thread-safe; executing a plan is.
std::mutex& PlannerMutex() {
    static std::mutex m;
    return m;
}
}  // namespace

struct SpectrumFft::Plan {
    float* in = nullptr;
    fftwf_complex* out = nullptr;
    fftwf_plan plan = nullptr;
};

SpectrumFft::SpectrumFft() : plan_(std::make_unique<Plan>()) {
    for (std::size_t i = 0; i < kFftSize; ++i) {
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kFftSize));
    }
    std::lock_guard lock(PlannerMutex());
    plan_->in = fftwf_alloc_real(kFftSize);
    plan_->out = fftwf_alloc_complex(kFftBins + 1);
    plan_->plan = fftwf_plan_dft_r2c_1d(kFftSize, plan_->in, plan_->out, FFTW_ESTIMATE);
}

SpectrumFft::~SpectrumFft() {
    std::lock_guard lock(PlannerMutex());
    fftwf_destroy_plan(plan_->plan);
    fftwf_free(plan_->in);
    fftwf_free(plan_->out);
}

void SpectrumFft::Magnitudes(const float* samples, float* bins) {
    for (std::size_t i = 0; i < kFftSize; ++i) {
        plan_->in[i] = samples[i] * window_[i];
    }
    fftwf_execute(plan_->plan);
    constexpr float kScale = 4.0f / kFftSize;  // Hann's coherent gain is 1/2, a real sine's half
    for (std::size_t k = 0; k < kFftBins; ++k) {
        const float re = plan_->out[k][0];
        const float im = plan_->out[k][1];
        bins[k] = std::sqrt(re * re + im * im) * kScale;
    }
}

}  // namespace tarvel::sound

namespace tarvel::sound {

void SampleHistory::CopyOut(float* out) const {
    const auto split = static_cast<std::ptrdiff_t>(at_);
    std::copy(samples_.begin() + split, samples_.end(), out);
    std::copy(samples_.begin(), samples_.begin() + split, out + (kFftSize - at_));
}

}  // namespace tarvel::sound

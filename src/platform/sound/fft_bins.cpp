#include "platform/sound/fft_bins.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <mutex>
#include <numbers>
#include <string>

#include "platform/sound/dynamic_library.h"

namespace tarvel::sound {

namespace {

// The FFTW functions used, from the library loaded when the first spectrum is asked for.
struct FftwApi {
    decltype(&::fftwf_alloc_real) fftwf_alloc_real = nullptr;
    decltype(&::fftwf_alloc_complex) fftwf_alloc_complex = nullptr;
    decltype(&::fftwf_free) fftwf_free = nullptr;
    decltype(&::fftwf_plan_dft_r2c_1d) fftwf_plan_dft_r2c_1d = nullptr;
    decltype(&::fftwf_destroy_plan) fftwf_destroy_plan = nullptr;
    decltype(&::fftwf_execute) fftwf_execute = nullptr;
};

// Null when FFTW cannot be loaded; the reason is then said once.
const FftwApi* Fftw() {
    static LazyLibrary<FftwApi> library({"libfftw3f.so.3"}, [](DynamicLibrary& l, FftwApi& api) {
        TARVEL_RESOLVE(l, api, fftwf_alloc_real);
        TARVEL_RESOLVE(l, api, fftwf_alloc_complex);
        TARVEL_RESOLVE(l, api, fftwf_free);
        TARVEL_RESOLVE(l, api, fftwf_plan_dft_r2c_1d);
        TARVEL_RESOLVE(l, api, fftwf_destroy_plan);
        TARVEL_RESOLVE(l, api, fftwf_execute);
    });
    std::string why;
    const FftwApi* api = library.Get(why);
    if (api == nullptr) {
        static std::once_flag said;
        std::call_once(said,
                       [&] { std::fprintf(stderr, "tarvel: no spectrum: %s\n", why.c_str()); });
    }
    return api;
}

// FFTW's planner is not thread-safe; executing a plan is.
std::mutex& PlannerMutex() {
    static std::mutex m;
    return m;
}

}  // namespace

struct SpectrumFft::Plan {
    const FftwApi& fftw;
    float* in = nullptr;
    fftwf_complex* out = nullptr;
    fftwf_plan plan = nullptr;
    std::array<float, kFftSize> window;

    explicit Plan(const FftwApi& api) : fftw(api) {
        for (std::size_t i = 0; i < kFftSize; ++i) {
            window[i] =
                static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / kFftSize));
        }
        std::lock_guard lock(PlannerMutex());
        in = fftw.fftwf_alloc_real(kFftSize);
        out = fftw.fftwf_alloc_complex(kFftBins + 1);
        plan = fftw.fftwf_plan_dft_r2c_1d(kFftSize, in, out, FFTW_ESTIMATE);
    }
    ~Plan() {
        std::lock_guard lock(PlannerMutex());
        fftw.fftwf_destroy_plan(plan);
        fftw.fftwf_free(in);
        fftw.fftwf_free(out);
    }
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;
};

SpectrumFft::SpectrumFft() = default;
SpectrumFft::~SpectrumFft() = default;

SpectrumFft::Plan* SpectrumFft::MadePlan() {
    if (!planned_) {
        planned_ = true;
        if (const FftwApi* fftw = Fftw(); fftw != nullptr) {
            plan_ = std::make_unique<Plan>(*fftw);
        }
    }
    return plan_.get();
}

void SpectrumFft::Magnitudes(const float* samples, float* bins) {
    Plan* p = MadePlan();
    if (p == nullptr) {
        std::fill(bins, bins + kFftBins, 0.0f);
        return;
    }
    for (std::size_t i = 0; i < kFftSize; ++i) {
        p->in[i] = samples[i] * p->window[i];
    }
    p->fftw.fftwf_execute(p->plan);
    constexpr float kScale = 4.0f / kFftSize;  // Hann's coherent gain is 1/2, a real sine's half
    for (std::size_t k = 0; k < kFftBins; ++k) {
        const float re = p->out[k][0];
        const float im = p->out[k][1];
        bins[k] = std::sqrt(re * re + im * im) * kScale;
    }
}

}  // namespace tarvel::sound

namespace tarvel::sound {

void SampleHistory::CopyOut(float* out, std::size_t back) const {
    const std::size_t size = samples_.size();
    std::size_t from = (at_ + size - std::min(back, kMaxBack) - kFftSize) % size;
    for (std::size_t i = 0; i < kFftSize; ++i) {
        out[i] = samples_[from];
        from = from + 1 == size ? 0 : from + 1;
    }
}

}  // namespace tarvel::sound

#include "platform/sound/peaking_eq.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvel::sound {

std::size_t EqChain::AddBand() {
    bands_.emplace_back();
    RefreshActive();
    return bands_.size() - 1;
}

void EqChain::SetBand(std::size_t index, const EqBandParams& params) {
    Filter& band = bands_[index];
    band.params = params;
    const double nyquist = rate_ / 2;
    const double centre = std::clamp<double>(params.centre, 1.0, nyquist * 0.99);
    const double octaves = std::clamp<double>(params.bandwidth, 0.1, 72.0) / 12.0;
    const double gain = std::clamp<double>(params.gain, -60.0, 60.0);
    band.flat = gain == 0.0;
    const double a = std::pow(10.0, gain / 40.0);
    const double w0 = 2 * std::numbers::pi * centre / rate_;
    const double sin_w0 = std::sin(w0);
    const double alpha = sin_w0 * std::sinh(std::numbers::ln2 / 2 * octaves * w0 / sin_w0);
    const double a0 = 1 + alpha / a;
    band.b0 = (1 + alpha * a) / a0;
    band.b1 = -2 * std::cos(w0) / a0;
    band.b2 = (1 - alpha * a) / a0;
    band.a1 = band.b1;
    band.a2 = (1 - alpha / a) / a0;
    RefreshActive();
}

void EqChain::RefreshActive() {
    active_.clear();
    for (Filter& b : bands_) {
        if (!b.flat) {
            active_.push_back(&b);
        }
    }
}

void EqChain::Reset() {
    for (Filter& b : bands_) {
        b.z1[0] = b.z1[1] = b.z2[0] = b.z2[1] = 0;
    }
}

void EqChain::Process(float* stereo, std::size_t frames) {
    if (active_.empty()) {
        return;
    }
    // Sample by sample through every band: the bands' recursions are independent of each other,
    // so the processor overlaps them. Transposed direct form II, double precision state.
    for (std::size_t i = 0; i < frames; ++i) {
        double left = stereo[2 * i];
        double right = stereo[2 * i + 1];
        for (Filter* b : active_) {
            const double yl = b->b0 * left + b->z1[0];
            const double yr = b->b0 * right + b->z1[1];
            b->z1[0] = b->b1 * left - b->a1 * yl + b->z2[0];
            b->z1[1] = b->b1 * right - b->a1 * yr + b->z2[1];
            b->z2[0] = b->b2 * left - b->a2 * yl;
            b->z2[1] = b->b2 * right - b->a2 * yr;
            left = yl;
            right = yr;
        }
        stereo[2 * i] = static_cast<float>(left);
        stereo[2 * i + 1] = static_cast<float>(right);
    }
}

}  // namespace tarvel::sound

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
    band.b0 = static_cast<float>((1 + alpha * a) / a0);
    band.b1 = static_cast<float>(-2 * std::cos(w0) / a0);
    band.b2 = static_cast<float>((1 - alpha * a) / a0);
    band.a1 = band.b1;
    band.a2 = static_cast<float>((1 - alpha / a) / a0);
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

namespace {

using V4 = float __attribute__((vector_size(16)));

// One biquad step (transposed direct form II) of one band on one channel.
inline float Step(float b0, float b1, float b2, float a1, float a2, float& z1, float& z2, float x) {
    const float y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

}  // namespace

// Four bands A, B, C, D in cascade, both channels, as two 4-lane vectors processed with a
// one-sample skew between bands: at frame n, A takes x[n], B takes A's output of n-1, C B's of
// n-2 and D C's of n-3. The four bands' recursions are then independent within one step, which
// keeps the processor busy instead of waiting on each band's result in turn. The first three
// and last three frames fill and drain the pipeline one band at a time, so the output is exact
// (no added delay). Missing bands of a short group are pass-through.
void EqChain::ProcessGroup(Filter* const* group, float* stereo, std::size_t frames) {
    Filter pass;
    Filter* f[4];
    for (int b = 0; b < 4; ++b) {
        f[b] = group[b] != nullptr ? group[b] : &pass;
    }
    const auto scalar = [&](int b, int c, float x) {
        Filter& g = *f[b];
        return Step(g.b0, g.b1, g.b2, g.a1, g.a2, g.z1[c], g.z2[c], x);
    };
    if (frames < 4) {
        for (std::size_t n = 0; n < frames; ++n) {
            for (int c = 0; c < 2; ++c) {
                float v = stereo[2 * n + c];
                for (int b = 0; b < 4; ++b) {
                    v = scalar(b, c, v);
                }
                stereo[2 * n + c] = v;
            }
        }
        return;
    }
    // y[b][k][c]: the latest outputs of band b still to be taken by band b + 1.
    float ya[3][2], yb[2][2], yc[2];
    for (int c = 0; c < 2; ++c) {
        ya[0][c] = scalar(0, c, stereo[c]);
        ya[1][c] = scalar(0, c, stereo[2 + c]);
        yb[0][c] = scalar(1, c, ya[0][c]);
        ya[2][c] = scalar(0, c, stereo[4 + c]);
        yb[1][c] = scalar(1, c, ya[1][c]);
        yc[c] = scalar(2, c, yb[0][c]);
    }
    // Lanes: P = A left, A right, B left, B right; Q = C left, C right, D left, D right.
    const auto lanes = [&](int first, float Filter::*coef) {
        return V4{f[first]->*coef, f[first]->*coef, f[first + 1]->*coef, f[first + 1]->*coef};
    };
    const V4 b0p = lanes(0, &Filter::b0), b1p = lanes(0, &Filter::b1), b2p = lanes(0, &Filter::b2);
    const V4 a1p = lanes(0, &Filter::a1), a2p = lanes(0, &Filter::a2);
    const V4 b0q = lanes(2, &Filter::b0), b1q = lanes(2, &Filter::b1), b2q = lanes(2, &Filter::b2);
    const V4 a1q = lanes(2, &Filter::a1), a2q = lanes(2, &Filter::a2);
    V4 z1p{f[0]->z1[0], f[0]->z1[1], f[1]->z1[0], f[1]->z1[1]};
    V4 z2p{f[0]->z2[0], f[0]->z2[1], f[1]->z2[0], f[1]->z2[1]};
    V4 z1q{f[2]->z1[0], f[2]->z1[1], f[3]->z1[0], f[3]->z1[1]};
    V4 z2q{f[2]->z2[0], f[2]->z2[1], f[3]->z2[0], f[3]->z2[1]};
    // Inputs of the step at frame n = 3.
    V4 in_q{yb[1][0], yb[1][1], yc[0], yc[1]};
    float prev_a[2] = {ya[2][0], ya[2][1]};
    for (std::size_t n = 3; n < frames; ++n) {
        const V4 in_p{stereo[2 * n], stereo[2 * n + 1], prev_a[0], prev_a[1]};
        const V4 yp = b0p * in_p + z1p;
        const V4 yq = b0q * in_q + z1q;
        z1p = b1p * in_p - a1p * yp + z2p;
        z1q = b1q * in_q - a1q * yq + z2q;
        z2p = b2p * in_p - a2p * yp;
        z2q = b2q * in_q - a2q * yq;
        stereo[2 * (n - 3)] = yq[2];
        stereo[2 * (n - 3) + 1] = yq[3];
        prev_a[0] = yp[0];
        prev_a[1] = yp[1];
        in_q = V4{yp[2], yp[3], yq[0], yq[1]};
    }
    const auto store = [](Filter* g, int lane, const V4& z1, const V4& z2) {
        for (int c = 0; c < 2; ++c) {
            g->z1[c] = z1[lane + c];
            g->z2[c] = z2[lane + c];
        }
    };
    store(f[0], 0, z1p, z2p);
    store(f[1], 2, z1p, z2p);
    store(f[2], 0, z1q, z2q);
    store(f[3], 2, z1q, z2q);
    // Drain: B has frames up to N-2 done, C up to N-3, D up to N-4.
    const std::size_t last = frames - 1;
    for (int c = 0; c < 2; ++c) {
        const float b_last = scalar(1, c, prev_a[c]);            // B at N-1
        const float c_prev = scalar(2, c, in_q[c]);              // C at N-2 (B's output of N-2)
        const float c_last = scalar(2, c, b_last);               // C at N-1
        stereo[2 * (last - 2) + c] = scalar(3, c, in_q[2 + c]);  // D at N-3
        stereo[2 * (last - 1) + c] = scalar(3, c, c_prev);       // D at N-2
        stereo[2 * last + c] = scalar(3, c, c_last);             // D at N-1
    }
}

void EqChain::Process(float* stereo, std::size_t frames) {
    for (std::size_t first = 0; first < active_.size(); first += 4) {
        Filter* group[4] = {nullptr, nullptr, nullptr, nullptr};
        for (std::size_t b = 0; b < 4 && first + b < active_.size(); ++b) {
            group[b] = active_[first + b];
        }
        ProcessGroup(group, stereo, frames);
    }
}

}  // namespace tarvel::sound

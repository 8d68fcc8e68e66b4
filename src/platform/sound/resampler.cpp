#include "platform/sound/resampler.h"

#include <fmt/format.h>
#include <soxr.h>

#include "platform/sound/sound_error.h"

namespace tarvel::sound {

Resampler::Resampler(double in_rate, double out_rate, unsigned channels) {
    soxr_error_t error = nullptr;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    soxr_ = soxr_create(in_rate, out_rate, channels, &error, &io, &quality, nullptr);
    if (error != nullptr) {
        throw SoundError(SoundFault::ReadError,
                         fmt::format("resampling {} Hz to {} Hz: {}", in_rate, out_rate, error));
    }
}

Resampler::~Resampler() {
    soxr_delete(soxr_);
}

void Resampler::Process(const float* in, std::size_t in_frames, std::size_t& in_used, float* out,
                        std::size_t out_frames, std::size_t& out_made) {
    in_used = 0;
    out_made = 0;
    soxr_process(soxr_, in, in == nullptr ? 0 : in_frames, &in_used, out, out_frames, &out_made);
}

void Resampler::Clear() {
    soxr_clear(soxr_);
}

}  // namespace tarvel::sound

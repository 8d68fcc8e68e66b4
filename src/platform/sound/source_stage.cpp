#include "platform/sound/source_stage.h"

#include <algorithm>

namespace tarvel::sound {

namespace {
constexpr std::size_t kBlock = 1024;
}

SourceStage::SourceStage(std::unique_ptr<Decoder> decoder)
    : decoder_(std::move(decoder)), format_(decoder_->Format()) {
    if (format_.rate != kMixRate) {
        resampler_ = std::make_unique<Resampler>(format_.rate, kMixRate, 2);
    }
}

std::size_t SourceStage::ReadStereo(float* out, std::size_t frames) {
    const auto channels = static_cast<std::size_t>(format_.channels);
    if (channels == 2) {
        return decoder_->Read(out, frames);
    }
    raw_.resize(frames * channels);
    const std::size_t got = decoder_->Read(raw_.data(), frames);
    for (std::size_t i = 0; i < got; ++i) {
        const float left = raw_[i * channels];
        out[2 * i] = left;
        out[2 * i + 1] = channels == 1 ? left : raw_[i * channels + 1];
    }
    return got;
}

std::size_t SourceStage::Pull(float* out, std::size_t frames) {
    if (ended_) {
        return 0;
    }
    if (!resampler_) {
        std::size_t done = 0;
        while (done < frames) {
            const std::size_t got = ReadStereo(out + 2 * done, frames - done);
            if (got == 0) {
                ended_ = true;
                break;
            }
            done += got;
        }
        return done;
    }
    std::size_t done = 0;
    while (done < frames) {
        if (pending_at_ * 2 >= pending_.size() && !input_ended_) {
            pending_.resize(kBlock * 2);
            const std::size_t got = ReadStereo(pending_.data(), kBlock);
            pending_.resize(got * 2);
            pending_at_ = 0;
            input_ended_ = got == 0;
        }
        std::size_t used = 0;
        std::size_t made = 0;
        const bool have_input = pending_at_ * 2 < pending_.size();
        resampler_->Process(have_input ? pending_.data() + pending_at_ * 2 : nullptr,
                            have_input ? pending_.size() / 2 - pending_at_ : 0, used,
                            out + 2 * done, frames - done, made);
        pending_at_ += used;
        done += made;
        if (input_ended_ && made == 0) {
            ended_ = true;
            break;
        }
    }
    return done;
}

bool SourceStage::Seek(std::int64_t frame) {
    const std::int64_t source_frame = resampler_ ? frame * format_.rate / kMixRate : frame;
    if (!decoder_->Seek(source_frame)) {
        return false;
    }
    if (resampler_) {
        resampler_->Clear();
    }
    pending_.clear();
    pending_at_ = 0;
    input_ended_ = false;
    ended_ = false;
    return true;
}

std::int64_t SourceStage::Length() {
    const std::int64_t n = decoder_->Length();
    if (n < 0 || !resampler_) {
        return n;
    }
    return n * kMixRate / format_.rate;
}

}  // namespace tarvel::sound

#include "platform/sound/cd_decoder.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

constexpr int kSectorsPerRead = 8;

class CdDecoder final : public Decoder {
  public:
    CdDecoder(std::unique_ptr<CdDisc> disc, std::int32_t first, std::int32_t last)
        : disc_(std::move(disc)),
          first_(first),
          frames_((std::int64_t{last} - first + 1) * kCdSectorFrames) {}

    PcmFormat Format() const override { return PcmFormat{44100, 2, 16}; }

    std::size_t Read(float* out, std::size_t frames) override {
        std::size_t done = 0;
        while (done < frames && at_ < frames_) {
            const std::int64_t sector = at_ / kCdSectorFrames;
            const int skip = static_cast<int>(at_ % kCdSectorFrames);
            const int count = static_cast<int>(std::min<std::int64_t>(
                kSectorsPerRead, (frames_ + kCdSectorFrames - 1) / kCdSectorFrames - sector));
            buffer_.resize(static_cast<std::size_t>(count) * kCdSectorBytes);
            if (!disc_->ReadSectors(first_ + static_cast<std::int32_t>(sector), count,
                                    buffer_.data())) {
                at_ = frames_;  // an unreadable disc ends the track
                break;
            }
            const std::size_t available = static_cast<std::size_t>(count) * kCdSectorFrames - skip;
            const std::size_t take =
                std::min({available, frames - done, static_cast<std::size_t>(frames_ - at_)});
            const unsigned char* bytes = buffer_.data() + static_cast<std::size_t>(skip) * 4;
            for (std::size_t i = 0; i < take * 2; ++i) {
                const auto sample = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
                out[2 * done + i] = static_cast<float>(sample) / 32768.0f;
            }
            done += take;
            at_ += static_cast<std::int64_t>(take);
        }
        return done;
    }

    bool Seek(std::int64_t frame) override {
        at_ = std::clamp<std::int64_t>(frame, 0, frames_);
        return true;
    }

    std::int64_t Length() override { return frames_; }

  private:
    std::unique_ptr<CdDisc> disc_;
    std::int32_t first_;
    std::int64_t frames_;
    std::int64_t at_ = 0;
    std::vector<unsigned char> buffer_;
};

}  // namespace

std::unique_ptr<Decoder> OpenCdDecoder(std::unique_ptr<CdDisc> disc, int track) {
    std::int32_t first = 0;
    std::int32_t last = 0;
    if (!disc || !disc->TrackSectors(track, first, last)) {
        throw SoundError(SoundFault::NoDevice, fmt::format("CD track {} does not exist", track));
    }
    return std::make_unique<CdDecoder>(std::move(disc), first, last);
}

}  // namespace tarvel::sound

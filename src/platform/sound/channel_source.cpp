#include "platform/sound/channel_source.h"

#include <algorithm>

namespace tarvel::sound {

ChannelSource::ChannelSource(std::unique_ptr<Decoder> decoder)
    : stage_(std::move(decoder)),
      format_(stage_.SourceFormat()),
      exact_length_(stage_.decoder().LengthIsExact() ? stage_.Length() : -1),
      length_(stage_.Length()) {}

void ChannelSource::Fill(std::size_t frames) {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) {
        return;
    }
    const std::size_t waiting = ahead_.size() / 2;
    if (waiting >= frames || stage_ended_) {
        return;
    }
    const std::size_t wanted = frames - waiting;
    ahead_.resize(2 * frames);
    const std::size_t got = stage_.Pull(ahead_.data() + 2 * waiting, wanted);
    ahead_.resize(2 * (waiting + got));
    stage_ended_ = got < wanted;
    length_ = stage_.Length();  // an estimate may improve as the file is read
}

ChannelSource::Taken ChannelSource::TryTake(float* out, std::size_t frames) {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock()) {
        return {};
    }
    const std::size_t got = std::min(frames, ahead_.size() / 2);
    std::copy_n(ahead_.begin(), 2 * got, out);
    ahead_.erase(ahead_.begin(), ahead_.begin() + static_cast<std::ptrdiff_t>(2 * got));
    const std::int64_t position = position_ += static_cast<std::int64_t>(got);
    const bool drained = got < frames && stage_ended_ && ahead_.empty();
    return {got, drained || (exact_length_ >= 0 && position >= exact_length_)};
}

bool ChannelSource::Seek(std::int64_t frame) {
    std::lock_guard lock(mutex_);
    frame = std::max<std::int64_t>(frame, 0);
    if (const std::int64_t length = length_; length >= 0) {
        frame = std::min(frame, length);
    }
    if (!stage_.Seek(frame)) {
        return false;
    }
    ahead_.clear();
    stage_ended_ = false;
    position_ = frame;
    return true;
}

void ChannelSource::WithDecoder(const std::function<void(Decoder&)>& f) {
    std::lock_guard lock(mutex_);
    f(stage_.decoder());
}

}  // namespace tarvel::sound

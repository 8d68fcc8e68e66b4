#include "platform/sound/channel.h"

#include <algorithm>

namespace tarvel::sound {

std::size_t Channel::MixInto(float* mix, std::size_t frames, std::vector<float>& scratch) {
    scratch.resize(frames * 2);
    const std::size_t got = source_.Pull(scratch.data(), frames);
    eq_.Process(scratch.data(), got);
    for (std::size_t i = 0; i < got; ++i) {
        history_.Push(0.5f * (scratch[2 * i] + scratch[2 * i + 1]));
        mix[2 * i] += scratch[2 * i] * volume;
        mix[2 * i + 1] += scratch[2 * i + 1] * volume;
    }
    position_ += static_cast<std::int64_t>(got);
    return got;
}

bool Channel::AtKnownEnd() {
    if (exact_length_ == -2) {
        exact_length_ = source_.decoder().LengthIsExact() ? source_.Length() : -1;
    }
    return exact_length_ >= 0 && position_ >= exact_length_;
}

bool Channel::Seek(std::int64_t frame) {
    frame = std::max<std::int64_t>(frame, 0);
    const std::int64_t length = source_.Length();
    if (length >= 0) {
        frame = std::min(frame, length);
    }
    if (!source_.Seek(frame)) {
        return false;
    }
    position_ = frame;
    ended = false;
    history_.Clear();
    return true;
}

}  // namespace tarvel::sound

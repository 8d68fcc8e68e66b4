#include "platform/sound/channel.h"

namespace tarvel::sound {

bool Channel::MixInto(float* mix, std::size_t frames, std::vector<float>& scratch) {
    scratch.resize(frames * 2);
    const ChannelSource::Taken taken = source_->TryTake(scratch.data(), frames);
    if (leveling != 1.0f) {
        for (std::size_t i = 0; i < taken.frames * 2; ++i) {
            scratch[i] *= leveling;
        }
    }
    eq_.Process(scratch.data(), taken.frames);
    for (std::size_t i = 0; i < taken.frames; ++i) {
        history_.Push(0.5f * (scratch[2 * i] + scratch[2 * i + 1]));
        mix[2 * i] += scratch[2 * i] * volume;
        mix[2 * i + 1] += scratch[2 * i + 1] * volume;
    }
    return taken.ended;
}

}  // namespace tarvel::sound

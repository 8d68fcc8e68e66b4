#include <cassert>

#include "platform/sound/engine.h"
#include "platform/sound/output.h"
#include "platform/sound/source_stage.h"

namespace tarvel::sound {

void ManualOutput::Advance(std::int64_t ms) {
    elapsed_ms_ += ms;
    const std::int64_t due = elapsed_ms_ * kMixRate / 1000;
    if (due > rendered_) {
        RenderFrames(static_cast<std::size_t>(due - rendered_));
    }
}

void ManualOutput::RenderFrames(std::size_t frames) {
    assert(engine_ != nullptr);
    constexpr std::size_t kBlock = 1024;
    while (frames > 0) {
        const std::size_t n = std::min(frames, kBlock);
        block_.resize(n * 2);
        engine_->Render(block_.data(), n);
        if (capture_) {
            captured_.insert(captured_.end(), block_.begin(), block_.end());
        }
        rendered_ += static_cast<std::int64_t>(n);
        frames -= n;
    }
}

}  // namespace tarvel::sound

#include "transport/quick_play.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvel::transport {

int32_t RoundToInt(double value) {
    // The default rounding mode rounds ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return rounded > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(rounded);
}

QuickDecision QuickPlayCheck(int32_t stage, double song_length_ms, int32_t position_ms) {
    const int32_t k = std::clamp<int32_t>(stage, 1, kQuickPlaySteps.size());
    const QuickStep& step = kQuickPlaySteps[k - 1];
    const double position = position_ms;
    if (!(song_length_ms * step.start + step.length_ms <= position &&
          position <= song_length_ms * step.limit)) {
        return {};
    }
    if (k >= static_cast<int32_t>(kQuickPlaySteps.size())) {
        return {QuickAction::NextSong, 1, 0};
    }
    return {QuickAction::Jump, k + 1, RoundToInt(song_length_ms * kQuickPlaySteps[k].start)};
}

}  // namespace tarvel::transport

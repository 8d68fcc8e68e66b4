#include "playlists/shuffle_shares.h"

#include <cmath>

namespace tarvel::playlists {
namespace {

constexpr std::array<double config::Settings::*, 5> kShares = {
    &config::Settings::AllPs, &config::Settings::RusPs, &config::Settings::EngPs,
    &config::Settings::ArtPs, &config::Settings::AlbPs};

}  // namespace

int ShareThousandths(double share_percent) {
    const double position = std::nearbyint(share_percent * 1000.0);
    // Written so that a share that is not a number (NaN) counts as 0.
    if (!(position > 0)) {
        return 0;
    }
    return position >= kShareBarMax ? kShareBarMax : static_cast<int>(position);
}

ShareBars ShareBarPositions(const config::Settings& settings) {
    ShareBars bars{};
    for (size_t k = 0; k < kShares.size(); ++k) {
        bars[k] = ShareThousandths(settings.*kShares[k]);
    }
    return bars;
}

void StoreShares(config::Settings& settings, const ShareBars& bars) {
    for (size_t k = 0; k < kShares.size(); ++k) {
        settings.*kShares[k] = bars[k] / 1000.0;
    }
    settings.UpdateShareCaptions();
}

}  // namespace tarvel::playlists

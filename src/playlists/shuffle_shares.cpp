#include "playlists/shuffle_shares.h"

#include <algorithm>
#include <cmath>

namespace tarvel::playlists {
namespace {

constexpr std::array<double config::Settings::*, 5> kShares = {
    &config::Settings::AllPs, &config::Settings::RusPs, &config::Settings::EngPs,
    &config::Settings::ArtPs, &config::Settings::AlbPs};

}  // namespace

ShareBars ShareBarPositions(const config::Settings& settings) {
    ShareBars bars{};
    for (size_t k = 0; k < kShares.size(); ++k) {
        const double position = std::nearbyint(settings.*kShares[k] * 1000.0);
        bars[k] = static_cast<int>(std::clamp(position, 0.0, static_cast<double>(kShareBarMax)));
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

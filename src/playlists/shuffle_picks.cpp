#include "playlists/shuffle_picks.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "library/letter_class.h"
#include "playlists/shuffle_shares.h"

namespace tarvel::playlists {

bool InArtistClass(std::string_view artist, ArtistClass artist_class) {
    switch (artist_class) {
        case ArtistClass::All:
            return true;
        case ArtistClass::Rus:
            return library::HasCyrillicLetter(artist);
        case ArtistClass::Eng:
            return library::HasLatinLetter(artist);
    }
    return false;
}

int ShareCount(int rows, double share_percent) {
    if (rows <= 0) {
        return 0;
    }
    constexpr int64_t kWhole = kShareBarMax;  // 100 % in thousandths
    const int64_t wanted = (int64_t{rows} * ShareThousandths(share_percent) + kWhole - 1) / kWhole;
    return static_cast<int>(std::min<int64_t>(wanted, rows));
}

library::masnom PickRows(int n, int m, uint64_t seed) {
    n = std::clamp(n, 0, std::max(m, 0));
    library::masnom picks;
    if (n == 0) {
        return picks;
    }
    std::mt19937_64 random(seed);
    std::vector<bool> taken(static_cast<size_t>(m) + 1, false);
    picks.reserve(static_cast<size_t>(n));
    const int first = std::uniform_int_distribution<int>(1, std::max(m - 1, 1))(random);
    picks.push_back(first);
    taken[static_cast<size_t>(first)] = true;
    std::uniform_int_distribution<int> any(1, m);
    while (static_cast<int>(picks.size()) < n) {
        const int pick = any(random);
        if (!taken[static_cast<size_t>(pick)]) {
            taken[static_cast<size_t>(pick)] = true;
            picks.push_back(pick);
        }
    }
    return picks;
}

uint64_t ClockSeed() {
    return static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

}  // namespace tarvel::playlists

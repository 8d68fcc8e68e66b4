#pragma once

#include <array>

#include "config/settings.h"

// The rules of the shuffle options window (TSFoptions): five scroll bars, 0 to 100 000, whose
// positions are the shares of mShuffLib, mShuffRus, mShuffEng, mShuffActArt and mShuffActAlb in
// thousandths of a percent. Its close button (ImgClose) stores nothing: the bars are set from the
// shares again the next time the window opens.
namespace tarvel::playlists {

inline constexpr int kShareBarMax = 100000;
using ShareBars = std::array<int, 5>;

// Options2Click: the bar positions, each share x 1000 rounded, held within 0..100 000.
ShareBars ShareBarPositions(const config::Settings& settings);

// ImgSaveClick: share k := position of bar k / 1000, and the five menu captions follow.
void StoreShares(config::Settings& settings, const ShareBars& bars);

}  // namespace tarvel::playlists

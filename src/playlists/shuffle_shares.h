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

// A share in percent as the bar holds it: whole thousandths of a percent (share x 1000 rounded),
// held within 0..100 000. 1.1 % is 1 100; counting songs from this whole number keeps a share
// that is not exact as a double (1.1, 0.1) from taking one song too many.
int ShareThousandths(double share_percent);

// Options2Click: the bar positions, each share x 1000 rounded, held within 0..100 000.
ShareBars ShareBarPositions(const config::Settings& settings);

// ImgSaveClick: share k := position of bar k / 1000, and the five menu captions follow.
void StoreShares(config::Settings& settings, const ShareBars& bars);

}  // namespace tarvel::playlists

#pragma once

#include <cstdint>
#include <string_view>

#include "library/song_record.h"

// The core of every shuffle: which songs qualify and which rows are picked.
namespace tarvel::playlists {

// Artist classes of the shuffle sources. A song may be in both Rus and Eng, or in neither.
enum class ArtistClass { All, Rus, Eng };

// Eng: the artist text has a byte in 'A'..'Z' or 'a'..'z'. Rus: it has a byte in 0xC0..0xFF
// (Windows-1251 А to я; Ё and ё do not count). All: every artist.
bool InArtistClass(std::string_view artist, ArtistClass artist_class);

// How many of `rows` songs a share in percent takes: the ceiling of rows x share / 100, counted
// in whole numbers from the share's thousandths (ShareThousandths), so a whole product stays as it
// is (1.1 % of 1 000 songs is 11); held within 0..rows.
int ShareCount(int rows, double share_percent);

// n distinct row numbers out of 1..m, drawn uniformly with a generator seeded from `seed`: the
// first from 1..m-1 (1 when m is 1), so the last row never comes first; each further one from
// 1..m, a repeat of an earlier pick drawn again. n is held within 0..m.
library::masnom PickRows(int n, int m, uint64_t seed);

// A seed from the high-resolution clock.
uint64_t ClockSeed();

}  // namespace tarvel::playlists

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/song_rows.h"

// The orders of the library browser's tables. Each gives exactly the result of an exchange sort
// over rows 1..count (whole rows exchanged), equal keys included:
//   by title        ascending bytes of the title; equal titles keep their order;
//   by track number ascending integer value of the track cell; rows with equal numbers end in
//                   the reverse of their order before the sort (the exchange happens on "greater
//                   or equal");
//   albums          ascending bytes of the year, or of the name; equal keys keep their order.
// They run in n log n time on precomputed keys.
namespace tarvel::library {

// An album of the album table: its name and year text.
struct Album {
    std::string name;
    std::string year;
};

void OrderByTitle(SongRows& songs);
void OrderByTrack(SongRows& songs);
void OrderAlbumsByYear(std::vector<Album>& albums);
void OrderAlbumsByName(std::vector<Album>& albums);

// The integer value of a track cell; a cell that is not a whole number counts as 0.
int TrackNumber(std::string_view cell);

}  // namespace tarvel::library

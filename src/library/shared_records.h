#pragma once

#include <string>
#include <vector>

// Records shared by the library and the playlist export: the tree of artists, albums and songs
// that an export builds before it copies files.
namespace tarvel::library {

struct TAlboms {
    std::string name;         // album name
    std::string folder_name;  // the folder the album's files go to
    int song_count = 0;
    // Indexed alike, one entry a song.
    std::vector<std::string> titles;
    std::vector<std::string> file_names;
    std::vector<std::string> track_numbers;
    std::vector<std::string> paths;
};

struct TArtist {
    std::string name;
    std::string year;  // year text
    int album_count = 0;
    std::vector<TAlboms> albums;
};

struct TMasDir {
    int artist_count = 0;
    std::vector<TArtist> artists;
};

}  // namespace tarvel::library

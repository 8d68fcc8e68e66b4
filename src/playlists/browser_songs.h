#pragma once

#include "library/song_record.h"

namespace tarvel::playlists {

// The library browser's song tables as the playlists read them: the chosen artist's songs and,
// when an album is chosen (album_count > 0), that album's songs. Rows 1 to the count are used.
struct BrowserSongs {
    const library::masTag* artist_songs = nullptr;
    int artist_count = 0;
    const library::masTag* album_songs = nullptr;
    int album_count = 0;
    // An item is selected in ListBox1 or ListBox2.
    bool artist_selected = false;
};

}  // namespace tarvel::playlists

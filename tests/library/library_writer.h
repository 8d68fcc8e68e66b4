#pragma once

#include <string>
#include <vector>

#include "library/artist_list.h"
#include "library/library_store.h"

namespace tarvel::testing {

// A song of a fixture library; the artist, album and title are UTF-8 here.
struct FixtureSong {
    std::string artist;
    std::string album;
    std::string title;
    std::string year = "2001";
    std::string track = "0";
    std::string duration = "180000";
    std::string bit_rate = "128";
    std::string path;  // "/music/<title>.mp3" when empty
};

// Adds the songs to the library of an app dir as the scanner writes it: a new artist gets the
// next artist file and an index line; each record goes to its artist file and allsong.tft.
inline void WriteLibrary(const std::string& app_dir, const std::vector<FixtureSong>& songs) {
    const library::LibraryStore store(app_dir);
    store.EnsureSortFolder();
    library::ArtistList artists;
    if (store.ArtistIndexExists()) {
        for (const std::string& name : store.ReadArtistNames()) {
            artists.Add(name);
        }
    }
    for (const FixtureSong& s : songs) {
        const std::string& artist = s.artist;
        int number = artists.Find(artist);
        if (number == 0) {
            number = artists.Add(artist);
            store.AppendArtistIndexLine(artist, library::ArtistFileName(number));
        }
        library::SongRecord record;
        record[library::kArtist] = artist;
        record[library::kAlbum] = s.album;
        record[library::kTitle] = s.title;
        record[library::kYear] = s.year;
        record[library::kGenre] = "Rock";
        record[library::kTrack] = s.track;
        record[library::kBitRate] = s.bit_rate;
        record[library::kDuration] = s.duration;
        record[library::kSampleRate] = "44100";
        record[library::kChannelMode] = "Stereo";
        record[library::kPath] = s.path.empty() ? "/music/" + s.title + ".mp3" : s.path;
        store.AppendSongRecord(library::ArtistFileName(number), record);
    }
}

}  // namespace tarvel::testing

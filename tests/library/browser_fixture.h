#pragma once

#include <array>
#include <string>
#include <vector>

#include "library/artist_list.h"
#include "library/browser.h"
#include "library/library_store.h"
#include "platform/text/cp1251.h"
#include "support/temp_dir.h"

namespace tarvel::library {

// Records what the panels were given.
class RecordingView : public BrowserView {
  public:
    void ShowArtists(int panel, const std::vector<std::string>& items,
                     bool reset_position) override {
        artists.at(static_cast<size_t>(panel)) = items;
        artist_reset.at(static_cast<size_t>(panel)) = reset_position;
    }
    void ShowAlbums(const std::vector<Album>& shown) override {
        albums.clear();
        for (const Album& album : shown) {
            albums.push_back(album.name);
        }
        ++album_shows;
    }
    void ShowSongs(const SongRows& shown) override {
        songs.clear();
        for (int i = 1; i <= shown.Count(); ++i) {
            songs.push_back(shown.Cell(i, kTitle));
        }
        ++song_shows;
    }

    std::array<std::vector<std::string>, 3> artists;  // [1] ListBox1, [2] ListBox2
    std::array<bool, 3> artist_reset{};
    std::vector<std::string> albums;
    std::vector<std::string> songs;
    int album_shows = 0;
    int song_shows = 0;
};

// A song of the fixture library; texts are UTF-8 here and stored as Windows-1251.
struct Song {
    std::string artist;
    std::string album;
    std::string title;
    std::string year = "2001";
    std::string track = "0";
    std::string duration = "180000";
    std::string bit_rate = "128";
};

// A library in a temporary app dir, written through the store as the scanner writes it, and a
// browser over it with options the test sets.
class BrowserRig {
  public:
    BrowserRig() { store.EnsureSortFolder(); }

    void Add(const std::vector<Song>& songs) {
        for (const Song& s : songs) {
            const std::string artist = text::Utf8ToCp1251(s.artist);
            int number = artists.Find(artist);
            if (number == 0) {
                number = artists.Add(artist);
                store.AppendArtistIndexLine(artist, ArtistFileName(number));
            }
            SongRecord record;
            record[kArtist] = artist;
            record[kAlbum] = text::Utf8ToCp1251(s.album);
            record[kTitle] = text::Utf8ToCp1251(s.title);
            record[kYear] = s.year;
            record[kGenre] = "Rock";
            record[kTrack] = s.track;
            record[kBitRate] = s.bit_rate;
            record[kDuration] = s.duration;
            record[kSampleRate] = "44100";
            record[kChannelMode] = "Stereo";
            record[kPath] = "/music/" + s.title + ".mp3";
            store.AppendSongRecord(ArtistFileName(number), record);
        }
        ReadIndex();
    }
    void ReadIndex() {
        count = 0;
        store.ReadArtistIndex(index, count);
        browser.FillArtistPanels(index, count);
    }
    // The panel item of a name, as the panels number them.
    std::string Item(const std::string& utf8_name) const {
        return "1. " + text::Utf8ToCp1251(utf8_name);
    }
    static std::vector<std::string> Utf8(const std::vector<std::string>& cp1251) {
        std::vector<std::string> out;
        for (const std::string& s : cp1251) {
            out.push_back(text::Cp1251ToUtf8(s));
        }
        return out;
    }

    testing::TempDir dir;
    LibraryStore store{dir.path()};
    ArtistList artists;
    masTag index;
    int count = 0;
    BrowserOptions options;
    RecordingView view;
    LibraryBrowser browser{dir.path(), view, [this] { return options; }};
};

}  // namespace tarvel::library

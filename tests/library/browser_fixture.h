#pragma once

#include <array>
#include <string>
#include <vector>

#include "library/browser.h"
#include "library/library_store.h"
#include "library/library_writer.h"
#include "support/temp_dir.h"

namespace tarvel::library {

// Records what the panels were given.
class RecordingView : public BrowserView {
  public:
    void ShowArtists(int panel, std::vector<std::string> items, bool reset_position) override {
        artists.at(static_cast<size_t>(panel)) = std::move(items);
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
            songs.emplace_back(shown.Cell(i, kTitle));
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

using Song = testing::FixtureSong;

// A library in a temporary app dir, written through the store as the scanner writes it, and a
// browser over it with options the test sets.
class BrowserRig {
  public:
    BrowserRig() { store.EnsureSortFolder(); }

    void Add(const std::vector<Song>& songs) {
        testing::WriteLibrary(dir.path(), songs);
        ReadIndex();
    }
    void ReadIndex() {
        count = 0;
        store.ReadArtistIndex(index, count);
        browser.FillArtistPanels(index, count);
    }
    static std::vector<std::string> Utf8(const std::vector<std::string>& names) { return names; }

    testing::TempDir dir;
    LibraryStore store{dir.path()};
    masTag index;
    int count = 0;
    BrowserOptions options;
    RecordingView view;
    LibraryBrowser browser{dir.path(), view, [this] { return options; }};
};

}  // namespace tarvel::library

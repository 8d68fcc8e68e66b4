#include "library/browser.h"

#include <unordered_map>

#include "library/artist_panels.h"
#include "library/duration_text.h"
#include "library/library_store.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {

LibraryBrowser::LibraryBrowser(std::string app_dir, BrowserView& view,
                               std::function<BrowserOptions()> options)
    : app_dir_(std::move(app_dir)),
      view_(view),
      options_(std::move(options)),
      library_songs_(LibraryStore(app_dir_).FilePath(kAllSongFile)) {}

void LibraryBrowser::FillArtistPanels(const masTag& index, int count) {
    FillArtistPanels(index, count, ArtistPanels(index, count, Options().separate_panels));
}

void LibraryBrowser::FillArtistPanels(const masTag& index, int count, ArtistPanelItems items) {
    index_ = &index;
    index_count_ = count;
    view_.ShowArtists(1, std::move(items.list1), false);
    view_.ShowArtists(2, std::move(items.list2), false);
    library_songs_.MarkStale();
}

void LibraryBrowser::OrderSongTable(SongRows& songs) const {
    if (Options().songs_by_track) {
        OrderByTrack(songs);
    } else {
        OrderByTitle(songs);
    }
}

void LibraryBrowser::ChooseArtist(std::string_view item_text) {
    tables_.current_artist = ItemName(item_text);
    tables_.albums.clear();
    tables_.album_songs.Clear();
    auto table = std::make_shared<SongTable>();
    const std::string file = ArtistFileOf(*index_, index_count_, tables_.current_artist);
    if (!file.empty()) {
        *table = SongTable::ReadFile(LibraryStore(app_dir_).FilePath(file));
    }
    tables_.artist_songs = AllRows(std::move(table));
    OrderSongTable(tables_.artist_songs);
    ShowAlbumsAndSongs();
}

void LibraryBrowser::ShowAlbumsAndSongs() {
    std::vector<Album>& albums = tables_.albums;
    albums.clear();
    std::unordered_map<std::string, size_t> by_name;  // lower-case name -> album
    const SongRows& songs = tables_.artist_songs;
    for (int i = 1; i <= songs.Count(); ++i) {
        const std::string_view album = songs.Cell(i, kAlbum);
        const auto [found, added] = by_name.emplace(text::Lower(album), albums.size());
        if (added) {
            albums.push_back({std::string(album), std::string(songs.Cell(i, kYear))});
        } else if (albums[found->second].year == kNoYear) {
            albums[found->second].year = songs.Cell(i, kYear);
        }
    }
    if (Options().albums_by_year) {
        OrderAlbumsByYear(albums);
    } else {
        OrderAlbumsByName(albums);
    }
    view_.ShowAlbums(albums);
    view_.ShowSongs(songs);
}

void LibraryBrowser::ChooseAlbum(std::string_view item_text, bool order) {
    tables_.current_album = ItemName(item_text);
    SongRows chosen{tables_.artist_songs.source, {}};
    const SongRows& songs = tables_.artist_songs;
    for (int i = 1; i <= songs.Count(); ++i) {
        if (songs.Cell(i, kAlbum) == tables_.current_album) {
            chosen.rows.push_back(songs.rows[static_cast<size_t>(i - 1)]);
        }
    }
    if (order) {
        OrderSongTable(chosen);
    }
    tables_.album_songs = std::move(chosen);
    view_.ShowSongs(tables_.album_songs);
}

void LibraryBrowser::DropAlbum() {
    tables_.album_songs.Clear();
    for (Album& album : tables_.albums) {
        album.name.clear();
    }
}

void LibraryBrowser::OrderAlbums() {
    if (tables_.albums.empty()) {
        return;
    }
    if (Options().albums_by_year) {
        OrderAlbumsByYear(tables_.albums);
    } else {
        OrderAlbumsByName(tables_.albums);
    }
    view_.ShowAlbums(tables_.albums);
}

void LibraryBrowser::OrderSongs() {
    SongRows& songs = AlbumChosen() ? tables_.album_songs : tables_.artist_songs;
    OrderSongTable(songs);
    view_.ShowSongs(songs);
}

const SongRows& LibraryBrowser::ShownSongs() const {
    return AlbumChosen() ? tables_.album_songs : tables_.artist_songs;
}

bool LibraryBrowser::HoverSong(int row, int item_count) {
    const SongRows& songs = ShownSongs();
    hovered_row_ = row >= 1 && row <= item_count && row <= songs.Count() ? row : -1;
    if (hovered_row_ == hint_row_) {
        return false;
    }
    hint_row_ = hovered_row_;
    hint_text_.clear();
    if (hovered_row_ > 0) {
        const auto cell = [&](int n) { return std::string(songs.Cell(hovered_row_, n)); };
        hint_text_ = cell(kArtist) + " - " + cell(kAlbum) + " - " + cell(kTitle) + " - " +
                     DurationText(cell(kDuration)) + " - " + cell(kBitRate) + " kbps";
    }
    return true;
}

std::string LibraryBrowser::HoveredPath() const {
    const SongRows& songs = ShownSongs();
    if (hovered_row_ < 1 || hovered_row_ > songs.Count()) {
        return {};
    }
    return std::string(songs.Cell(hovered_row_, kPath));
}

}  // namespace tarvel::library

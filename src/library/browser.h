#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/artist_panels.h"
#include "library/browser_orders.h"
#include "library/browser_view.h"
#include "library/library_song_table.h"
#include "library/song_rows.h"

namespace tarvel::library {

// The check marks the browser follows (menus AlbSort, SortSong, ArtistPanal1).
struct BrowserOptions {
    bool songs_by_track = true;   // ByNomSong, else ByAZsong
    bool albums_by_year = true;   // Byyear, else ByAz
    bool separate_panels = true;  // mSeparateRusEng, else mIncorporated1
};

// The tables behind the panels. The search (library_search) writes the same tables.
struct BrowserTables {
    std::string current_artist;
    // The current artist's songs in display order, or the results of a song search.
    SongRows artist_songs;
    std::vector<Album> albums;
    std::string current_album;
    // The current album's songs; empty means no album is chosen and the song panel shows the
    // artist's songs.
    SongRows album_songs;
};

// The library browser: the artist panels in their two modes, choosing an artist and an album,
// the orders, the song hint and the row behind a song item. Plain rules over the tables; what
// the user sees goes through the BrowserView.
class LibraryBrowser {
  public:
    // app_dir: the application folder; the song files are read from its "sort" folder.
    LibraryBrowser(std::string app_dir, BrowserView& view, std::function<BrowserOptions()> options);

    // Both artist panels from the index rows 1..count (cell 0 the name, cell 1 the artist file)
    // in the active mode; their scroll positions are kept. The index is kept by reference for
    // the later choices and searches. The library song table is read again at its next use.
    void FillArtistPanels(const masTag& index, int count);
    // The same with the panels' items already made from the index in the active mode
    // (ArtistPanels).
    void FillArtistPanels(const masTag& index, int count, ArtistPanelItems items);
    // Choosing an artist by its item text: reads its song file, orders the songs, builds and
    // orders the album table and shows albums and songs. A missing file gives empty panels.
    void ChooseArtist(std::string_view item_text);
    // Choosing an album by its item text: the artist's songs whose album is spelt exactly so.
    // A choice by mouse also orders them; one by the keys keeps the artist table's order.
    void ChooseAlbum(std::string_view item_text, bool order);
    // No album is chosen any more (an artist panel was pressed).
    void DropAlbum();
    // After a change of the album order: orders the albums and shows them, when there are any.
    void OrderAlbums();
    // After a change of the song order: orders the shown song table and shows it.
    void OrderSongs();
    // Steps of choosing an artist, from the artist song table as it is: the album table built
    // (one entry per album ignoring letter case, a "0000" year taken from a later row), ordered
    // and shown, and the songs shown.
    void ShowAlbumsAndSongs();

    // The songs the song panel shows: the album's when one is chosen, else the artist's.
    const SongRows& ShownSongs() const;
    bool AlbumChosen() const { return tables_.album_songs.Count() > 0; }

    // The song hint for the pointer over item row r (1-based) of a song panel of item_count
    // items; a row beyond them counts as -1. True when the hovered row changed, and HintText() is
    // then the new text: artist - album - title - duration - bit rate kbps, or empty beyond the
    // items.
    bool HoverSong(int row, int item_count);
    int HoveredRow() const { return hovered_row_; }
    int HintRow() const { return hint_row_; }
    const std::string& HintText() const { return hint_text_; }
    // The path of the hovered song, or empty when the pointer is not over a song.
    std::string HoveredPath() const;

    // Which panel was pressed last (1..4, 0 none) and, for the song panel, the pressed row.
    int DragSourceKind = 0;
    int DragSourceSong = 0;

    BrowserTables& Tables() { return tables_; }
    const BrowserTables& Tables() const { return tables_; }
    BrowserView& View() { return view_; }
    BrowserOptions Options() const { return options_(); }
    const masTag& ArtistIndex() const { return *index_; }
    int ArtistCount() const { return index_count_; }
    LibrarySongTable& LibrarySongs() { return library_songs_; }

  private:
    void OrderSongTable(SongRows& songs) const;

    std::string app_dir_;
    BrowserView& view_;
    std::function<BrowserOptions()> options_;
    const masTag empty_index_;
    const masTag* index_ = &empty_index_;
    int index_count_ = 0;
    BrowserTables tables_;
    LibrarySongTable library_songs_;
    int hovered_row_ = -1;
    int hint_row_ = 0;
    std::string hint_text_;
};

}  // namespace tarvel::library

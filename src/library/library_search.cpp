#include "library/library_search.h"

#include "library/artist_panels.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {
namespace {

// A field's start position may lie anywhere up to this one (1-based) for "Consist of".
constexpr size_t kLastMatchPosition = 10000;

// The panel an artist search shows its result in, by the text's first byte: 2 for Latin
// letters, the bytes between them and digits, 1 for Cyrillic letters, 0 for none.
int ArtistPanelFor(unsigned char first, bool separate) {
    int panel = 0;
    if ((first >= 0x41 && first <= 0x7A) || (first >= '0' && first <= '9')) {
        panel = 2;
    } else if (first >= 0xC0) {
        panel = 1;
    }
    return separate ? panel : (panel != 0 ? 1 : 0);
}

void SearchArtists(LibraryBrowser& browser, std::string_view text, std::string_view lower,
                   MatchKind kind) {
    const masTag& index = browser.ArtistIndex();
    const int count = browser.ArtistCount();
    if (text.empty()) {
        browser.FillArtistPanels(index, count);
        return;
    }
    const int panel =
        ArtistPanelFor(static_cast<unsigned char>(text[0]), browser.Options().separate_panels);
    if (panel == 0) {
        return;
    }
    std::vector<std::string> names;
    for (int row = 1; row <= count && row < static_cast<int>(index.size()); ++row) {
        const std::string& name = index[static_cast<size_t>(row)][0];
        if (Matches(text::Lower(name), lower, kind)) {
            names.push_back(name);
        }
    }
    NumberAlphabetically(names);
    browser.View().ShowArtists(panel, std::move(names), true);
}

const SongRows& WholeLibrary(LibraryBrowser& browser) {
    browser.LibrarySongs().Update();
    return browser.LibrarySongs().All();
}

}  // namespace

bool Matches(std::string_view lower_cell, std::string_view lower_text, MatchKind kind) {
    if (lower_text.empty()) {
        return false;
    }
    if (kind == MatchKind::StartAt) {
        return lower_cell.starts_with(lower_text);
    }
    const size_t at = lower_cell.find(lower_text);
    return at != std::string_view::npos && at < kLastMatchPosition;
}

SongRows MatchRows(const SongRows& songs, int cell, std::string_view lower_text, MatchKind kind,
                   const TextColumn* lower_column) {
    SongRows found{songs.source, {}};
    if (lower_text.empty()) {
        return found;
    }
    std::string lowered;
    for (const int row : songs.rows) {
        if (lower_column != nullptr) {
            if (Matches(lower_column->At(row), lower_text, kind)) {
                found.rows.push_back(row);
            }
            continue;
        }
        lowered = text::Lower(songs.source->Cell(row, cell));
        if (Matches(lowered, lower_text, kind)) {
            found.rows.push_back(row);
        }
    }
    return found;
}

bool SearchLibrary(LibraryBrowser& browser, std::string_view text, SearchScope scope,
                   MatchKind kind) {
    if (!text.empty() && (text[0] == '/' || text[0] == '\\')) {
        return false;
    }
    const std::string lower = text::Lower(text);
    BrowserTables& t = browser.Tables();
    LibrarySongTable& library = browser.LibrarySongs();
    switch (scope) {
        case SearchScope::Artist1:
            SearchArtists(browser, text, lower, kind);
            break;
        case SearchScope::InAllLibrary1:
            t.artist_songs =
                MatchRows(WholeLibrary(browser), kAlbum, lower, kind, library.LowerColumn(kAlbum));
            t.album_songs.Clear();
            browser.ShowAlbumsAndSongs();
            break;
        case SearchScope::InActivArtist1:
            t.artist_songs = MatchRows(t.artist_songs, kAlbum, lower, kind);
            t.album_songs.Clear();
            browser.ShowAlbumsAndSongs();
            break;
        case SearchScope::InAllLibrary2:
            t.artist_songs =
                MatchRows(WholeLibrary(browser), kTitle, lower, kind, library.LowerColumn(kTitle));
            t.albums.clear();
            t.album_songs.Clear();
            browser.View().ShowAlbums(t.albums);
            browser.View().ShowSongs(t.artist_songs);
            break;
        case SearchScope::InActivArtist2:
            t.album_songs = MatchRows(t.artist_songs, kTitle, lower, kind);
            browser.View().ShowSongs(t.album_songs);
            break;
        case SearchScope::InActivAlbum1: {
            const std::string album = text::Lower(t.current_album);
            t.album_songs = text.empty() ? MatchRows(t.artist_songs, kAlbum, album, kind)
                                         : MatchRows(MatchRows(t.artist_songs, kTitle, lower, kind),
                                                     kAlbum, album, kind);
            browser.View().ShowSongs(t.album_songs);
            break;
        }
    }
    return true;
}

}  // namespace tarvel::library

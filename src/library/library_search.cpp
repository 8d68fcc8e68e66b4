#include "library/library_search.h"

#include "library/artist_panels.h"
#include "platform/text/search_fold.h"
#include "platform/text/unicode.h"

namespace tarvel::library {
namespace {

// A field's start position may lie anywhere up to this one (1-based) for "Consist of".
constexpr size_t kLastMatchPosition = 10000;

// The panel an artist search shows its result in, by the text's first character: 2 for Latin
// letters, the signs between them in ASCII, digits and letters of scripts other than Cyrillic,
// 1 for Cyrillic letters, 0 for any other character.
int ArtistPanelFor(std::string_view text, bool separate) {
    size_t at = 0;
    const char32_t first = text::NextChar(text, at);
    int panel = 0;
    if ((first >= 0x41 && first <= 0x7A) || (first >= '0' && first <= '9')) {
        panel = 2;
    } else if (text::IsCyrillicLetter(first)) {
        panel = 1;
    } else if (first >= 0x80 && text::IsLetter(first)) {
        panel = 2;
    }
    return separate ? panel : (panel != 0 ? 1 : 0);
}

void SearchArtists(LibraryBrowser& browser, std::string_view text, std::string_view folded,
                   MatchKind kind) {
    const masTag& index = browser.ArtistIndex();
    const int count = browser.ArtistCount();
    if (text.empty()) {
        browser.FillArtistPanels(index, count);
        return;
    }
    const int panel = ArtistPanelFor(text, browser.Options().separate_panels);
    if (panel == 0) {
        return;
    }
    std::vector<std::string> names;
    for (int row = 1; row <= count && row < static_cast<int>(index.size()); ++row) {
        const std::string& name = index[static_cast<size_t>(row)][0];
        if (Matches(text::FoldForSearch(name), folded, kind)) {
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

bool Matches(std::string_view folded_cell, std::string_view folded_text, MatchKind kind) {
    if (folded_text.empty()) {
        return false;
    }
    if (kind == MatchKind::StartAt) {
        return folded_cell.starts_with(folded_text);
    }
    const size_t at = folded_cell.find(folded_text);
    // A character takes at least one byte: only a match this far in needs its characters counted.
    return at != std::string_view::npos &&
           (at < kLastMatchPosition ||
            text::CharCount(folded_cell.substr(0, at)) < kLastMatchPosition);
}

SongRows MatchRows(const SongRows& songs, int cell, std::string_view folded_text, MatchKind kind,
                   const TextColumn* folded_column) {
    SongRows found{songs.source, {}};
    if (folded_text.empty()) {
        return found;
    }
    std::string folded;
    for (const int row : songs.rows) {
        if (folded_column != nullptr) {
            if (Matches(folded_column->At(row), folded_text, kind)) {
                found.rows.push_back(row);
            }
            continue;
        }
        folded.clear();
        text::AppendFolded(folded, songs.source->Cell(row, cell));
        if (Matches(folded, folded_text, kind)) {
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
    const std::string folded = text::FoldForSearch(text);
    BrowserTables& t = browser.Tables();
    LibrarySongTable& library = browser.LibrarySongs();
    switch (scope) {
        case SearchScope::Artist1:
            SearchArtists(browser, text, folded, kind);
            break;
        case SearchScope::InAllLibrary1:
            t.artist_songs = MatchRows(WholeLibrary(browser), kAlbum, folded, kind,
                                       library.FoldedColumn(kAlbum));
            t.album_songs.Clear();
            browser.ShowAlbumsAndSongs();
            break;
        case SearchScope::InActivArtist1:
            t.artist_songs = MatchRows(t.artist_songs, kAlbum, folded, kind);
            t.album_songs.Clear();
            browser.ShowAlbumsAndSongs();
            break;
        case SearchScope::InAllLibrary2:
            t.artist_songs = MatchRows(WholeLibrary(browser), kTitle, folded, kind,
                                       library.FoldedColumn(kTitle));
            t.albums.clear();
            t.album_songs.Clear();
            browser.View().ShowAlbums(t.albums);
            browser.View().ShowSongs(t.artist_songs);
            break;
        case SearchScope::InActivArtist2:
            t.album_songs = MatchRows(t.artist_songs, kTitle, folded, kind);
            browser.View().ShowSongs(t.album_songs);
            break;
        case SearchScope::InActivAlbum1: {
            const std::string album = text::FoldForSearch(t.current_album);
            t.album_songs = text.empty()
                                ? MatchRows(t.artist_songs, kAlbum, album, kind)
                                : MatchRows(MatchRows(t.artist_songs, kTitle, folded, kind), kAlbum,
                                            album, kind);
            browser.View().ShowSongs(t.album_songs);
            break;
        }
    }
    return true;
}

}  // namespace tarvel::library

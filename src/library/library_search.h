#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/browser.h"

// The live search of the command box over the library panels' tables.
namespace tarvel::library {

// Where the search looks (menu SearchOpt), named as its menu item.
enum class SearchScope {
    Artist1,         // artist names of the index
    InAllLibrary1,   // albums of the whole library
    InActivArtist1,  // albums of the artist song table
    InAllLibrary2,   // titles of the whole library
    InActivArtist2,  // titles of the artist song table
    InActivAlbum1,   // titles of the artist song table within the current album
};

// How a field matches: StartAt1 "Start At" (the field starts with the text) or InAllworld1
// "Consist of" (the text occurs within the first 10 000 characters' start positions).
enum class MatchKind { StartAt, ConsistOf };

// Whether a cell matches, both already folded for search (text::FoldForSearch). An empty text
// matches nothing.
bool Matches(std::string_view folded_cell, std::string_view folded_text, MatchKind kind);

// The rows of `songs` whose cell matches, in their order. `folded_column`, when given, holds the
// cell folded by row number of the source.
SongRows MatchRows(const SongRows& songs, int cell, std::string_view folded_text, MatchKind kind,
                   const TextColumn* folded_column = nullptr);

// Searches the text in the scope and shows the result in the panels, writing the browser's
// tables. A text starting with "/" or "\" is a command and searches nothing (false).
bool SearchLibrary(LibraryBrowser& browser, std::string_view text, SearchScope scope,
                   MatchKind kind);

}  // namespace tarvel::library

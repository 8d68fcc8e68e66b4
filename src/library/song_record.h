#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The song record: the row format of every song list (the library files, the playlists, the
// search results) and the tables they are loaded into. All text is Windows-1251 bytes; a path is
// the file system's bytes, kept unchanged.
namespace tarvel::library {

// The eleven fields of a song record, in line order; the value is the cell of a song table.
enum SongField : int {
    kArtist = 0,
    kAlbum = 1,
    kTitle = 2,
    kYear = 3,
    kGenre = 4,
    kTrack = 5,
    kBitRate = 6,
    kDuration = 7,
    kSampleRate = 8,
    kChannelMode = 9,
    kPath = 10,
};
constexpr int kSongFieldCount = 11;

// A field of a library line is followed directly by its 8-character end marker.
constexpr size_t kMarkerLength = 8;
inline constexpr std::array<std::string_view, kSongFieldCount> kSongMarkers = {
    " endart ", " endalb ", " endtit ", " endyer ", " endgen ", " endtrk ",
    " endbit ", " enddur ", " endsmr ", " endchm ", " endPth ",
};
// An artist index line: the artist name, then the artist file name.
inline constexpr std::array<std::string_view, 2> kArtistIndexMarkers = {" endart ", " endafn "};

// The texts the scanner writes when it knows nothing better.
inline constexpr std::string_view kUnknown = "Unknown";
inline constexpr std::string_view kNoYear = "0000";
inline constexpr std::string_view kNoNumber = "0";
// The genre cell of a row standing for an audio-CD track.
inline constexpr std::string_view kCdGenre = "CD";

using SongRecord = std::array<std::string, kSongFieldCount>;

// Forms a library line: each value followed by its marker, nothing after the last marker. CR and
// LF inside a value are written as spaces so that a record always stays one line. A value that
// holds its own field's marker (or ends in all of it but its last space) would be cut there when
// read, and what follows would be read as the later fields: the spaces of that marker text are
// written as kMarkerSpaceStandIn instead. Any other value, other fields' markers included, is
// written byte for byte.
inline constexpr char kMarkerSpaceStandIn = '_';
std::string JoinLine(const std::string* values, const std::string_view* markers, size_t count);
// True when the value is stored unaltered in that field of a song line: it holds no CR or LF and
// no text that JoinLine would change. A path that does not fit would no longer name its file.
bool FitsInASongLine(std::string_view value, SongField field);
std::string SongLine(const SongRecord& record);
std::string ArtistIndexLine(const std::string& artist, const std::string& artist_file);

// Splits a line by its end markers, in order: each field is the text before the first
// occurrence of its marker in what the earlier fields left. Text after the last marker is
// ignored. When a marker is missing, its field takes the rest of the line and later fields are
// empty.
std::vector<std::string> SplitLine(std::string_view line, const std::string_view* markers,
                                   size_t count);
// The same split into count views of the line.
void SplitLineViews(std::string_view line, const std::string_view* markers, size_t count,
                    std::string_view* fields);
SongRecord SplitSongLine(std::string_view line);

// A table of text cells indexed [row][cell] (the song table, the artist index table, ...).
// Row 0 is unused; rows 1 to a count kept beside the table hold the data; every row has 13
// cells. The capacity is the number of rows allocated.
using masTag = std::vector<std::vector<std::string>>;
constexpr int kCellsPerRow = 13;
constexpr int kTableGrowth = 100;

// Sizes the table to `capacity` rows of 13 cells (or of `cells` cells, for a table whose rows
// never hold more, like the artist index's two).
void SizeTable(masTag& table, int capacity, int cells = kCellsPerRow);
// Makes room for row `row`: when row + 2 exceeds the capacity, the capacity becomes row + 100.
// Returns the capacity.
int GrowForRow(masTag& table, int row, int cells = kCellsPerRow);
// The capacity that making room for rows 1, 2, ... `rows` in turn with GrowForRow leaves,
// starting from `capacity`.
int CapacityForRows(int capacity, int rows);

// A list of row numbers picked from a song table.
using masnom = std::vector<int>;

}  // namespace tarvel::library

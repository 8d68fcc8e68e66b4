#pragma once

#include <string>

#include "playlists/playlist.h"

// The playlist file: CR LF lines of Windows-1251 text.
//   1  the header line
//   2  "EmptyPlayList" (and nothing more) or "NoEmptyPlayList"
//   3  Current in decimal
//   4  PositionMs / 1000 in the shortest general form (83 450 ms: "83.45"); read with a point
//      or a comma, as files from a system with a comma for its decimal separator hold "83,45"
//   5  one song record line per row, rows 1 to Count
// Nothing else of the playlist state is kept: no play state, marks or undo copy.
namespace tarvel::playlists {

inline constexpr const char* kPlaylistHeader = "TarvelPlayListFile&$$$!@@#!(&*&#^@%%@";
inline constexpr const char* kEmptyPlaylistLine = "EmptyPlayList";
inline constexpr const char* kFilledPlaylistLine = "NoEmptyPlayList";
inline constexpr const char* kPlaylistExtension = ".tpl";

// "PlayListMainPL1.tpl", "PlayListMainCD.tpl", "PlayListMainPL2.tpl".
std::string PlaylistFileName(Playlist playlist);
// folder + "/sort/" + the playlist's file name.
std::string StandardPlaylistPath(const std::string& folder, Playlist playlist);

// The name a playlist is saved under: the name as given when its last four characters are
// ".tpl" (compared exactly), else the name with ".tpl" appended.
std::string WithPlaylistExtension(const std::string& name);

// The file's bytes for the Work part.
std::string PlaylistFileText(const TMasPLayList& work);
// Replaces the file (atomically) with the Work part of the playlist. Throws AppError.
void WritePlaylistFile(const TPlayMasiv& playlist, const std::string& path);

// What reading a playlist file came to.
struct PlaylistRead {
    // The state took the file's rows.
    bool loaded = false;
    // Why the file could not be read whole, naming it; empty when it was read whole, is missing
    // or holds an empty playlist.
    std::string problem;
    explicit operator bool() const { return loaded; }
};

// Reads a playlist file into the state. A missing file and an empty playlist leave the state
// unchanged; so do a file that cannot be read (not a regular file, too large, a read error) and
// one whose first line is not the header, with the problem told. Otherwise Current, PositionMs,
// Count and Rows are replaced from the file. A third or fourth line that is not a number (or is
// missing) is a problem too, but the rows are still read, with Current and PositionMs 0 in place
// of the bad number. A Current outside the rows read becomes 0. Never throws.
PlaylistRead ReadPlaylistFile(TPlist& state, const std::string& path);

// The song lines of the state's rows 1 to Count, as a playlist file holds them: what a playlist
// is, beside its position.
std::string PlaylistRowsText(const TPlist& state);

// Deep copy of both parts (the destination shares no row with the source afterwards).
void CopyPlaylist(TPlayMasiv& destination, const TPlayMasiv& source);

}  // namespace tarvel::playlists

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

// Reads a playlist file into the state. A missing file, a first line that is not the header and
// an empty playlist leave the state unchanged and give false. Otherwise Current, PositionMs,
// Count and Rows are replaced and the result is true. A read failure, or a third or fourth line
// that is not a number, throws AppError and leaves the state unchanged. A Current outside the
// rows read becomes 0.
bool ReadPlaylistFile(TPlist& state, const std::string& path);

// Deep copy of both parts (the destination shares no row with the source afterwards).
void CopyPlaylist(TPlayMasiv& destination, const TPlayMasiv& source);

}  // namespace tarvel::playlists

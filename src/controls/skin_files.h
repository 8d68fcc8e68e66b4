#pragma once

#include <string>
#include <string_view>
#include <vector>

// The skin's files. Which file fills which picture slot of a control is part of its record in
// the window's layout table (window_tables.h); the windows' skin loading and the skin generator
// both read those, so every file a window loads is a file the build writes. Names are relative to
// the Pictures folder, or to the application folder when they start with "\Pictures"; "\" separates
// folders as in the window definitions.
namespace tarvel::controls {

// The artist-panel headings, loaded by the library browser when the panel mode changes.
inline constexpr std::string_view kArtHeading = "\\Pictures\\art_alb_song_pls\\art.jpg";
inline constexpr std::string_view kRusArtHeading = "\\Pictures\\art_alb_song_pls\\rus_art.jpg";

// Every distinct file the skin uses, as relative paths under Pictures with "/" separators.
std::vector<std::string> AllSkinFiles();

// A skin name as a path under the Pictures folder, "/" separated ("\play\play1.jpg" ->
// "play/play1.jpg", "\Pictures\art_alb_song_pls\art.jpg" -> "art_alb_song_pls/art.jpg").
std::string PicturesRelative(std::string_view name);

}  // namespace tarvel::controls

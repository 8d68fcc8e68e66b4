#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The skin: which picture file fills which slot of which control of which window. The windows'
// skin loading and the skin generator both read these tables, so every file a window loads is a
// file the build writes. Names are relative to the Pictures folder, or to the application folder
// when they start with "\Pictures"; "\" separates folders as in the window definitions.
namespace tarvel::controls {

struct SkinSlots {
    std::string_view window;   // window class: TForm1, TMinFrm, TTalik, TSFoptions, TEqualizer
    std::string_view control;  // control name in that window
    std::array<std::string_view, 6> files;  // empty: slot not loaded
};

// Skin buttons, window backgrounds and the pictures of the window definitions (frame pieces,
// headers, the playlist tabs, the mark pictures, the list scroll bar pictures).
std::span<const SkinSlots> SkinTable();

// The artist-panel headings, loaded by the library browser when the panel mode changes.
inline constexpr std::string_view kArtHeading = "\\Pictures\\art_alb_song_pls\\art.jpg";
inline constexpr std::string_view kRusArtHeading = "\\Pictures\\art_alb_song_pls\\rus_art.jpg";

// Every distinct file the skin uses, as relative paths under Pictures with "/" separators.
std::vector<std::string> AllSkinFiles();

// A skin name as a path under the Pictures folder, "/" separated ("\play\play1.jpg" ->
// "play/play1.jpg", "\Pictures\art_alb_song_pls\art.jpg" -> "art_alb_song_pls/art.jpg").
std::string PicturesRelative(std::string_view name);

}  // namespace tarvel::controls

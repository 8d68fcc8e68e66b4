#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The layout tables of the skinned windows: one record per control with everything the window,
// the skin, the screen readers and the resizing rules know of it. Every skinned window is built
// from its table by the one builder (controls/skin_controls.h), and code names a control by its
// window's enum constant, so a misspelt control is a compile error.
namespace tarvel::controls {

enum class ControlKind {
    Image,          // a skin picture whose mouse events do not switch pictures (TMegaImage)
    SkinButton,     // a skin button with hover and pressed pictures (TMegaImage)
    Background,     // a stretched skin picture; pressing it drags the window (TMegaImage)
    Label,          // a text
    TitleStrip,     // controls::TitleStrip, a scrolling title
    List,           // TCListBox
    VerticalBar,    // TKVRScrollerVr
    HorizontalBar,  // TKVRScrollerH
    Gauge,          // TGauge
    PaintBox,       // an area the window paints (the spectrum strip)
    EditBox,        // a one-line edit box (the command box)
};

// A control's rectangle in client pixels of its window's design.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// The skin files of a control's picture slots 1..6 (see skin_files.h); empty: not loaded.
using Pictures = std::array<std::string_view, 6>;

// How the main window's resizing moves a control: the groups of the resizing rules it belongs
// to (shell/layout_rules). A control may belong to several.
enum class Resize : std::uint32_t {
    Fixed = 0,
    WidthWithWindow = 1u << 0,   // widens and narrows with the window
    RightWithWindow = 1u << 1,   // moves along with the right edge
    HeightWithWindow = 1u << 2,  // heightens and lowers with the window
    DownWithWindow = 1u << 3,    // moves along with the bottom edge
    Column1Width = 1u << 4,      // the artist list's column: its width ...
    RightOfColumn1 = 1u << 5,    // ... and what lies right of it
    Column2Width = 1u << 6,      // albums above songs
    RightOfColumn2 = 1u << 7,
    Column3Width = 1u << 8,  // the playlist
    RightOfColumn3 = 1u << 9,
    Column4Width = 1u << 10,  // the second artist list
    RightOfColumn4 = 1u << 11,
    PlaylistTab = 1u << 12,  // centred over the playlist
    AlbumHeight = 1u << 13,  // the album list's share of a height change ...
    SongHeight = 1u << 14,   // ... and the song list's
    BelowAlbums = 1u << 15,  // moves down with the album list's share
};

constexpr Resize operator|(Resize a, Resize b) {
    return static_cast<Resize>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}
constexpr bool Has(Resize rules, Resize rule) {
    return (static_cast<std::uint32_t>(rules) & static_cast<std::uint32_t>(rule)) != 0;
}

struct ControlRecord {
    int id;                 // the control's enum constant in its window: its table index
    std::string_view name;  // the object name (the window definition's name)
    ControlKind kind;
    Rect rect;                    // design rectangle
    bool visible;                 // shown at start
    std::string_view hint;        // the tool tip; empty: none
    std::string_view text;        // the initial text of a label
    std::string_view accessible;  // what a screen reader speaks; empty: the hint's first line
    Pictures pictures = {};
    Resize resize = Resize::Fixed;
};

// A skinned window's table: the window class the skin and the screen readers know it by, and
// its controls back to front (later records lie on top).
struct WindowTable {
    std::string_view window_class;
    std::span<const ControlRecord> controls;
};

// True when every record's id is its index and the table names every constant of Id (whose
// last constant is Count): what makes Id a safe index into the table.
template <typename Id, std::size_t N>
constexpr bool InIdOrder(const ControlRecord (&table)[N]) {
    if (N != static_cast<std::size_t>(Id::Count)) {
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i].id != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}

}  // namespace tarvel::controls

// The id and name of a record, spelt once: CONTROL_ID(Main, ImgPlayPause).
#define TARVEL_CONTROL_ID(Window, Name) static_cast<int>(Window::Name), #Name

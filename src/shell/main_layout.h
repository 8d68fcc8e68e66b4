#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

// The main window's controls at their design places: the one table the window builds its
// controls from and the resizing rules move. Positions are client pixels of the 698 x 619 design.
namespace tarvel::shell {

enum class ControlKind {
    Image,          // a skin picture (TMegaImage without mouse pictures)
    SkinButton,     // a skin button (TMegaImage with hover and pressed pictures)
    Label,          // a text label
    StaticText,     // a framed text
    List,           // TCListBox
    VerticalBar,    // TKVRScrollerVr
    HorizontalBar,  // TKVRScrollerH
    Gauge,          // TGauge
    PaintBox,       // the spectrum strip
    EditBox,        // the command box
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

struct ControlEntry {
    std::string_view name;
    ControlKind kind;
    Rect rect;
    bool visible;
    std::string_view hint;  // empty: no hint
    std::string_view text;  // initial text of labels and static texts
};

// Every control of the main window, back to front (later entries lie on top).
std::span<const ControlEntry> MainWindowControls();

// The control rectangles by name: what the resizing rules read and change.
using Layout = std::map<std::string, Rect, std::less<>>;

// The design layout: every control of the table at its design rectangle.
Layout DesignLayout();

inline constexpr int kDesignClientWidth = 698;
inline constexpr int kDesignClientHeight = 619;

}  // namespace tarvel::shell

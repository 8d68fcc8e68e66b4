#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

// What shows a playlist: the main window's list ListBox5 and the small playlist window's
// ListBox6 each implement this, with the scroller beside them. Texts are Windows-1251.
namespace tarvel::playlists {

class PlaylistView {
  public:
    virtual ~PlaylistView() = default;
    virtual void ClearItems() = 0;
    virtual int ItemCount() const = 0;
    virtual void AppendItem(const std::string& text) = 0;
    // Replaces item index (0-based); appends when the item does not exist yet.
    virtual void SetItem(int index, const std::string& text) = 0;
    // Removes item index (0-based); nothing when there is no such item.
    virtual void RemoveItem(int index) = 0;
    // Marks one item (index -2: none) with the colour, the spare colour and the mode ("Play",
    // "Pause" or "" for none), which picks the picture drawn beside it.
    virtual void SetItemFont(int index, uint32_t color, uint32_t spare_color,
                             const std::string& mode) = 0;
    // How many whole items fit in the list's height.
    virtual int VisibleItems() const = 0;
    virtual void SetScrollerMax(int maximum) = 0;
    virtual void SetScrollerPosition(int position) = 0;
};

// The scroller's maximum for the list's items: the last top row that still fills the list.
inline int ScrollerMaximum(const PlaylistView& list) {
    return std::max(list.ItemCount() - list.VisibleItems() + 1, 0);
}

}  // namespace tarvel::playlists

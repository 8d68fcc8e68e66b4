#pragma once

#include <optional>
#include <string>
#include <vector>

#include "playlists/playlist_view.h"

namespace tarvel::controls {
class TCListBox;
class TKVRScrollerVr;
}  // namespace tarvel::controls

namespace tarvel::shell {

// A list and the scroll bar beside it as the playlists see them: ListBox5 with KVRScrollerVr5
// in the main window (and ListBox6 with its bar in the small playlist window).
class ListView : public playlists::PlaylistView {
  public:
    ListView(controls::TCListBox& list, controls::TKVRScrollerVr& bar);

    void ClearItems() override;
    int ItemCount() const override;
    void AppendItem(const std::string& text) override;
    void SetItem(int index, const std::string& text) override;
    void RemoveItem(int index) override;
    void SetItemFont(int index, uint32_t color, uint32_t spare_color,
                     const std::string& mode) override;
    int VisibleItems() const override;
    void SetScrollerMax(int maximum) override;
    void SetScrollerPosition(int position) override;

  private:
    controls::TCListBox& list_;
    controls::TKVRScrollerVr& bar_;
};

// The small playlist window's list as the playlists see it, whether that window has been made
// or not: everything goes to the target once one is set. Before that, what the playlists show is
// kept (the items, the mark and the scroll position) and the target is given it when set.
class ListViewSlot : public playlists::PlaylistView {
  public:
    // The list from now on; null: none (what is shown then is kept again, from empty).
    void SetTarget(playlists::PlaylistView* target);

    void ClearItems() override;
    int ItemCount() const override;
    void AppendItem(const std::string& text) override;
    void SetItem(int index, const std::string& text) override;
    void RemoveItem(int index) override;
    void SetItemFont(int index, uint32_t color, uint32_t spare_color,
                     const std::string& mode) override;
    int VisibleItems() const override;
    void SetScrollerMax(int maximum) override;
    void SetScrollerPosition(int position) override;

  private:
    struct Mark {
        int index = -2;
        uint32_t color = 0;
        uint32_t spare_color = 0;
        std::string mode;
    };

    playlists::PlaylistView* target_ = nullptr;
    std::vector<std::string> items_;
    std::optional<Mark> mark_;
    int position_ = 0;
};

// Keeps a list's first visible row and its scroll bar in step both ways.
void SyncListAndBar(controls::TCListBox& list, controls::TKVRScrollerVr& bar);

}  // namespace tarvel::shell

#pragma once

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

// The small playlist window's list as the playlists see it before that window has given its own:
// everything goes to the target once one is set, and nowhere before.
class ListViewSlot : public playlists::PlaylistView {
  public:
    playlists::PlaylistView* target = nullptr;

    void ClearItems() override {
        if (target)
            target->ClearItems();
    }
    int ItemCount() const override { return target ? target->ItemCount() : 0; }
    void AppendItem(const std::string& text) override {
        if (target)
            target->AppendItem(text);
    }
    void SetItem(int index, const std::string& text) override {
        if (target)
            target->SetItem(index, text);
    }
    void RemoveItem(int index) override {
        if (target)
            target->RemoveItem(index);
    }
    void SetItemFont(int index, uint32_t color, uint32_t spare_color,
                     const std::string& mode) override {
        if (target)
            target->SetItemFont(index, color, spare_color, mode);
    }
    int VisibleItems() const override { return target ? target->VisibleItems() : 0; }
    void SetScrollerMax(int maximum) override {
        if (target)
            target->SetScrollerMax(maximum);
    }
    void SetScrollerPosition(int position) override {
        if (target)
            target->SetScrollerPosition(position);
    }
};

// Keeps a list's first visible row and its scroll bar in step both ways.
void SyncListAndBar(controls::TCListBox& list, controls::TKVRScrollerVr& bar);

}  // namespace tarvel::shell

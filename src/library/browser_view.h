#pragma once

#include <string>
#include <vector>

#include "library/browser_orders.h"
#include "library/song_rows.h"

namespace tarvel::library {

// What the four library panels show, as the browser and the search change it. The main window
// implements it over ListBox1..ListBox4; tests record. Each call replaces the panel's items;
// every item shows its 1-based position, ". " and its text (PrefixedItem).
class BrowserView {
  public:
    virtual ~BrowserView() = default;
    // Artist panel 1 or 2: the items, already numbered (taken over: a library's panels hold tens
    // of thousands of them). reset_position: the panel's scroll bar goes back to the top (the
    // search does so, a refill from the index keeps it).
    virtual void ShowArtists(int panel, std::vector<std::string> items, bool reset_position) = 0;
    // The album panel: the album names; the scroll bar back to the top.
    virtual void ShowAlbums(const std::vector<Album>& albums) = 0;
    // The song panel: the titles of the rows; the scroll bar back to the top.
    virtual void ShowSongs(const SongRows& songs) = 0;
};

}  // namespace tarvel::library

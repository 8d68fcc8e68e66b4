#pragma once

#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controls/skin_loader.h"
#include "library/artist_panels.h"
#include "library/song_record.h"

namespace tarvel::shell {

// The artist index as read ahead: its rows, their alphabetical order, the panels' items in the
// separate mode (the usual one), or the error that stopped the reading.
struct ArtistIndexAhead {
    library::masTag index;
    int count = 0;
    std::vector<int> ordered_rows;
    library::ArtistPanelItems separate_items;
    std::string error;
};

// The start-up work that needs no window: the main window's skin pictures, the font
// configuration and the artist index, done on a second thread while the application and the
// window are made. The main window takes each result once, when it reaches the step that needs
// it (an exception of the reading is thrown there); whatever is not taken is waited for and
// dropped when this object ends.
class StartupPrefetch {
  public:
    explicit StartupPrefetch(const std::string& app_dir);
    ~StartupPrefetch();
    StartupPrefetch(const StartupPrefetch&) = delete;
    StartupPrefetch& operator=(const StartupPrefetch&) = delete;

    std::optional<controls::WindowSkin> TakeMainSkin();
    std::optional<ArtistIndexAhead> TakeArtistIndex();

  private:
    std::future<controls::WindowSkin> skin_;
    std::future<ArtistIndexAhead> index_;
    std::thread worker_;
};

}  // namespace tarvel::shell

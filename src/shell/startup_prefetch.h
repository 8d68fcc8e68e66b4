#pragma once

#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
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

// The start-up work that needs no window, done on a second thread while the application and the
// windows are made: the main window's skin pictures, the font configuration, the artist index
// and the skin pictures of the mini player and the small playlist, in the order they are
// needed. Each window takes
// its result once, when it reaches the step that needs it (an exception of the reading is thrown
// there); whatever is not taken is waited for and dropped when this object ends.
class StartupPrefetch {
  public:
    explicit StartupPrefetch(const std::string& app_dir);
    ~StartupPrefetch();
    StartupPrefetch(const StartupPrefetch&) = delete;
    StartupPrefetch& operator=(const StartupPrefetch&) = delete;

    // The skin of a window class ("TForm1", "TMinFrm", "TTalik"); none for another class or
    // when taken before.
    std::optional<controls::WindowSkin> TakeSkin(std::string_view window_class);
    std::optional<ArtistIndexAhead> TakeArtistIndex();

  private:
    std::vector<std::pair<std::string_view, std::future<controls::WindowSkin>>> skins_;
    std::future<ArtistIndexAhead> index_;
    std::thread worker_;
};

}  // namespace tarvel::shell

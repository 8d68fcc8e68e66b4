#pragma once

#include <QString>
#include <functional>

#include "library/browser_view.h"

namespace tarvel::shell {

class MainControls;

// The library panels ListBox1..ListBox4 with their bars as the browser sees them. Each panel
// gets a count and names its items only when they are drawn, so a panel of a hundred thousand
// songs fills in the time of a copy of their row numbers.
class PanelView : public library::BrowserView {
  public:
    explicit PanelView(MainControls& controls) : controls_(controls) {}

    void ShowArtists(int panel, std::vector<std::string> items, bool reset_position) override;
    void ShowAlbums(const std::vector<library::Album>& albums) override;
    void ShowSongs(const library::SongRows& songs) override;

    // The item text of a panel (1..4) at a 0-based index, in the system's code page.
    std::string ItemText(int panel, int index) const;

  private:
    void Fill(int panel, int count, std::function<QString(int)> text, bool reset_position);

    MainControls& controls_;
};

}  // namespace tarvel::shell

#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "library/browser.h"
#include "library/library_search.h"
#include "playlists/browser_songs.h"
#include "shell/panel_view.h"

class QKeyEvent;
class QMenu;

namespace tarvel::config {
class Settings;
}

namespace tarvel::shell {

class MainControls;
class PlayerCommands;
class SettingsMenu;

// The library browser in the main window: the four panels with their handlers, the menus AlbSort
// (ImgAblSortBy), SortSong (ImgSongSortBy), SearchOpt (ImgCmdPref) and PopupMenu1 of the song
// panel, the search as the command box's text changes, and the command line on Enter.
class LibraryPanels : public QObject {
    Q_OBJECT
  public:
    // The panels and their menus on `window`; the library read from app_dir.
    LibraryPanels(QWidget& window, MainControls& controls, config::Settings& settings,
                  const std::string& app_dir, PlayerCommands& commands);
    ~LibraryPanels() override;

    library::LibraryBrowser& Browser() { return browser_; }
    PanelView& View() { return view_; }
    // The browser's song tables as the playlists read them (copied from the shown rows).
    playlists::BrowserSongs Songs();
    // A search for a text of the command box, in the checked scope and match kind.
    void Search(const QString& text);

    SettingsMenu* AlbSort = nullptr;
    SettingsMenu* SortSong = nullptr;
    SettingsMenu* SearchOpt = nullptr;
    QMenu* PopupMenu1 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void ConnectPanels();
    void ArtistPress(int panel);
    void AlbumPress();
    void SongPress();
    bool PanelKeyDown(int panel, QKeyEvent& key);
    void PanelKeyUp(int panel, QKeyEvent& key);
    // item: the 0-based item under the pointer, -1 for none.
    void SongMouseMove(int item);
    // The song panel's hint, once the pointer has rested (the application's hint pause).
    void ShowSongHint();
    void ShowFileLocation();
    void DoubleClick(int panel);
    template <typename Handler>
    void Reported(Handler&& handler);

    QWidget& window_;
    MainControls& controls_;
    config::Settings& settings_;
    PlayerCommands& commands_;
    PanelView view_;
    library::LibraryBrowser browser_;
    library::masTag artist_copy_;
    library::masTag album_copy_;
};

}  // namespace tarvel::shell

#pragma once

#include <QObject>
#include <QPoint>
#include <memory>
#include <string>

#include "controls/c_list_box.h"
#include "controls/window_tables.h"
#include "playlists/playlist_copy.h"

class QKeyEvent;
class QMenu;
class QMouseEvent;

namespace tarvel::config {
class Settings;
}
namespace tarvel::controls {
class TCListBox;
}
namespace tarvel::library {
class ProgressDisplay;
class ScanRunner;
}  // namespace tarvel::library
namespace tarvel::playlists {
class PlaylistModel;
}
namespace tarvel::system {
class SystemServices;
}

namespace tarvel::shell {

class LibraryPanels;
class ListViewSlot;
class MainControls;
class PlayerCommands;
class SettingsMenu;

// What the playlist panel works with.
struct PlaylistPanelParts {
    // The main window, which owns the panel and its menu.
    QWidget& window;
    MainControls& controls;
    config::Settings& settings;
    system::SystemServices& services;
    playlists::PlaylistModel& playlists;
    PlayerCommands& commands;
    // The copy of the playlist's files runs off the window's thread and shows its progress.
    library::ProgressDisplay& progress;
    library::ScanRunner& background;
    // Drags come from the library panels, and the song panel's menu serves the list too.
    LibraryPanels& library;
    // The small playlist's list, whose scroll bar follows ListBox5's.
    ListViewSlot& list6;
};

// The playlist list ListBox5 in the main window and what goes with it: playing a row by double
// click or Enter, the Delete key, unselecting with Ctrl or Alt, dragging songs in from the four
// library panels and moving rows inside the list (real drag and drop), the row hints and
// "Show File Location", the playlist menu on the left part of ImgPlayListAZ, the A-B mark button
// with its markers on the time bar, and the copy of the playlist's files.
class PlaylistPanel : public QObject {
    Q_OBJECT
  public:
    // Made as a child of the main window, which owns it.
    explicit PlaylistPanel(const PlaylistPanelParts& parts);
    ~PlaylistPanel() override;

    // The playlist row (1-based) pressed last in ListBox5, -1 when the press was below the items.
    int DragSourceRow = -1;
    // The row under the pointer as last seen (-1 below the items) and its hint.
    int HintRow = 0;
    std::string HintText;
    // The mark button's loop flag, 0 or 1.
    int MarkLoopFlag = 0;

    SettingsMenu* PlaylistMenu = nullptr;
    playlists::PlaylistCopy& Copy() { return *copy_; }

    // The handlers, as the events call them.
    void ListBox5DblClick();
    bool ListBox5KeyDown(QKeyEvent& key);
    void ListBox5MouseDown(const QPoint& at);
    // item: the 0-based item under the pointer, -1 for none.
    void ListBox5MouseMove(int item);
    // A drop of a list's drag at a point of ListBox5's viewport.
    void ListBox5DragDrop(const QPoint& at);
    void ImgPlayListAZMouseDown(int x);
    void ImgMarkClick();
    void ShowFileLocation();

    // The data type of a drag between the lists of this window.
    static constexpr const char* kDragFormat = controls::kListRowFormat;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenu();
    void ConnectList();
    // Starts the drag of a row of a list, as the list asks.
    void StartRowDrag(controls::TCListBox& list);
    bool ListBox5Event(QEvent& event);
    void ShowHint();
    void PlaceMarker(controls::Main name, int right_edge);
    template <typename Handler>
    void Reported(Handler&& handler);

    PlaylistPanelParts p_;
    std::unique_ptr<playlists::PlaylistCopy> copy_;
};

}  // namespace tarvel::shell

#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_files.h"
#include "config/eq_preset.h"
#include "config/settings.h"
#include "library/song_record.h"
#include "platform/system/system_services.h"
#include "playlists/browser_songs.h"
#include "shell/layout_rules.h"
#include "shell/main_layout.h"

namespace tarvel {

class TfrmMain;

namespace audio {
class CBassEngine;
}
namespace desktop {
class Desktop;
}
namespace library {
struct TagReaders;
class TegScan;
class LibraryActions;
class ProgressDisplay;
class ScanRunner;
}  // namespace library
namespace playlists {
class PlaylistModel;
}
namespace transport {
class Transport;
}

namespace shell {
class MainControls;
class MainDisplay;
struct MainMenus;
class ListView;
class ListViewSlot;
class PlayerCommands;
class LibraryPanels;
class ShellEngines;
class ShellLinks;
class StartupPrefetch;
class BackgroundWork;
class ProgressRelay;
struct PlayingCore;
class WindowHost;
class WindowStates;
}  // namespace shell

// The main window: borderless, its look made entirely of skin pictures. It owns the shared state
// of the run (settings, library tables, playlists, engines, transport) and wires the controls to
// the subsystems; the rules live in those subsystems. Its concerns are split over the files of
// shell/: controls and layout (main_controls, edge_drags), start-up and exit (startup_exit),
// handlers and menus (main_handlers, main_menus), keyboard and wheel routing (input_routing),
// window states, hotkeys and tray (window_host).
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kDesignWidth = shell::kDesignClientWidth;
    static constexpr int kDesignHeight = shell::kDesignClientHeight;

    // Runs the start-up sequence up to the engines the module player window hosts. The skin and
    // the artist index come from the prefetch when one is given (read while the program starts).
    TForm1(system::SystemServices& services, std::string app_dir,
           std::unique_ptr<desktop::Desktop> desktop = {}, QWidget* parent = nullptr,
           shell::StartupPrefetch* prefetch = nullptr);
    ~TForm1() override;

    // The module player window hosts the FMOD engine: the transport and the playlists are made
    // once it exists.
    void AttachModulePlayer(TfrmMain& module_player);
    // The mini player and the small playlist window, once they exist.
    void AttachSecondaryWindows(QWidget* mini, QWidget* talik);
    // Before the window first shows: the equalizer preset and the three playlists are loaded,
    // and auto play may start the first song.
    void LoadPresetAndPlaylists();
    // Writes the configuration, the preset and the playlists and stops the engines. A failing
    // step is reported and the later steps still run.
    void SaveOnExit();
    // The reports of the steps that failed in the last SaveOnExit; empty when all went well.
    const std::vector<std::string>& ExitSaveErrors() const { return exit_save_errors_; }

    // The window states (main window, mini player, tray).
    void SwitchToMini();
    void ToTray();
    void RestoreFromTray();

    system::SystemServices& Services() { return services_; }
    const std::string& AppDir() const { return app_dir_; }
    config::Settings& Settings() { return settings_; }
    config::EqGains& EqGains() { return eq_gains_; }
    shell::MainControls& Controls() { return *controls_; }
    shell::MainDisplay& Display() { return *display_; }
    // The menus are made at their first use, from the settings as they are then.
    shell::MainMenus& Menus();
    shell::WindowStates& States() { return *states_; }
    // Every user operation, inside the error boundary that reports at once, and the same for the
    // doors that answer first (the hotkeys and the desktop's media controls).
    shell::PlayerCommands& Commands() { return *commands_; }
    shell::PlayerCommands& AnsweringCommands() { return *answering_commands_; }
    shell::WindowHost& Host() { return *host_; }
    desktop::Desktop& Desktop() { return *desktop_; }
    shell::Layout& CurrentLayout() { return layout_; }
    // Where the small playlist window plugs in its list ListBox6.
    shell::ListViewSlot& List6() { return *list6_; }
    transport::Transport& Transport() { return *transport_; }
    playlists::PlaylistModel& Playlists() { return *playlists_; }
    audio::CBassEngine& Bass() { return *bass_; }
    library::LibraryActions& Library() { return *library_actions_; }
    // Long work off the user-interface thread (library scans, copies to a folder), one at a
    // time, and the progress it shows from there.
    library::ScanRunner& Background();
    library::ProgressDisplay& BackgroundProgress();
    // The library panels: the browser, the search and the command box.
    shell::LibraryPanels& LibraryPanels() { return *library_panels_; }
    // The artist index as last read, rows 1..ArtistCount().
    const library::masTag& ArtistIndex() const { return artist_index_; }
    int ArtistCount() const { return artist_count_; }

    // Reads the artist index and fills the artist panels again.
    void FillArtistPanels();
    // Switches the artist panels to one panel (incorporated) or two; nothing when the mode is
    // already shown.
    void SetArtistPanelMode(bool incorporated);
    // FitWindow: the window's size and its rounded outline from the layout.
    void FitWindow();
    // Moves every control to the current layout.
    void ApplyLayout();
    void MoveWindow();

    // What the windows and panels built on top of this one plug in; unset ones do nothing.
    // The mini player's visible flag.
    std::function<bool()> mini_visible;
    // The library browser's song tables for the shuffle and the double clicks.
    std::function<playlists::BrowserSongs()> browser_songs;
    // A change of the command box's text (the search and the commands).
    std::function<void(const QString&)> CmdSearchChange;
    // The spectrum: its switch (ImgAn), whether it is on, and its rebuild after a resize.
    std::function<void()> ImgAnClick;
    std::function<bool()> SpectrumOn;
    std::function<void()> SpectrumRebuild;
    // The shuffle options window.
    std::function<void()> ShowShuffleOptions;
    // The equalizer window: a loaded preset moves its sliders as well as the engine's bands.
    config::EqualizerTarget* equalizer = nullptr;

    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;

  signals:
    // The window was closed by any means; the run ends.
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void FormCreate();
    void BuildMenus();
    void ConnectControls();
    void ConnectTimers();
    void ConnectEdgeDrags();
    bool EdgeEvent(QObject* watched, QEvent* event);
    void OnClick(std::string_view button, std::function<void()> handler);
    void OnPress(std::string_view control, std::function<void(QMouseEvent*)> handler);
    playlists::BrowserSongs BrowserSongs() const;
    // Keyboard routing: every key of the window is seen here first.
    bool FormKeyDown(QKeyEvent& event);
    bool FormKeyPress(QKeyEvent& event);
    void MouseWheel(const QPoint& global, bool down);
    // Stops a scan or a copy that runs and waits for it: a scan's new library is dropped, so
    // the library stays as it was.
    void StopBackgroundWork();
    // Runs a handler; an AppError it throws goes to the general error report.
    void Reported(const std::function<void()>& handler);

    system::SystemServices& services_;
    std::string app_dir_;
    std::unique_ptr<desktop::Desktop> desktop_;
    shell::StartupPrefetch* prefetch_ = nullptr;  // during the start-up only
    config::Settings settings_;
    config::EqGains eq_gains_{};
    std::unique_ptr<shell::ShellEngines> engines_;
    std::unique_ptr<shell::ShellLinks> links_;
    std::unique_ptr<config::ConfigFiles> config_files_;
    std::unique_ptr<audio::CBassEngine> bass_;
    std::unique_ptr<shell::ProgressRelay> background_progress_;
    std::unique_ptr<shell::BackgroundWork> background_;
    std::unique_ptr<library::TagReaders> readers_;
    std::unique_ptr<library::TegScan> scanner_;
    std::unique_ptr<library::LibraryActions> library_actions_;
    library::masTag artist_index_;
    int artist_count_ = 0;

    std::unique_ptr<shell::MainControls> controls_;
    std::unique_ptr<shell::MainDisplay> display_;
    std::unique_ptr<shell::MainMenus> menus_;
    std::unique_ptr<shell::ListView> list5_;
    std::unique_ptr<shell::ListViewSlot> list6_;
    std::unique_ptr<shell::LibraryPanels> library_panels_;
    std::unique_ptr<shell::WindowHost> host_;
    std::unique_ptr<shell::WindowStates> states_;
    std::unique_ptr<shell::PlayingCore> core_;
    std::unique_ptr<shell::PlayerCommands> commands_;
    std::unique_ptr<shell::PlayerCommands> answering_commands_;
    transport::Transport* transport_ = nullptr;
    playlists::PlaylistModel* playlists_ = nullptr;
    TfrmMain* module_player_ = nullptr;

    shell::Layout design_layout_;
    shell::Layout layout_;
    shell::EdgeDrag drag_;
    bool dragging_ = false;
    bool closed_ = false;
    std::vector<std::string> exit_save_errors_;
};

}  // namespace tarvel

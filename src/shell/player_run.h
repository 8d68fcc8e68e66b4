#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "config/eq_preset.h"
#include "config/settings.h"
#include "library/song_record.h"
#include "shell/main_display.h"
#include "windows/window_placement.h"

namespace tarvel {

class TForm1;
class TfrmMain;
class TMinFrm;
class TTalik;
class TEqualizer;
class TSFoptions;

namespace audio {
class CBassEngine;
}
namespace config {
class ConfigFiles;
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
namespace system {
class SystemServices;
}
namespace transport {
class Transport;
}

namespace shell {

class BackgroundWork;
class DesktopMedia;
class FileInbox;
class PlayerCommands;
class ProgressRelay;
class SecondaryWindows;
class ShellEngines;
class ShellLinks;
class StartupPrefetch;
class WindowHost;
class WindowStates;
struct PlayingCore;

// One run of the player: the state it shares (settings, equalizer gains, configuration files,
// engines, the library's scanner and actions, the artist index, the playing core, the desktop,
// the window states) and its windows, made and wired here in their fixed order, and taken down
// in the exit order when the main window closes. The main window is a view of the run. The run
// is itself a view of the main display for the application title's other places: the window
// title and the tray tip.
class PlayerRun : public QObject, private DisplayView {
    Q_OBJECT
  public:
    // The start-up up to the first show of the main window (see StartRun).
    PlayerRun(system::SystemServices& services, std::string app_dir,
              std::unique_ptr<desktop::Desktop> desktop, StartupPrefetch* prefetch);
    ~PlayerRun() override;

    // The windows the main window's first picture does not need, made after it: the mini player
    // and the small playlist (which catch up with what the main window shows), the equalizer and
    // the shuffle options (hidden until asked for), the desktop's media controls; then `files`
    // and the lists handed over meanwhile to `inbox` are added and the first plays.
    void MakeLaterWindows(FileInbox& inbox, const std::vector<std::string>& files);
    // The steps of MakeLaterWindows, one window each.
    void MakeEqualizer();
    void MakeShuffleOptions();
    // Wires a mini player and a small playlist window (made by the caller, living longer than
    // this wiring; null ones: stand-ins for the window states only).
    void AttachSecondaryWindows(TMinFrm& mini, TTalik& talik);
    void AttachWindowStandIns(QWidget* mini, QWidget* talik);

    // Writes the configuration, the preset and the playlists and stops the engines. A failing
    // step is reported and the later steps still run.
    void SaveOnExit();
    // The reports of the steps that failed in the last SaveOnExit; empty when all went well.
    const std::vector<std::string>& ExitSaveErrors() const { return exit_save_errors_; }

    // The equalizer preset and the three playlists loaded; auto play may start the first song.
    // Part of the start-up.
    void LoadPresetAndPlaylists();
    // Where a loaded preset moves the sliders as well as the engine's bands: the equalizer
    // window once it is made; null: the engine's bands only.
    void UseEqualizer(config::EqualizerTarget* target) { equalizer_target_ = target; }

    // Reads the artist index and fills the artist panels again.
    void FillArtistPanels();
    // Shows the shuffle options window, once it is made.
    void ShowShuffleOptions();

    system::SystemServices& Services() { return services_; }
    const std::string& AppDir() const { return app_dir_; }
    config::Settings& Settings() { return settings_; }
    config::EqGains& EqGains() { return eq_gains_; }
    audio::CBassEngine& Bass() { return *bass_; }
    transport::Transport& Transport();
    playlists::PlaylistModel& Playlists();
    library::LibraryActions& Library() { return *library_actions_; }
    // Long work off the user-interface thread (library scans, copies to a folder), one at a
    // time.
    library::ScanRunner& Background();
    // The number of artists of the artist index as last read.
    int ArtistCount() const { return artist_count_; }
    TForm1& Window() { return *window_; }
    WindowHost& Host() { return *host_; }
    WindowStates& States() { return *states_; }
    // Every user operation, inside the error boundary that reports at once, and the same for the
    // doors that answer first (the hotkeys and the desktop's media controls).
    PlayerCommands& Commands() { return *commands_; }
    PlayerCommands& AnsweringCommands() { return *answering_commands_; }
    // The later windows, once made; null before.
    TEqualizer* Equalizer() { return equalizer_.get(); }
    TSFoptions* ShuffleOptions() { return shuffle_options_.get(); }

  private:
    // DisplayView
    void ShowAppTitle(const std::string& title) override;

    void ReadConfigAndLibrary();
    void MakeWindowStates();
    void AttachModulePlayer();
    void ConnectTimers();
    void Closing();
    // Stops a scan or a copy that runs and waits for it: a scan's new library is dropped, so
    // the library stays as it was.
    void StopBackgroundWork();

    system::SystemServices& services_;
    std::string app_dir_;
    std::unique_ptr<desktop::Desktop> desktop_;
    StartupPrefetch* prefetch_ = nullptr;  // during the start-up only
    config::Settings settings_;
    config::EqGains eq_gains_{};
    std::unique_ptr<PlayerCommands> commands_;
    std::unique_ptr<PlayerCommands> answering_commands_;
    std::unique_ptr<audio::CBassEngine> bass_;
    std::unique_ptr<TForm1> window_;
    std::unique_ptr<ShellEngines> engines_;
    std::unique_ptr<ShellLinks> links_;
    std::unique_ptr<config::ConfigFiles> config_files_;
    std::unique_ptr<ProgressRelay> background_progress_;
    std::unique_ptr<BackgroundWork> background_;
    std::unique_ptr<library::TagReaders> readers_;
    std::unique_ptr<library::TegScan> scanner_;
    std::unique_ptr<library::LibraryActions> library_actions_;
    library::masTag artist_index_;
    int artist_count_ = 0;
    std::unique_ptr<WindowHost> host_;
    std::unique_ptr<WindowStates> states_;
    std::unique_ptr<TfrmMain> module_player_;
    std::unique_ptr<PlayingCore> core_;
    // The later windows.
    std::unique_ptr<TMinFrm> mini_;
    std::unique_ptr<TTalik> talik_;
    std::unique_ptr<SecondaryWindows> secondary_;
    std::unique_ptr<TEqualizer> equalizer_;
    config::EqualizerTarget* equalizer_target_ = nullptr;
    std::unique_ptr<TSFoptions> shuffle_options_;
    std::unique_ptr<DesktopMedia> desktop_media_;
    windows::SecondaryPlace shuffle_place_;
    std::vector<std::string> exit_save_errors_;
    bool closed_ = false;
};

// Makes the run as the program starts it: the main window and the module player window with
// the engines, the transport and the playlists, the settings read, the equalizer preset and the
// playlists loaded (auto play may have started the first song). The main window is not shown
// yet. The skin and the artist index come from the prefetch when one is given. The program and
// the test rigs build the run through this one function.
std::unique_ptr<PlayerRun> StartRun(system::SystemServices& services, std::string app_dir,
                                    std::unique_ptr<desktop::Desktop> desktop = {},
                                    StartupPrefetch* prefetch = nullptr);

}  // namespace shell
}  // namespace tarvel

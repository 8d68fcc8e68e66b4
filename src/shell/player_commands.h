#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "playlists/browser_songs.h"
#include "shell/error_boundary.h"
#include "transport/transport.h"

namespace tarvel::shell {

class PlayerRun;

// Every operation the user can ask for, defined once, whatever door it comes through: the main
// window's buttons, menus and keys, the mini player and the small playlist, the hotkeys, the
// desktop's media controls, the command box and files handed over. Each runs inside the one
// error boundary: an AppError ends the operation, is reported, and the run goes on. A guard that
// only one door has (the main window's next button does nothing on an empty playlist) stays at
// that door.
class PlayerCommands {
  public:
    PlayerCommands(PlayerRun& run, ErrorBoundary boundary);

    // Runs an operation that only one door has (a menu item, a panel's key) inside the boundary.
    void Run(const std::function<void()>& operation) const;
    // Shows a failure that ended an operation already (the general error report).
    void Report(const std::string& text) const;

    // The number of rows of the working playlist (the guard of the doors that need a song).
    int Count() const;

    // The play button: from the start when no position is held, else pause or resume.
    void PlayPauseButton();
    void PlayPause();
    // Resumes a paused song or starts a stopped one; nothing while one plays.
    void Play();
    // Pauses the song that plays; nothing otherwise.
    void Pause();
    void Stop();
    void Next();
    void Previous();
    // The user let go of a position bar at `position`: the song seeks there.
    void SeekFromBar(transport::SeekSource source, int position);
    // Seeks the song in play to ms.
    void SeekTo(int32_t ms);
    // The volume bar's position (0..771), or a step of it within the bar.
    void SetVolume(int position);
    void StepVolume(int delta);

    // The window states.
    void SwitchToMini();
    void MainToTray();
    void MiniToTray();
    void RestoreFromTray();
    void ShowMain();
    // Brings the player's window that is in use to the front, from the tray too.
    void Raise();
    // Closes the main window: everything is saved and the run ends.
    void Quit();
    // Saves everything now, then closes the main window (which saves again).
    void SaveAndQuit();
    // Warns that a change needs a restart; closes the main window when the user agrees.
    void RestartWarning();
    // Opens the help in the desktop's browser, or names the help file when none can.
    void Help();
    // Shows a file in its folder.
    void ShowInFolder(const std::string& path);

    // The engine menu's items (mFmod, mBass, Apollo).
    void EngineClick(config::Item engine);
    // The quick play menu item Enabled.
    void QuickPlayClick();
    // Switches the artist panels to one panel (incorporated) or two and fills them again.
    void SetArtistPanelMode(bool incorporated);
    // The library menu, and items dropped on the window.
    void AddFilesToLibrary();
    void ClearLibraryAndAddFiles();
    void DropOnLibrary(const std::vector<std::string>& items);
    void ShowShuffleOptions();

    // Appends the files that play to the working playlist and plays the first; false when none
    // was taken.
    bool OpenFiles(const std::vector<std::string>& paths);
    // Runs a line of the command box.
    void RunCommandLine(const std::string& line);

    // The working playlist.
    void PlayRow(int row);
    // Removes the row unless it is the playing one; true when it went.
    bool DeleteSong(int row);
    // Moves the row source_row (-1: none) to target (the row count + 1: the end).
    void MoveRow(int target, int source_row);
    void Undo();
    void ClearPlaylist();
    void SavePlaylist();
    void LoadPlaylist();
    void Shuffle(const playlists::BrowserSongs& browser);
    void Repeat();
    // A press at x on a playlist tab `width` wide.
    void TabPress(int x, int width);
    // A double click (or Enter) in the library's artist, album or song panel: its songs are
    // added to the working playlist and the first plays.
    void ArtistDoubleClick(const playlists::BrowserSongs& browser);
    void AlbumDoubleClick(const playlists::BrowserSongs& browser);
    void SongDoubleClick(const playlists::BrowserSongs& browser, int row);

  private:
    PlayerRun& run_;
    ErrorBoundary boundary_;
};

}  // namespace tarvel::shell

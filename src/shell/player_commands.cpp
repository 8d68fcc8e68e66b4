#include "shell/player_commands.h"

#include "command/command_line.h"
#include "library/library_actions.h"
#include "platform/system/system_services.h"
#include "playlists/playlist_edit.h"
#include "playlists/playlist_model.h"
#include "shell/main_display.h"
#include "shell/main_window.h"
#include "shell/mpris_state.h"
#include "shell/open_files.h"
#include "shell/player_run.h"
#include "shell/window_host.h"
#include "shell/window_states.h"

namespace tarvel::shell {
namespace {

mpris::Status PlayStatus(PlayerRun& run) {
    return MprisState(run.Playlists().Work(), run.Settings().Volume()).status;
}

}  // namespace

PlayerCommands::PlayerCommands(PlayerRun& run, ErrorBoundary boundary)
    : run_(run), boundary_(boundary) {}

void PlayerCommands::Run(const std::function<void()>& operation) const {
    boundary_.Run(operation);
}

void PlayerCommands::Report(const std::string& text) const {
    boundary_.Report(text);
}

int PlayerCommands::Count() const {
    return run_.Playlists().Work().Count;
}

void PlayerCommands::PlayPauseButton() {
    Run([this] { run_.Transport().PlayPauseButton(); });
}

void PlayerCommands::PlayPause() {
    Run([this] { run_.Transport().PlayPause(); });
}

void PlayerCommands::Play() {
    Run([this] {
        const mpris::Status status = PlayStatus(run_);
        if (status == mpris::Status::Paused) {
            run_.Transport().PlayPause();
        } else if (status == mpris::Status::Stopped) {
            run_.Transport().PlayPauseButton();
        }
    });
}

void PlayerCommands::Pause() {
    Run([this] {
        if (PlayStatus(run_) == mpris::Status::Playing) {
            run_.Transport().PlayPause();
        }
    });
}

void PlayerCommands::Stop() {
    Run([this] { run_.Transport().StopPlay(true); });
}

void PlayerCommands::Next() {
    Run([this] { run_.Transport().PlayNext(); });
}

void PlayerCommands::Previous() {
    Run([this] { run_.Transport().PlayPrevious(); });
}

void PlayerCommands::SeekFromBar(transport::SeekSource source, int position) {
    Run([this, source, position] {
        // The seek reads the bar's position from the display, which holds the main bar itself
        // and mirrors the mini player's.
        if (source == transport::SeekSource::Mini) {
            run_.Window().Display().SetPosition(transport::PositionBar::Mini, position);
        }
        run_.Transport().PositionBarChanged(source);
    });
}

void PlayerCommands::SeekTo(int32_t ms) {
    Run([this, ms] {
        run_.Playlists().Work().PositionMs = ms;
        run_.Transport().SeekTo(ms);
    });
}

void PlayerCommands::SetVolume(int position) {
    Run([this, position] { run_.Transport().ApplyVolume(position); });
}

void PlayerCommands::StepVolume(int delta) {
    Run([this, delta] { run_.Transport().StepVolume(delta); });
}

void PlayerCommands::SwitchToMini() {
    Run([this] { run_.States().SwitchToMini(); });
}

void PlayerCommands::MainToTray() {
    Run([this] { run_.States().MainToTray(); });
}

void PlayerCommands::MiniToTray() {
    Run([this] { run_.States().MiniToTray(); });
}

void PlayerCommands::RestoreFromTray() {
    Run([this] { run_.States().RestoreFromTray(); });
}

void PlayerCommands::ShowMain() {
    Run([this] { run_.Host().ShowMain(); });
}

void PlayerCommands::Raise() {
    Run([this] {
        WindowHost& host = run_.Host();
        if (run_.States().InTray()) {
            run_.States().RestoreFromTray();
        } else if (host.MiniVisible()) {
            host.ShowMini();
            host.mini->raise();
            host.mini->activateWindow();
        } else {
            host.ShowMain();
            host.BringMainToFront();
        }
    });
}

void PlayerCommands::Quit() {
    Run([this] { run_.Window().close(); });
}

void PlayerCommands::SaveAndQuit() {
    Run([this] {
        run_.SaveOnExit();
        run_.Window().close();
    });
}

void PlayerCommands::RestartWarning() {
    Run([this] {
        if (run_.Services().MessageBox(
                "Tarvel", "Для того, что бы действие применилось, необ][одимо перегрузить Tarvel",
                system::Buttons::OkCancel, system::Icon::Warning) == system::Answer::Ok) {
            run_.Window().close();
        }
    });
}

void PlayerCommands::Help() {
    Run([this] {
        const std::string help = run_.AppDir() + "/help/help.htm";
        if (!run_.Services().OpenWithDesktop(help)) {
            run_.Services().MessageBox("Tarvel",
                                       "No web browser could open the help. It is the file " + help,
                                       system::Buttons::Ok, system::Icon::Information);
        }
    });
}

void PlayerCommands::ShowInFolder(const std::string& path) {
    Run([this, &path] { run_.Services().ShowInFolder(path); });
}

void PlayerCommands::EngineClick(config::Item engine) {
    Run([this, engine] {
        transport::Transport& t = run_.Transport();
        if (engine == config::Item::mFmod) {
            t.mFmodClick();
        } else if (engine == config::Item::mBass) {
            t.mBassClick();
        } else if (engine == config::Item::Apollo) {
            t.ApolloClick();
        }
    });
}

void PlayerCommands::QuickPlayClick() {
    Run([this] { run_.Transport().Enabled1Click(); });
}

void PlayerCommands::SetArtistPanelMode(bool incorporated) {
    Run([this, incorporated] {
        if (run_.Window().SetArtistPanelMode(incorporated)) {
            run_.FillArtistPanels();
        }
    });
}

void PlayerCommands::AddFilesToLibrary() {
    Run([this] { run_.Library().AddFiles(); });
}

void PlayerCommands::ClearLibraryAndAddFiles() {
    Run([this] { run_.Library().ClearLibraryAndAddFiles(); });
}

void PlayerCommands::DropOnLibrary(const std::vector<std::string>& items) {
    Run([this, &items] {
        const std::vector<std::string> taken = TakePlayable(items, run_.Services(), true);
        if (!taken.empty()) {
            run_.Library().DropItems(taken);
        }
    });
}

void PlayerCommands::ShowShuffleOptions() {
    Run([this] { run_.ShowShuffleOptions(); });
}

bool PlayerCommands::OpenFiles(const std::vector<std::string>& paths) {
    bool opened = false;
    Run([this, &paths, &opened] {
        const library::masTag rows =
            PlayableRows(paths, run_.Services(), UnmarkedChoice(run_.Settings()));
        const int count = static_cast<int>(rows.size()) - 1;
        if (count > 0) {
            opened = true;
            run_.Playlists().AddSongs(rows, 1, count);
        }
    });
    return opened;
}

void PlayerCommands::RunCommandLine(const std::string& line) {
    Run([this, &line] {
        command::CommandTargets targets;
        targets.PlayPause = [this] { run_.Transport().PlayPause(); };
        targets.PlayFromStart = [this] { run_.Transport().PlayFromStart(); };
        targets.ClearPlaylist = [this] { run_.Playlists().ClearPlaylist(); };
        targets.SaveOnExit = [this] { run_.SaveOnExit(); };
        targets.Close = [this] { run_.Window().close(); };
        command::RunCommandLine(line, run_.Services(), targets);
    });
}

void PlayerCommands::PlayRow(int row) {
    Run([this, row] { run_.Playlists().PlayRow(row); });
}

bool PlayerCommands::DeleteSong(int row) {
    bool deleted = false;
    Run([this, row, &deleted] { deleted = run_.Playlists().DeleteSong(row); });
    return deleted;
}

void PlayerCommands::MoveRow(int target, int source_row) {
    Run([this, target, source_row] {
        run_.Playlists().DropOnPlaylist(target, source_row, playlists::DragSource{});
    });
}

void PlayerCommands::Undo() {
    Run([this] { run_.Playlists().UndoPlaylistChange(); });
}

void PlayerCommands::ClearPlaylist() {
    Run([this] { run_.Playlists().ClearPlaylist(); });
}

void PlayerCommands::SavePlaylist() {
    Run([this] { run_.Playlists().SavePlaylistClick(); });
}

void PlayerCommands::LoadPlaylist() {
    Run([this] { run_.Playlists().LoadPlaylistClick(); });
}

void PlayerCommands::Shuffle(const playlists::BrowserSongs& browser) {
    Run([this, &browser] { run_.Playlists().ShuffleClick(browser); });
}

void PlayerCommands::Repeat() {
    Run([this] { run_.Playlists().ClickRepeat(); });
}

void PlayerCommands::TabPress(int x, int width) {
    Run([this, x, width] { run_.Playlists().TabMouseDown(x, width); });
}

void PlayerCommands::ArtistDoubleClick(const playlists::BrowserSongs& browser) {
    Run([this, &browser] { run_.Playlists().ArtistDoubleClick(browser); });
}

void PlayerCommands::AlbumDoubleClick(const playlists::BrowserSongs& browser) {
    Run([this, &browser] { run_.Playlists().AlbumDoubleClick(browser); });
}

void PlayerCommands::SongDoubleClick(const playlists::BrowserSongs& browser, int row) {
    Run([this, &browser, row] { run_.Playlists().SongDoubleClick(browser, row); });
}

}  // namespace tarvel::shell

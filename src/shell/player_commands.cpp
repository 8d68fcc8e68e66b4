#include "shell/player_commands.h"

#include "command/command_line.h"
#include "config/settings.h"
#include "playlists/playlist_edit.h"
#include "playlists/playlist_model.h"
#include "shell/library_panels.h"
#include "shell/main_display.h"
#include "shell/main_window.h"
#include "shell/mpris_state.h"
#include "shell/open_files.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "transport/transport.h"

namespace tarvel::shell {
namespace {

mpris::Status PlayStatus(TForm1& form) {
    return MprisState(form.Playlists().Work(), form.Settings().Volume()).status;
}

}  // namespace

PlayerCommands::PlayerCommands(TForm1& form, ErrorBoundary boundary)
    : form_(form), boundary_(boundary) {}

void PlayerCommands::Run(const std::function<void()>& operation) const {
    boundary_.Run(operation);
}

void PlayerCommands::PlayPauseButton() {
    Run([this] { form_.Transport().PlayPauseButton(); });
}

void PlayerCommands::PlayPause() {
    Run([this] { form_.Transport().PlayPause(); });
}

void PlayerCommands::Play() {
    Run([this] {
        const mpris::Status status = PlayStatus(form_);
        if (status == mpris::Status::Paused) {
            form_.Transport().PlayPause();
        } else if (status == mpris::Status::Stopped) {
            form_.Transport().PlayPauseButton();
        }
    });
}

void PlayerCommands::Pause() {
    Run([this] {
        if (PlayStatus(form_) == mpris::Status::Playing) {
            form_.Transport().PlayPause();
        }
    });
}

void PlayerCommands::Stop() {
    Run([this] { form_.Transport().StopPlay(true); });
}

void PlayerCommands::Next() {
    Run([this] { form_.Transport().PlayNext(); });
}

void PlayerCommands::Previous() {
    Run([this] { form_.Transport().PlayPrevious(); });
}

void PlayerCommands::SeekFromBar(transport::SeekSource source, int position) {
    Run([this, source, position] {
        // The seek reads the bar's position from the display, which holds the main bar itself
        // and mirrors the mini player's.
        if (source == transport::SeekSource::Mini) {
            form_.Display().SetPosition(transport::PositionBar::Mini, position);
        }
        form_.Transport().PositionBarChanged(source);
    });
}

void PlayerCommands::SeekTo(int32_t ms) {
    Run([this, ms] {
        form_.Playlists().Work().PositionMs = ms;
        form_.Transport().SeekTo(ms);
    });
}

void PlayerCommands::SetVolume(int position) {
    Run([this, position] { form_.Transport().ApplyVolume(position); });
}

void PlayerCommands::StepVolume(int delta) {
    Run([this, delta] { form_.Transport().StepVolume(delta); });
}

void PlayerCommands::SwitchToMini() {
    Run([this] { form_.States().SwitchToMini(); });
}

void PlayerCommands::MainToTray() {
    Run([this] { form_.States().MainToTray(); });
}

void PlayerCommands::MiniToTray() {
    Run([this] { form_.States().MiniToTray(); });
}

void PlayerCommands::RestoreFromTray() {
    Run([this] { form_.States().RestoreFromTray(); });
}

void PlayerCommands::ShowMain() {
    Run([this] { form_.Host().ShowMain(); });
}

void PlayerCommands::Quit() {
    Run([this] { form_.close(); });
}

void PlayerCommands::SaveAndQuit() {
    Run([this] {
        form_.SaveOnExit();
        form_.close();
    });
}

bool PlayerCommands::OpenFiles(const std::vector<std::string>& paths) {
    bool opened = false;
    Run([this, &paths, &opened] {
        const library::masTag rows = PlayableRows(paths, form_.Services());
        const int count = static_cast<int>(rows.size()) - 1;
        if (count > 0) {
            opened = true;
            form_.Playlists().AddSongs(rows, 1, count);
        }
    });
    return opened;
}

void PlayerCommands::RunCommandLine(const std::string& line) {
    Run([this, &line] {
        command::CommandTargets targets;
        targets.PlayPause = [this] { form_.Transport().PlayPause(); };
        targets.PlayFromStart = [this] { form_.Transport().PlayFromStart(); };
        targets.ClearPlaylist = [this] { form_.Playlists().ClearPlaylist(); };
        targets.SaveOnExit = [this] { form_.SaveOnExit(); };
        targets.Close = [this] { form_.close(); };
        command::RunCommandLine(line, form_.Services(), targets);
    });
}

void PlayerCommands::PlayRow(int row) {
    Run([this, row] { form_.Playlists().PlayRow(row); });
}

bool PlayerCommands::DeleteSong(int row) {
    bool deleted = false;
    Run([this, row, &deleted] { deleted = form_.Playlists().DeleteSong(row); });
    return deleted;
}

void PlayerCommands::MoveRow(int target, int source_row) {
    Run([this, target, source_row] {
        form_.Playlists().DropOnPlaylist(target, source_row, playlists::DragSource{});
    });
}

void PlayerCommands::Undo() {
    Run([this] { form_.Playlists().UndoPlaylistChange(); });
}

void PlayerCommands::ClearPlaylist() {
    Run([this] { form_.Playlists().ClearPlaylist(); });
}

void PlayerCommands::SavePlaylist() {
    Run([this] { form_.Playlists().SavePlaylistClick(); });
}

void PlayerCommands::LoadPlaylist() {
    Run([this] { form_.Playlists().LoadPlaylistClick(); });
}

void PlayerCommands::Shuffle() {
    Run([this] { form_.Playlists().ShuffleClick(form_.LibraryPanels().Songs()); });
}

void PlayerCommands::Repeat() {
    Run([this] { form_.Playlists().ClickRepeat(); });
}

void PlayerCommands::TabPress(int x, int width) {
    Run([this, x, width] { form_.Playlists().TabMouseDown(x, width); });
}

}  // namespace tarvel::shell

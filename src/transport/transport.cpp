#include "transport/transport.h"

#include <fmt/format.h>

#include <algorithm>

#include "audio/bass_engine.h"
#include "audio/fmod_engine.h"
#include "external/apollo_command.h"
#include "external/apollo_lifecycle.h"
#include "library/duration_text.h"
#include "library/replay_gain.h"
#include "library/song_record.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/text/number_text.h"
#include "playlists/playlist_model.h"
#include "transport/quick_play.h"

namespace tarvel::transport {

using config::Item;
using playlists::PlayCommand;
using namespace tarvel::library;

namespace {

// The gain volume leveling gives a song: 1 while leveling is off (the file is not read then)
// and for a CD track, else what the file's ReplayGain values ask for in the chosen mode.
float LevelingGain(const config::Settings& settings, const std::string& kind,
                   const std::string& path) {
    const Leveling mode = settings.Checked(config::Item::LevelingAlbum)   ? Leveling::Album
                          : settings.Checked(config::Item::LevelingTrack) ? Leveling::Track
                                                                          : Leveling::Off;
    if (mode == Leveling::Off || kind == kCdGenre) {
        return 1.0f;
    }
    return LevelingFactor(ReadReplayGain(path), mode);
}

int32_t CellNumber(const std::vector<std::string>& row, int cell) {
    // A cell that is not a number (a damaged playlist file) counts as 0.
    return text::ParseInt32(row[cell]).value_or(0);
}

std::string MsText(int64_t ms) {
    return DurationText(std::to_string(ms));
}

// Why a song's file did not play: it is missing, or it is no sound the player can play.
std::string UnplayableText(const std::string& path) {
    if (fs::FileExists(path)) {
        return fmt::format("{}: the file holds no sound this player can play", path);
    }
    return fmt::format("{}: the file cannot be found, so it cannot be played", path);
}

external::PlayCommand ToExternal(PlayCommand command) {
    return command == PlayCommand::Play ? external::PlayCommand::Play
                                        : external::PlayCommand::Pause;
}

}  // namespace

Transport::Transport(Links links) : links_(std::move(links)), title_(*links_.display) {}

playlists::TMasPLayList& Transport::Work() {
    return links_.playlists->Work();
}

const std::vector<std::string>& Transport::CurrentRow() {
    static const std::vector<std::string> kNoRow(kCellsPerRow);
    const playlists::TMasPLayList& w = Work();
    if (w.Current < 1 || w.Current >= static_cast<int32_t>(w.Rows.size()) ||
        w.Rows[w.Current].size() < static_cast<size_t>(kCellsPerRow)) {
        return kNoRow;
    }
    return w.Rows[w.Current];
}

std::string Transport::CurrentKind() {
    return CurrentRow()[kGenre];
}

bool Transport::Checked(Item item) const {
    return links_.settings->Checked(item);
}

void Transport::SetPollingTimer(bool on) {
    SwitchTimer1(on && song_in_play_);
}

// The timers are told only of changes: switching a running timer on again would restart its
// interval and shift the ticks.
void Transport::SwitchTimer1(bool on) {
    if (timer1_ != on) {
        timer1_ = on;
        links_.timers->SetTimer1(on);
        DisplayChanged();
    }
}

void Transport::SetModuleTimer(bool on) {
    if (module_timer_ != on) {
        module_timer_ = on;
        links_.timers->SetModuleTimer(on);
        DisplayChanged();
    }
}

void Transport::SetTitleText(const std::string& text) {
    title_.SetText(text);
    DisplayChanged();
}

void Transport::SetBothPositions(int position) {
    links_.display->SetPosition(PositionBar::Main, position);
    links_.display->SetPosition(PositionBar::Mini, position);
}

void Transport::ClearAbMarks() {
    Work().MarkA = 0;
    Work().MarkB = 0;
    links_.display->HideAbMarks();
}

void Transport::PlayCurrent(PlayCommand command) {
    playlists::TMasPLayList& w = Work();
    // Nothing to play: no current row, or one the playlist does not hold (a stale number would
    // otherwise read past the rows).
    if (w.Current < 1 || w.Current > w.Count || CurrentRow().size() < size_t{kCellsPerRow}) {
        return;
    }
    const std::vector<std::string> row = CurrentRow();
    TransportDisplay& display = *links_.display;

    ClearAbMarks();
    w.SongKind = row[kGenre];
    w.SongCaption = SongCaptionOf(row);
    song_in_play_ = true;
    SwitchTimer1(true);
    song_time_text_ = DurationText(row[kDuration]);
    seek_pending_ = 0;
    SetTitleText(TitleTextOf(row, song_time_text_));

    const int32_t length_ms = CellNumber(row, kDuration);
    SetBothPositions(0);
    display.SetPositionMaximum(RoundToInt(length_ms / 1000.0));
    display.SetPlayButtons(kPlayingLook);

    // An engine's failure ends the start, not the steps that keep the playlist in step with it.
    const EngineStart started = StartOnEngines(row, command);

    links_.playlists->MarkCurrentSong(command);
    links_.playlists->SumPlaylistTime();
    links_.playlists->SumTimeBeforeCurrent();
    w.SongLengthMs = length_ms;
    SetBothPositions(RoundToInt(w.PositionMs / 1000.0));
    KeepUndoInStep();
    if (started.stop) {
        StopPlay(false);
    }
    if (started.failure) {
        throw AppError(*started.failure);
    }
}

Transport::EngineStart Transport::StartOnEngines(const std::vector<std::string>& row,
                                                 PlayCommand command) {
    playlists::TMasPLayList& w = Work();
    const std::string& kind = row[kGenre];
    const std::string& path = row[kPath];
    const int volume = links_.settings->Volume();
    const bool pause = command == PlayCommand::Pause;
    EngineStart started;
    handover_waiting_.reset();
    const float leveling = LevelingGain(*links_.settings, kind, path);
    try {
        if (Checked(Item::mFmod)) {
            audio::FmodEngine& fmod = *links_.fmod;
            const int32_t v = RoundToInt(volume / 3.1);
            const int32_t track = CellNumber(row, kTrack);
            SetModuleTimer(true);
            fmod.SetLeveling(leveling);
            if (w.PositionMs != 0 || pause) {
                // Muted while the song is moved to its position or paused, so nothing sounds
                // early.
                fmod.FmodSetVolume(kind, 0);
                fmod.FmodPlay(kind, path, track);
                if (w.PositionMs != 0) {
                    fmod.FmodSetTime(kind, w.PositionMs);
                }
                if (pause) {
                    fmod.FmodPause(kind, true);
                }
                fmod.FmodSetVolume(kind, v);
            } else {
                fmod.FmodPlay(kind, path, track);
            }
        }
        if (Checked(Item::mBass)) {
            audio::CBassEngine& bass = *links_.bass;
            const int32_t v = RoundToInt(volume / 7.71);
            SetModuleTimer(false);
            bass.SetLeveling(leveling);
            if (w.PositionMs != 0 || pause) {
                bass.SetVolume(0);
                bass.PlayFile(path);
                bass.SetPosition(RoundToInt(w.PositionMs / 1000.0));
                if (pause) {
                    bass.Pause(true);
                }
                bass.SetVolume(v);
            } else {
                bass.PlayFile(path);
            }
            // The engine says nothing when it cannot open the file; the user is told.
            if (bass.Channel == 0) {
                started.failure = UnplayableText(path);
            }
        }
        if (Checked(Item::Apollo)) {
            SetModuleTimer(false);
            if (ExternalPlayerFound()) {
                external::HandOverFile(path, w.PositionMs, ToExternal(command), volume,
                                       links_.wait);
            } else if (ExternalWindowAwaited()) {
                handover_waiting_ = command;
            } else {
                started = {kNoExternalPlayer, true};
            }
        }
    } catch (const AppError& e) {
        started.failure = e.what();
    }
    return started;
}

bool Transport::ExternalPlayerFound() {
    if (!external::ApolloRunning()) {
        return false;
    }
    if (links_.apollo_starts != nullptr) {
        links_.apollo_starts->WindowFound();
    }
    return true;
}

bool Transport::ExternalWindowAwaited() const {
    return links_.apollo_starts != nullptr && links_.apollo_starts->WindowAwaited();
}

void Transport::HandOverCurrent(PlayCommand command) {
    const int volume = links_.settings->Volume();
    // The volume sent while the window was not open yet went nowhere.
    external::ApolloCommand(external::kApolloVolume, external::ApolloVolume(volume));
    external::HandOverFile(CurrentRow()[kPath], Work().PositionMs, ToExternal(command), volume,
                           links_.wait);
}

void Transport::KeepUndoInStep() {
    const playlists::TMasPLayList& w = Work();
    playlists::TMasPLayList& undo = links_.playlists->Working().Undo;
    if (undo.UndoKind != 0) {
        return;
    }
    if (undo.Count != w.Count) {
        ++undo.Current;
    } else {
        undo.Current = w.Current > undo.Current ? w.Current : w.Current - 1;
    }
}

void Transport::PlayFromStart() {
    playlists::TMasPLayList& w = Work();
    if (w.Count <= 0) {
        return;
    }
    w.UndoKind = 1;
    links_.playlists->TakeUndoSnapshot();
    links_.playlists->ResetSongProgress();
    w.QuickStage = 1;
    if (w.Current == 0) {
        w.Current = 1;
    }
    w.Previous = w.Current;
    PlayCurrent(PlayCommand::Play);
}

void Transport::Step(int direction) {
    playlists::TMasPLayList& w = Work();
    if (w.Current <= 0) {
        return;
    }
    w.UndoKind = 1;
    links_.playlists->TakeUndoSnapshot();
    w.QuickStage = 1;
    links_.playlists->ResetSongProgress();
    w.Previous = w.Current;
    if (direction > 0) {
        w.Current = w.Current >= w.Count ? 1 : w.Current + 1;
        PlayCurrent(PlayCommand::Play);
        links_.settings->Uncheck(Item::repeatOne1);
    } else {
        w.Current = w.Current < 2 ? w.Count : w.Current - 1;
        links_.settings->Uncheck(Item::repeatOne1);
        PlayCurrent(PlayCommand::Play);
    }
}

void Transport::PlayNext() {
    Step(+1);
}

void Transport::PlayPrevious() {
    Step(-1);
}

void Transport::PlayPause() {
    playlists::TMasPLayList& w = Work();
    if (w.Current == 0) {
        return;
    }
    w.Previous = w.Current;
    const int32_t state = w.PlayState;
    const std::string kind = CurrentKind();
    if (Checked(Item::mFmod) && (state == 1 || state == 2)) {
        links_.fmod->FmodPause(kind, state == 1);
    }
    if (Checked(Item::mBass) && (state == 1 || state == 2)) {
        links_.bass->Pause(state == 1);
    }
    if (Checked(Item::Apollo)) {
        external::ApolloCommand(external::kApolloPause, 0);
    }
    if (state == 1) {
        links_.playlists->MarkCurrentSong(PlayCommand::Pause);
    } else if (state == 2) {
        links_.playlists->MarkCurrentSong(PlayCommand::Play);
    }
    links_.display->SetPlayButtons(state == 1 ? kIdleLook : kPlayingLook);
}

void Transport::PlayPauseButton() {
    if (Work().PositionMs == 0) {
        PlayFromStart();
    } else {
        PlayPause();
    }
}

void Transport::StopPlay(bool snapshot) {
    playlists::PlaylistModel& model = *links_.playlists;
    TransportDisplay& display = *links_.display;
    display.SetPlayButtons(kIdleLook);
    links_.settings->Uncheck(Item::Enabled1);
    if (snapshot) {
        model.TakeUndoSnapshot();
    }
    song_in_play_ = false;
    handover_waiting_.reset();
    model.ResetSongProgress();
    SwitchTimer1(false);
    SetModuleTimer(false);
    display.SetAppTitle(playlists::kAppTitle);

    if (Checked(Item::mFmod)) {
        StopFmod();
    }
    if (Checked(Item::Apollo)) {
        external::ApolloCommand(external::kApolloStopTrack, 0);
        external::ApolloCommand(external::kApolloStop, 0);
    }
    if (Checked(Item::mBass)) {
        links_.bass->Stop();
    }

    SetBothPositions(0);
    model.ClearMark();
    playlists::TMasPLayList& w = Work();
    if (w.Current != 0) {
        model.RewriteItem(w.Current);
    }
    w.Current = 0;
    SetTitleText(playlists::kIdleTitle);
    const std::string playlist = "00:00/" + model.StoppedTotalText();
    display.SetMainTimes("00:00/00:00", playlist);
    display.SetMiniTime("00:00/00:00..." + playlist);
}

// The current row's kind is not enough: after a playlist switch it names the shown playlist's
// song, while the engine may still play the file of the playlist that was left.
void Transport::StopFmod() {
    links_.fmod->FmodStop("");
    links_.fmod->FmodStop(std::string(library::kCdGenre));
}

void Transport::SeekTo(int32_t ms) {
    if (Checked(Item::mFmod)) {
        links_.fmod->FmodSetTime(CurrentKind(), ms);
    }
    if (Checked(Item::mBass)) {
        links_.bass->SetPosition(RoundToInt(ms / 1000.0));
    }
    if (Checked(Item::Apollo)) {
        external::ApolloCommand(external::kApolloSeek, ms);
    }
}

void Transport::ApplyVolume(int position) {
    links_.settings->SetVolume(position);
    const int p = links_.settings->Volume();
    links_.display->SetVolumeBars(p);
    if (Checked(Item::mFmod)) {
        links_.fmod->FmodSetVolume(CurrentKind(), RoundToInt(p / 3.1));
    }
    if (Checked(Item::mBass)) {
        links_.bass->SetVolume(RoundToInt(p / 7.71));
    }
    if (Checked(Item::Apollo)) {
        external::ApolloCommand(external::kApolloVolume, external::ApolloVolume(p));
    }
}

void Transport::StepVolume(int delta) {
    const int position = links_.settings->Volume();
    if ((delta > 0 && position >= config::Settings::kVolumeMax) || (delta < 0 && position <= 0)) {
        return;
    }
    ApplyVolume(std::clamp(position + delta, 0, config::Settings::kVolumeMax));
}

void Transport::ShowTimes() {
    const playlists::TMasPLayList& w = Work();
    TransportDisplay& display = *links_.display;
    const std::string song = MsText(w.PositionMs) + "/" + song_time_text_;
    if (w.Current != 0) {
        display.SetAppTitle(w.SongCaption + " - " + song);
    }
    const std::string playlist =
        w.Count != 0
            ? MsText(int64_t{RoundToInt(w.MsBeforeCurrent)} + w.PositionMs) + "/" + w.TotalText
            : "00:00/00:00";
    if (display.MiniPlayerVisible()) {
        display.SetMiniTime(song + "..." + playlist);
    }
    if (display.MainWindowVisible()) {
        display.SetMainTimes(song, playlist);
    }
}

}  // namespace tarvel::transport

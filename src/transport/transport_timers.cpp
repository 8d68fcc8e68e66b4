// The main window's timers: Timer1 polls the engine, runs quick play and the A-B loop and sees
// the end of a song; Timer2 seeks after a position bar is released, draws the spectrum and
// scrolls the title, and runs only while any of that can be seen; Timer3 finishes a first run.

#include "audio/bass_engine.h"
#include "audio/fmod_engine.h"
#include "config/config_files.h"
#include "controls/mouse_upm.h"
#include "external/apollo_command.h"
#include "platform/error/app_error.h"
#include "playlists/playlist_model.h"
#include "transport/quick_play.h"
#include "transport/transport.h"

namespace tarvel::transport {

using config::Item;

void Transport::ReadEngine() {
    playlists::TMasPLayList& w = Work();
    const std::string kind = CurrentKind();
    if (Checked(Item::mFmod)) {
        links_.fmod->FmodGetState(kind, w.PlayState);
        if (w.PlayState != 2) {
            w.PositionMs = links_.fmod->FmodGetTime(kind);
        }
    }
    if (Checked(Item::mBass)) {
        w.PlayState = links_.bass->GetState();
        w.PositionMs = RoundToInt(links_.bass->GetPosition() * 1000.0);
    }
    if (Checked(Item::Apollo)) {
        w.PlayState = external::ApolloCommand(external::kApolloPlayState, 0);
        w.PositionMs = external::ApolloCommand(external::kApolloPosition, 0);
    }
}

bool Transport::QuickPlayAndAbCheck() {
    playlists::TMasPLayList& w = Work();
    if (Checked(Item::Enabled1)) {
        const QuickDecision decision = QuickPlayCheck(w.QuickStage, w.SongLengthMs, w.PositionMs);
        if (decision.action == QuickAction::NextSong) {
            links_.playlists->ResetSongProgress();
            links_.playlists->AdvanceAfterEnd();
            Work().QuickStage = 1;
            return false;
        }
        if (decision.action == QuickAction::Jump) {
            w.QuickStage = decision.next_stage;
            w.PositionMs = decision.jump_ms;
            seek_pending_ = 0;
            SetBothPositions(RoundToInt(w.PositionMs / 1000.0));
            SeekTo(w.PositionMs);
        }
    }
    if (w.MarkB != 0 && w.MarkB <= w.PositionMs) {
        w.PositionMs = w.MarkA;
        SetBothPositions(RoundToInt(w.MarkA / 1000.0));
        SeekTo(w.MarkA);
        return false;
    }
    // While the user drags a bar it is not moved under the mouse.
    return seek_pending_ == 0;
}

bool Transport::ExternalPlayerAnswers() {
    if (ExternalPlayerFound()) {
        if (handover_waiting_) {
            const playlists::PlayCommand command = *handover_waiting_;
            handover_waiting_.reset();
            HandOverCurrent(command);
        }
        return true;
    }
    if (handover_waiting_ && ExternalWindowAwaited()) {
        return false;
    }
    // No player to poll: an ended song is not to be read into the silence, which would run
    // through the playlist to its end (and its shutdown).
    const bool awaited = handover_waiting_.has_value();
    StopPlay(false);
    throw AppError(awaited ? kExternalPlayerDidNotOpen : kNoExternalPlayer);
}

void Transport::Timer1() {
    if (Checked(Item::Apollo) && !ExternalPlayerAnswers()) {
        ShowTimes();
        return;
    }
    ReadEngine();
    if (QuickPlayAndAbCheck()) {
        SetBothPositions(RoundToInt(Work().PositionMs / 1000.0));
    }
    // Only a song that was started can have ended; an idle engine also reads 0.
    if (Work().PlayState == 0 && song_in_play_) {
        links_.playlists->AdvanceAfterEnd();
    }
    // At the end of the playlist the stop has just shown the stopped times; showing the times of
    // the song that ended over them would leave stale texts once the timer is off.
    if (timer1_) {
        ShowTimes();
    }
    // A song that has just started or ended plays into the spectrum or not.
    KeepTimer2InStep();
}

void Transport::PositionBarChanged(SeekSource source) {
    seek_pending_ = 1;
    if (source == SeekSource::Mini) {
        seek_source_ = SeekSource::Mini;
    }
    KeepTimer2InStep();
}

void Transport::SeekAfterRelease() {
    TransportDisplay& display = *links_.display;
    // The flag is false once the thumb is released (or the bar was moved with the keyboard).
    if (!controls::MouseUpm() && seek_pending_ == 1 && seek_source_ == SeekSource::Main) {
        SeekTo(RoundToInt(display.Position(PositionBar::Main) * 1000.0));
        controls::SetMouseUpm(true);
        seek_pending_ = 0;
    }
    if (!controls::MouseUpm() && seek_pending_ == 1 && seek_source_ == SeekSource::Mini) {
        const int position = display.Position(PositionBar::Mini);
        display.SetPosition(PositionBar::Main, position);
        SeekTo(RoundToInt(position * 1000.0));
        controls::SetMouseUpm(true);
        seek_pending_ = 0;
        seek_source_ = SeekSource::Main;
    }
}

void Transport::Timer2() {
    TransportDisplay& display = *links_.display;
    display.RestoreTopmost();
    SeekAfterRelease();
    if (!SongInPlay()) {
        Work().PlayState = 0;
    }
    if (SpectrumMoves()) {
        display.DrawSpectrum();
    }
    if (TitleScrolls()) {
        title_.Scroll();
    }
    KeepTimer2InStep();
}

bool Transport::TitleScrolls() const {
    return SongInPlay() && links_.display->TitleStripShown(title_.Strip());
}

bool Transport::SpectrumMoves() const {
    const TransportDisplay& display = *links_.display;
    return display.SpectrumOn() && display.SpectrumStripShown() && !display.SpectrumAtRest();
}

void Transport::KeepTimer2InStep() {
    const bool on =
        TitleScrolls() || SpectrumMoves() || links_.display->TopmostShown() || seek_pending_ == 1;
    if (timer2_ != on) {
        timer2_ = on;
        links_.timers->SetTimer2(on);
    }
}

void Transport::DisplayChanged() {
    TransportDisplay& display = *links_.display;
    if (!SongInPlay()) {
        // What Timer2 would do at its next tick: with no timer polling, nothing plays.
        Work().PlayState = 0;
        title_.Rest();
    }
    const TitleStrip strip = title_.Strip();
    const bool title_shown = display.TitleStripShown(strip);
    if (title_shown && (!SongInPlay() || !title_seen_ || strip != title_strip_)) {
        title_.Draw();
    }
    title_seen_ = title_shown;
    title_strip_ = strip;
    const bool spectrum_shown = display.SpectrumStripShown();
    if (spectrum_shown && !spectrum_seen_ && SpectrumMoves()) {
        display.DrawSpectrum();
    }
    spectrum_seen_ = spectrum_shown;
    KeepTimer2InStep();
}

void Transport::Timer3() {
    if (links_.settings->FirstRun) {
        links_.config_files->CompleteFirstRun();
    }
}

}  // namespace tarvel::transport

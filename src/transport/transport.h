#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "external/apollo_handover.h"
#include "playlists/playlist.h"
#include "playlists/transport_control.h"
#include "transport/title_line.h"
#include "transport/transport_display.h"

namespace tarvel::audio {
class CBassEngine;
class FmodEngine;
}  // namespace tarvel::audio
namespace tarvel::config {
class ConfigFiles;
}
namespace tarvel::external {
class ApolloStarts;
}
namespace tarvel::playlists {
class PlaylistModel;
}
namespace tarvel::system {
class SystemServices;
}

namespace tarvel::transport {

// Which position bar the user moved last (held for the mini player).
enum class SeekSource : int32_t { Main = 0, Mini = 1 };

// The transport: plays the working playlist on the chosen engine (FMOD, BASS or the external
// player, by the check marks of the settings), owns the position and volume bars, the title line
// and the main timers. Every operation addresses each checked engine in the order FMOD, BASS,
// external player. The timer handlers are plain functions: the app's QTimers call them, tests
// call them directly.
class Transport : public playlists::TransportControl {
  public:
    struct Links {
        config::Settings* settings = nullptr;
        config::ConfigFiles* config_files = nullptr;
        playlists::PlaylistModel* playlists = nullptr;
        audio::CBassEngine* bass = nullptr;
        audio::FmodEngine* fmod = nullptr;
        TransportDisplay* display = nullptr;
        TransportTimers* timers = nullptr;
        system::SystemServices* services = nullptr;
        std::string app_dir;
        // The wait of the file hand-over to the external player (real in the app).
        external::Waiter wait = external::RealWaiter();
        // The external player's starts made by the program (none: no window is ever awaited).
        external::ApolloStarts* apollo_starts = nullptr;
    };

    // What is said when the external player is chosen and its window cannot be found.
    static constexpr const char* kNoExternalPlayer =
        "Apollo is not running: there is no Apollo window to play the song, so the playlist stops.";
    static constexpr const char* kExternalPlayerDidNotOpen =
        "Apollo was started, but its window did not open within 5 seconds, so the playlist stops.";
    explicit Transport(Links links);

    // The operations of the main window.
    void PlayCurrent(playlists::PlayCommand command) override;
    void PlayFromStart();
    void PlayNext();
    void PlayPrevious();
    void PlayPause();
    void StopPlay(bool snapshot) override;
    void SeekTo(int32_t ms);
    void ApplyVolume(int position);
    void ShowTimes() override;
    void SetPollingTimer(bool on) override;

    // ImgPlayPause of either window: from the start when PositionMs is 0, else pause or resume.
    void PlayPauseButton();
    // The volume hotkeys and the mouse wheel: moves the volume by delta within 0..771; nothing
    // happens when it already stands at the end it moves to.
    void StepVolume(int delta);

    // Timer handlers: Timer1 every 200 ms while a song plays, Timer2 every 20 ms while it has
    // something to do (below), Timer3 once on a first run. With the external player chosen and its
    // window missing, PlayCurrent and Timer1 stop the playlist and throw AppError saying so (once:
    // the stop ends the polling); a window the program has just started is waited for first (Timer1
    // hands the song over once it has opened). The playlist never runs on for want of a player.
    void Timer1();
    void Timer2();
    void Timer3();

    // Timer2 runs only while its work can be seen: a title scrolling (a song in play) on a strip
    // that is shown, the spectrum moving on its shown strip (a song playing into it, or bars
    // still to fall), a window to keep on top, or a seek waiting for the mouse's release. The
    // display calls this when what it can show changes (a window shown, hidden, minimised,
    // uncovered, the analyser switched); a strip that has come into sight is drawn at once, so
    // it never shows a stale picture. While nothing plays the title stands still at the strip's
    // left edge, drawn whenever it changes.
    void DisplayChanged();

    // Menu items: the internal engines (mFmod, mBass), quick play (Enabled1), the external
    // player (Apollo).
    void mFmodClick();
    void mBassClick();
    void Enabled1Click();
    void ApolloClick();

    // A position bar was moved by the user (TimeSKRL's or the mini player's change event): the
    // seek waits until the mouse is released (Timer2).
    void PositionBarChanged(SeekSource source);

    bool Timer1Enabled() const { return timer1_; }
    bool ModuleTimerEnabled() const { return module_timer_; }
    bool Timer2Enabled() const { return timer2_; }
    int32_t SeekPending() const { return seek_pending_; }
    SeekSource Source() const { return seek_source_; }
    const std::string& SongTimeText() const { return song_time_text_; }
    const TitleLine& Title() const { return title_; }
    void SetTitleText(const std::string& text) override;

  private:
    playlists::TMasPLayList& Work();
    const std::vector<std::string>& CurrentRow();
    // Cell 4 of row Current: the kind the FMOD engine is given ("CD" for a CD track).
    std::string CurrentKind();
    bool Checked(config::Item item) const;
    void SwitchTimer1(bool on);
    void SetModuleTimer(bool on);
    // A song is in play (playing or paused): Timer1 or the module player's timer runs.
    bool SongInPlay() const { return timer1_ || module_timer_; }
    bool TitleScrolls() const;
    bool SpectrumMoves() const;
    // Starts or stops Timer2 by what it has to do now.
    void KeepTimer2InStep();
    // Stops whatever the FMOD engine plays, the file and the CD track alike.
    void StopFmod();
    void SetBothPositions(int position);
    void ClearAbMarks();
    // Moves Current by the step of Next (+1) or Previous (-1) and starts it.
    void Step(int direction);
    // Stops the engine that is left when another is chosen.
    void LeaveEngine(bool stop_bass, bool stop_fmod);
    void KeepUndoInStep();
    void ReadEngine();
    // What became of handing a song to the checked engines: why it did not play, if it did not
    // (an engine's error, a file the BASS engine could not open, no external player), and whether
    // the playlist is to stop for it.
    struct EngineStart {
        std::optional<std::string> failure;
        bool stop = false;
    };
    EngineStart StartOnEngines(const std::vector<std::string>& row, playlists::PlayCommand command);
    // The external player's window is there (a start awaited is then over).
    bool ExternalPlayerFound();
    bool ExternalWindowAwaited() const;
    // Timer1 with the external player chosen: true when it answers and can be polled; false while
    // its window is awaited; otherwise stops and throws.
    bool ExternalPlayerAnswers();
    void HandOverCurrent(playlists::PlayCommand command);
    // Quick play and the A-B loop; false when the position bars must not follow the position.
    bool QuickPlayAndAbCheck();
    void SeekAfterRelease();

    Links links_;
    TitleLine title_;
    bool timer1_ = false;
    bool module_timer_ = false;
    bool timer2_ = false;
    // Whether the title's strip and the spectrum's strip could be seen at the last change.
    bool title_seen_ = false;
    TitleStrip title_strip_ = TitleStrip::Main;
    bool spectrum_seen_ = false;
    // A song that PlayCurrent handed to the engine and that has not been stopped since; only
    // such a song can end and move the playlist on, and only it is polled.
    bool song_in_play_ = false;
    int32_t seek_pending_ = 0;
    SeekSource seek_source_ = SeekSource::Main;
    std::string song_time_text_;
    // The song started while the external player's window was awaited: handed over by Timer1.
    std::optional<playlists::PlayCommand> handover_waiting_;
};

}  // namespace tarvel::transport

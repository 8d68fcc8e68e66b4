#pragma once

#include <QProcess>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "audio/bass_engine.h"
#include "audio/fmod_engine.h"
#include "config/config_files.h"
#include "config/settings.h"
#include "external/apollo_lifecycle.h"
#include "platform/sound/output.h"
#include "platform/system/fake_system_services.h"
#include "playlists/playlist_model.h"
#include "playlists/playlist_rig.h"
#include "support/temp_dir.h"
#include "transport/transport.h"

// The transport wired to the real playlist model and the real engines on the manual sound
// output, with recording windows; time moves only when a test runs the clock.
namespace tarvel::testing {

class RecordingTransportDisplay : public transport::TransportDisplay {
  public:
    void SetPosition(transport::PositionBar bar, int position) override {
        positions[static_cast<int>(bar)] = position;
    }
    int Position(transport::PositionBar bar) const override {
        return positions[static_cast<int>(bar)];
    }
    void SetPositionMaximum(int maximum) override { position_maximum = maximum; }
    void SetVolumeBars(int position) override { volume = position; }
    void SetPlayButtons(transport::ButtonLook look) override { button = look; }
    void HideAbMarks() override { ++marks_hidden; }
    void SetMainTimes(const std::string& song, const std::string& playlist) override {
        song_time = song;
        playlist_time = playlist;
    }
    void SetMiniTime(const std::string& text) override { mini_time = text; }
    void SetAppTitle(const std::string& title) override { app_title = title; }
    bool MainWindowVisible() const override { return main_visible; }
    bool MiniPlayerVisible() const override { return mini_visible; }
    // Every character is 7 pixels wide.
    int MeasureTitle(const std::string& text) const override {
        ++measures;
        return static_cast<int>(text.size()) * 7;
    }
    int TitleStripWidth(transport::TitleStrip strip) const override {
        return strip == transport::TitleStrip::Main ? 300 : 221;
    }
    void DrawTitle(transport::TitleStrip strip, const std::string& text, int x, uint32_t text_color,
                   uint32_t back_color) override {
        drawn = {strip, text, x, text_color, back_color};
    }
    void RestoreTopmost() override { ++topmost; }
    bool TopmostShown() const override { return topmost_shown; }
    bool SpectrumOn() const override { return spectrum_on; }
    void DrawSpectrum() override { ++spectrum_frames; }
    bool SpectrumAtRest() const override { return spectrum_at_rest; }
    bool TitleStripShown(transport::TitleStrip strip) const override {
        return strip == transport::TitleStrip::Main ? main_shown : mini_shown;
    }
    bool SpectrumStripShown() const override { return main_shown; }

    int Main() const { return positions[0]; }
    int Mini() const { return positions[1]; }

    std::array<int, 2> positions{};
    int position_maximum = 0;
    int volume = 0;
    transport::ButtonLook button;
    int marks_hidden = 0;
    std::string song_time, playlist_time, mini_time, app_title = "Tarvel";
    bool main_visible = true;
    bool mini_visible = false;
    mutable int measures = 0;
    struct Drawn {
        transport::TitleStrip strip = transport::TitleStrip::Main;
        std::string text;
        int x = 0;
        uint32_t text_color = 0;
        uint32_t back_color = 0;
    } drawn;
    int topmost = 0;
    bool topmost_shown = false;
    bool spectrum_on = false;
    bool spectrum_at_rest = true;
    int spectrum_frames = 0;
    // Whether the strips can be seen (the windows on screen, not minimised or covered).
    bool main_shown = true;
    bool mini_shown = true;
};

class RecordingTimers : public transport::TransportTimers {
  public:
    void SetTimer1(bool on) override { timer1 = on; }
    void SetTimer2(bool on) override { timer2 = on; }
    void SetModuleTimer(bool on) override { module_timer = on; }
    bool timer1 = false;
    bool timer2 = false;
    bool module_timer = false;
};

// A playlist row (64 kbps) for the song file at path with the given duration.
std::vector<std::string> SongRow(const std::string& artist, const std::string& title,
                                 const std::string& path, int duration_ms);

// A 16-bit mono 8 kHz WAV sine of the given length (long songs stay small).
std::string LongSine(const std::string& folder, double hz, int seconds);

// The engine a test plays on.
enum class Engine { Fmod, Bass, External };
const char* EngineName(Engine engine);

// What reading and writing the settings reach: the external player gets its commands.
class RigConfigLinks : public config::ConfigLinks {
  public:
    void SetFmodVolume(int) override {}
    void ApolloCommand(int command, int value) override;
    void OpenLibraryBuilder() override { ++library_builder_opened; }
    void ReportError(const std::string& text) override { reports.push_back(text); }
    void Note(const std::string& text) override { reports.push_back(text); }
    int library_builder_opened = 0;
    std::vector<std::string> reports;
};

class TransportRig : public playlists::PlaylistEngines {
  public:
    // The engines run on a fresh manual shared sound engine; the volume is 771.
    explicit TransportRig(Engine engine = Engine::Bass);
    ~TransportRig() override;

    // Starts the stand-in external player (a real process) on its own manual clock.
    void StartExternalPlayer();
    // Puts the stand-in external player where the settings name it, without starting it.
    std::string InstallExternalPlayer();
    // The lines the external player logged (commands other than polling, files handed over).
    std::vector<std::string> ExternalLog() const;

    // Makes the working playlist these rows, nothing playing.
    void Load(const std::vector<std::vector<std::string>>& rows);

    // Runs the clock as the app's timers do: every 20 ms Timer2, every 200 ms Timer1, each while
    // it is enabled, each inside the general error report (the fake dialogs record what it shows).
    // The sound (ours and the external player's) moves with it.
    void Run(int ms);
    // Runs in 200 ms steps until the condition holds (false after limit_ms).
    template <typename Condition>
    bool RunUntil(Condition condition, int limit_ms = 120000) {
        for (int ms = 0; ms < limit_ms; ms += 200) {
            if (condition()) {
                return true;
            }
            Run(200);
        }
        return condition();
    }
    // Moves the sound on by ms without running any timer.
    void AdvanceSound(int ms);

    playlists::TMasPLayList& Work() { return model.Work(); }
    int FmodState();

    // playlists::PlaylistEngines
    void FmodStop(const std::string& kind) override;
    std::vector<int32_t> CdTrackLengths() override;
    int32_t ApolloCommand(int32_t number, int32_t value) override;
    void EnsureCdReaderPlugin() override {}

    class NoFmodDisplay : public audio::FmodDisplay {
      public:
        void SetCdTrackText(const std::string&) override {}
    };

    TempDir dir;
    sound::ManualOutput* out = &SetUpSound();
    system::FakeSystemServices services;
    config::Settings settings;
    config::EqGains gains{};
    RigConfigLinks config_links;
    config::ConfigFiles config_files{dir.path(), settings, gains, config_links};
    NoFmodDisplay fmod_display;
    std::unique_ptr<audio::CBassEngine> bass = std::make_unique<audio::CBassEngine>();
    audio::FmodEngine fmod{services, fmod_display, [this] { return settings.Volume(); }};
    bool fmod_ready = fmod.Initialise(nullptr);
    RecordingTransportDisplay display;
    RecordingTimers timers;
    RecordingView list5, list6;
    RecordingDisplay playlist_display;
    std::vector<int> waits;  // the hand-over's waits
    int clock_ms = 0;        // the time Run has moved
    external::ApolloStarts apollo_starts{[this] { return int64_t{clock_ms}; }};
    int shutdowns = 0;  // after-end shutdowns ("After end playlist")
    transport::Transport transport{TransportLinks()};
    playlists::PlaylistModel model{ModelLinks()};

  private:
    sound::ManualOutput& SetUpSound();
    transport::Transport::Links TransportLinks();
    playlists::PlaylistModel::Links ModelLinks();
    QProcess player_;
};

}  // namespace tarvel::testing

// The run's start-up sequence, the windows made after the first paint, and the exit order.
#include "shell/player_run.h"

#include <QGuiApplication>
#include <cstdio>

#include "audio/bass_engine.h"
#include "audio/fmod_engine.h"
#include "command/shutdown.h"
#include "config/config_files.h"
#include "external/apollo_command.h"
#include "external/apollo_lifecycle.h"
#include "library/browser.h"
#include "library/library_actions.h"
#include "library/library_build.h"
#include "library/library_store.h"
#include "library/scanner.h"
#include "library/song_reader.h"
#include "platform/desktop/desktop.h"
#include "platform/sound/cd_disc.h"
#include "platform/sound/sound_notice.h"
#include "platform/system/system_services.h"
#include "platform/text/unicode.h"
#include "playlists/playlist_model.h"
#include "shell/audio_windows.h"
#include "shell/background_work.h"
#include "shell/desktop_media.h"
#include "shell/layout_rules.h"
#include "shell/library_panels.h"
#include "shell/list_view.h"
#include "shell/main_display.h"
#include "shell/main_window.h"
#include "shell/on_screen.h"
#include "shell/open_files.h"
#include "shell/player_commands.h"
#include "shell/playing_core.h"
#include "shell/playlist_panel.h"
#include "shell/progress_relay.h"
#include "shell/secondary_windows.h"
#include "shell/shell_links.h"
#include "shell/single_instance.h"
#include "shell/stall_probe.h"
#include "shell/startup_prefetch.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "transport/transport.h"
#include "windows/equalizer_window.h"
#include "windows/fmod_window.h"
#include "windows/mini_window.h"
#include "windows/shuffle_options_window.h"
#include "windows/talik_window.h"
#include "windows/window_placement.h"

namespace tarvel::shell {
namespace {

constexpr int kTimer1Ms = 200;
constexpr int kTimer2Ms = 20;
constexpr int kTimer3Ms = 100;

// Where a loaded preset is heard when there is no equalizer window: the BASS engine's bands.
class BassEqualizerTarget : public config::EqualizerTarget {
  public:
    explicit BassEqualizerTarget(audio::CBassEngine& bass) : bass_(bass) {}
    void SetSliderPosition(int, int) override {}
    void SetEQBand(int band, int gain) override { bass_.SetEQBand(band, gain); }

  private:
    audio::CBassEngine& bass_;
};

}  // namespace

std::unique_ptr<PlayerRun> StartRun(system::SystemServices& services, std::string app_dir,
                                    std::unique_ptr<desktop::Desktop> desktop,
                                    StartupPrefetch* prefetch) {
    return std::make_unique<PlayerRun>(services, std::move(app_dir), std::move(desktop), prefetch);
}

PlayerRun::PlayerRun(system::SystemServices& services, std::string app_dir,
                     std::unique_ptr<desktop::Desktop> desktop, StartupPrefetch* prefetch)
    : services_(services),
      app_dir_(std::move(app_dir)),
      desktop_(desktop ? std::move(desktop) : desktop::CreateDesktop()),
      prefetch_(prefetch),
      commands_(std::make_unique<PlayerCommands>(
          *this, ErrorBoundary(services, ErrorBoundary::Show::AtOnce))),
      answering_commands_(std::make_unique<PlayerCommands>(
          *this, ErrorBoundary(services, ErrorBoundary::Show::AfterAnswer))),
      bass_(std::make_unique<audio::CBassEngine>()) {
    window_ = std::make_unique<TForm1>(*commands_, settings_, *bass_, app_dir_, prefetch_);
    ReadConfigAndLibrary();
    MakeWindowStates();
    prefetch_ = nullptr;
    // The module player window hosts the FMOD engine: the transport and the playlists are made
    // once it exists.
    module_player_ = std::make_unique<TfrmMain>(services_);
    AttachModulePlayer();
    LoadPresetAndPlaylists();
}

PlayerRun::~PlayerRun() {
    if (window_) {
        window_->Display().shown_changed = nullptr;  // the transport goes before the window
    }
    if (states_) {
        window_->Display().Detach(*this);
    }
    sound::SetSoundTroubleListener(nullptr);
    StopBackgroundWork();
}

void PlayerRun::ReadConfigAndLibrary() {
    engines_ = std::make_unique<ShellEngines>(services_, settings_, app_dir_);
    links_ = std::make_unique<ShellLinks>(*engines_, *commands_);
    config_files_ = std::make_unique<config::ConfigFiles>(app_dir_, settings_, eq_gains_, *links_);
    const config::WindowPosition position = config_files_->ReadConfig("Conf.tcf");
    if (settings_.Checked(config::Item::Apollo)) {
        external::StartApolloAtStartup(services_, settings_.PathToApollo, &engines_->apollo_starts);
    }

    background_progress_ = std::make_unique<ProgressRelay>(window_->Display());
    background_ = std::make_unique<BackgroundWork>();
    readers_ = std::make_unique<library::TagReaders>();
    scanner_ = std::make_unique<library::TegScan>(*readers_, *background_progress_, services_);
    library_actions_ = std::make_unique<library::LibraryActions>(
        *scanner_, services_, app_dir_, [this] { FillArtistPanels(); }, background_.get());
    library_actions_->unmarked_choice = [this] { return UnmarkedChoice(settings_); };
    ReportStalls(*window_);
    // A scan cut off while it put its new library in place is finished before it is read.
    commands_->Run([this] { library::LibraryBuild::Recover(library::LibraryStore(app_dir_)); });
    FillArtistPanels();
    if (settings_.Checked(config::Item::mIncorporated1)) {
        window_->SetArtistPanelMode(true);
    }
    window_->FitWindow();
    window_->move(position.left, position.top);
}

void PlayerRun::MakeWindowStates() {
    host_ = std::make_unique<WindowHost>(*window_, *answering_commands_);
    states_ = std::make_unique<WindowStates>(*host_, *desktop_);
    window_->Display().SetWindows(host_.get());
    window_->Display().Attach(*this);
    states_->RegisterHotkeys(
        [this](const std::function<void()>& operation) { answering_commands_->Run(operation); });
    connect(window_.get(), &TForm1::Closing, this, [this] { Closing(); });
    connect(window_.get(), &TForm1::Minimised, this, [this] {
        if (!states_->InTray()) {
            states_->MainMinimised();
        }
    });
    window_->ApplySavedSize(settings_.DeltaWidth, settings_.DeltaHeight);
    // A position saved on another screen or under another scale factor is used only as far as
    // the whole window stays on a screen.
    windows::KeepWindowOnScreen(*window_);
}

void PlayerRun::AttachModulePlayer() {
    TfrmMain& module_player = *module_player_;
    engines_->fmod = &module_player.Engine();
    module_player.SetVolumeSource([this] { return settings_.Volume(); });
    MainDisplay& display = window_->Display();
    display.module_timer = &module_player.tmrMain;

    transport::Transport::Links links;
    links.settings = &settings_;
    links.config_files = config_files_.get();
    links.bass = bass_.get();
    links.fmod = &module_player.Engine();
    links.display = &display;
    links.timers = &display;
    links.services = &services_;
    links.app_dir = app_dir_;
    links.apollo_starts = &engines_->apollo_starts;
    playlists::PlaylistModel::Links model;
    model.settings = &settings_;
    model.display = &display;
    model.list5 = &window_->List5();
    model.list6 = &window_->List6();
    model.services = &services_;
    model.engines = engines_.get();
    model.app_dir = app_dir_;
    model.cd_drive = &sound::CdDrive;
    model.after_end_shutdown = [this] {
        SaveOnExit();
        command::ShutdownComputer(services_);
    };
    core_ = std::make_unique<PlayingCore>(std::move(links), std::move(model));

    core_->transport.ApplyVolume(settings_.Volume());
    window_->ConnectControls(PlaylistPanelParts{
        *window_, window_->Controls(), settings_, services_, core_->playlists, *commands_,
        *background_progress_, *background_, window_->LibraryPanels(), window_->List6()});
    // Sound that cannot reach a device is said once, in a message box; the sound thread that
    // finds it waits for no one.
    sound::SetSoundTroubleListener([this](const std::string& text) {
        QMetaObject::invokeMethod(
            this,
            [this, text] {
                QString said = QString::fromStdString(text);
                said[0] = said[0].toUpper();
                services_.MessageBox("Tarvel", said.toStdString(), system::Buttons::Ok,
                                     system::Icon::Warning);
            },
            Qt::QueuedConnection);
    });
    ConnectTimers();
}

void PlayerRun::ConnectTimers() {
    TForm1& w = *window_;
    w.Timer1.setInterval(kTimer1Ms);
    w.Timer2.setInterval(kTimer2Ms);
    w.Timer3.setInterval(kTimer3Ms);
    transport::Transport& t = core_->transport;
    connect(&w.Timer1, &QTimer::timeout, this,
            [this, &t] { commands_->Run([&t] { t.Timer1(); }); });
    connect(&w.Timer2, &QTimer::timeout, this,
            [this, &t] { commands_->Run([&t] { t.Timer2(); }); });
    connect(&w.Timer3, &QTimer::timeout, this, [this, &w, &t] {
        w.Timer3.stop();
        commands_->Run([&t] { t.Timer3(); });
    });
    // Timer2 starts and stops with what it has to show.
    w.Display().shown_changed = [&t] { t.DisplayChanged(); };
    WatchOnScreen(w, [&w] { w.Display().ShownChanged(); });
    t.DisplayChanged();
    if (settings_.FirstRun) {
        w.Timer3.start();
    }
}

void PlayerRun::LoadPresetAndPlaylists() {
    BassEqualizerTarget bass_only(*bass_);
    config::EqualizerTarget& target = equalizer_target_ != nullptr ? *equalizer_target_ : bass_only;
    config::LoadEQ(app_dir_, settings_.PlEqNowFileName, eq_gains_, target,
                   [this](const std::string& text) { system::ReportError(services_, text); });
    commands_->Run([this] { core_->playlists.LoadAtStartup(); });
    if (settings_.FirstRun) {
        return;
    }
    playlists::TMasPLayList& work = core_->playlists.Work();
    if (settings_.Checked(config::Item::Autoloadplayer1)) {
        if (work.Current == 0 && work.Count > 0) {
            work.Current = 1;
        }
        commands_->Run([this] { core_->transport.PlayCurrent(playlists::PlayCommand::Play); });
    } else {
        window_->Display().SetPlayButtons(transport::kIdleLook);
    }
}

void PlayerRun::FillArtistPanels() {
    std::optional<ArtistIndexAhead> ahead;
    if (prefetch_ != nullptr) {
        ahead = prefetch_->TakeArtistIndex();
    }
    artist_count_ = 0;
    if (ahead) {
        artist_index_ = std::move(ahead->index);
        artist_count_ = ahead->count;
        if (!ahead->error.empty()) {
            system::ReportError(services_, ahead->error);
        }
    } else {
        const library::LibraryStore store(app_dir_);
        commands_->Run([&] { store.ReadArtistIndex(artist_index_, artist_count_); });
    }
    if (settings_.Checked(config::Item::mIncorporated1)) {
        window_->SetArtistPanelMode(true);  // the panels are filled in the one-panel mode
    }
    library::LibraryBrowser& browser = window_->LibraryPanels().Browser();
    if (ahead) {
        library::ArtistPanelItems items =
            browser.Options().separate_panels
                ? std::move(ahead->separate_items)
                : library::ArtistPanels(artist_index_, ahead->ordered_rows, false);
        browser.FillArtistPanels(artist_index_, artist_count_, std::move(items));
    } else {
        browser.FillArtistPanels(artist_index_, artist_count_);
    }
}

void PlayerRun::MakeEqualizer() {
    equalizer_ = std::make_unique<TEqualizer>(EqualizerPartsOf(*this));
    ConnectEqualizer(*this, *equalizer_);
}

void PlayerRun::MakeShuffleOptions() {
    shuffle_options_ = std::make_unique<TSFoptions>(settings_, app_dir_, ErrorReportOf(services_));
}

void PlayerRun::ShowShuffleOptions() {
    if (shuffle_options_ != nullptr) {
        shuffle_place_.BeforeShow(*shuffle_options_, *window_);
        shuffle_options_->Options2Click();
    }
}

void PlayerRun::AttachSecondaryWindows(TMinFrm& mini, TTalik& talik) {
    secondary_ = std::make_unique<SecondaryWindows>(*this, mini, talik);
}

void PlayerRun::ShowAppTitle(const std::string& title) {
    window_->setWindowTitle(text::ToQString(title));
    states_->AppTitleChanged(title);
}

void PlayerRun::AttachWindowStandIns(QWidget* mini, QWidget* talik) {
    host_->mini = mini;
    host_->talik = talik;
}

void PlayerRun::MakeLaterWindows(FileInbox& inbox, const std::vector<std::string>& files) {
    if (closed_) {
        return;  // the run is ending
    }
    mini_ = std::make_unique<TMinFrm>(app_dir_, ErrorReportOf(services_));
    if (!mini_->MarkerError().empty()) {
        // Without its window class the player still works; programs that look for the mini
        // player do not find it.
        std::fprintf(stderr, "tarvel: %s\n", mini_->MarkerError().c_str());
    }
    talik_ = std::make_unique<TTalik>(app_dir_, ErrorReportOf(services_));
    AttachSecondaryWindows(*mini_, *talik_);
    MakeEqualizer();
    MakeShuffleOptions();
    desktop_media_ = StartDesktopMedia(*this);
    inbox.Open(*commands_, files);
}

transport::Transport& PlayerRun::Transport() {
    return core_->transport;
}

playlists::PlaylistModel& PlayerRun::Playlists() {
    return core_->playlists;
}

library::ScanRunner& PlayerRun::Background() {
    return *background_;
}

void PlayerRun::StopBackgroundWork() {
    if (background_ != nullptr && background_->Busy()) {
        scanner_->report().RequestAbandon();
        background_->Wait();
    }
}

void PlayerRun::Closing() {
    if (closed_) {
        return;
    }
    closed_ = true;
    StopBackgroundWork();
    desktop_->UnregisterHotkeys();
    SaveOnExit();
    desktop_->DeleteTrayIcon();
}

void PlayerRun::SaveOnExit() {
    exit_save_errors_.clear();
    const auto step = [this](auto&& action) {
        try {
            action();
        } catch (const std::exception& e) {
            exit_save_errors_.push_back(e.what());
            system::ReportError(services_, e.what());
        }
    };
    step([this] {
        const Deltas deltas = SavedDeltas(window_->CurrentLayout());
        settings_.DeltaWidth = deltas.width;
        settings_.DeltaHeight = deltas.height;
        settings_.WindowLeft = window_->x();
        settings_.WindowTop = window_->y();
        config_files_->WriteConfig("conf.tcf");
    });
    step([] { external::ApolloCommand(9, 0); });
    window_->Timer1.stop();
    if (core_ != nullptr) {
        step([this] { core_->playlists.SaveAtExit(); });
    }
    step([] { external::CloseApollo(); });
    step([this] {
        if (settings_.Checked(config::Item::mFmod) && engines_->fmod != nullptr &&
            core_ != nullptr) {
            const playlists::TMasPLayList& work = core_->playlists.Work();
            const bool row = work.Current >= 1 && work.Current <= work.Count;
            engines_->fmod->FmodStop(row ? work.Rows[work.Current][4] : std::string());
        }
        if (settings_.Checked(config::Item::mBass)) {
            bass_->Stop();
        }
    });
}

}  // namespace tarvel::shell

// The main window's start-up sequence, the loading of the preset and the playlists when the
// small playlist window is made, and SaveOnExit.
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "audio/bass_engine.h"
#include "audio/fmod_engine.h"
#include "command/shutdown.h"
#include "controls/c_list_box.h"
#include "controls/kvr_scroller_h.h"
#include "controls/skin_loader.h"
#include "external/apollo_command.h"
#include "external/apollo_lifecycle.h"
#include "library/library_actions.h"
#include "library/library_build.h"
#include "library/library_store.h"
#include "library/scanner.h"
#include "library/song_reader.h"
#include "platform/error/app_error.h"
#include "platform/sound/cd_disc.h"
#include "platform/system/system_services.h"
#include "platform/text/cp1251.h"
#include "playlists/playlist_model.h"
#include "shell/background_work.h"
#include "shell/error_boundary.h"
#include "shell/layout_rules.h"
#include "shell/library_panels.h"
#include "shell/list_view.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"
#include "shell/playing_core.h"
#include "shell/progress_relay.h"
#include "shell/shell_links.h"
#include "shell/stall_probe.h"
#include "shell/startup_prefetch.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "transport/transport.h"
#include "windows/fmod_window.h"
#include "windows/window_placement.h"

namespace tarvel {
namespace {

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

void TForm1::FormCreate() {
    design_layout_ = shell::DesignLayout();
    layout_ = design_layout_;
    bass_ = std::make_unique<audio::CBassEngine>();
    setAcceptDrops(true);

    controls_ = std::make_unique<shell::MainControls>(*this);
    try {
        std::optional<controls::WindowSkin> skin;
        if (prefetch_ != nullptr) {
            skin = prefetch_->TakeMainSkin();
        }
        if (skin) {
            controls::ApplyWindowSkin(*this, *skin);
        } else {
            controls::LoadWindowSkin(*this, "TForm1", app_dir_);
        }
    } catch (const AppError& e) {
        system::ReportError(services_, e.what());
    }
    controls_->AfterSkinLoaded();
    display_ = std::make_unique<shell::MainDisplay>(
        *controls_, Timer1, [this] { return host_ == nullptr || host_->MainVisible(); },
        [this] { return mini_visible && mini_visible(); });
    list5_ = std::make_unique<shell::ListView>(controls_->List(5), controls_->ListBar(5));
    list6_ = std::make_unique<shell::ListViewSlot>();
    library_panels_ = std::make_unique<shell::LibraryPanels>(*this);

    controls_->VolumeSKRL->SetMax(config::Settings::kVolumeMax);
    controls_->VolumeSKRL->SetVkoef(100.0 / config::Settings::kVolumeMax);
    controls_->VolumeSKRL->SetRoundThumb(true);
    controls_->TimeSKRL->SetVkoef(0.0);

    engines_ = std::make_unique<shell::ShellEngines>(services_, settings_, app_dir_);
    links_ = std::make_unique<shell::ShellLinks>(*engines_);
    config_files_ = std::make_unique<config::ConfigFiles>(app_dir_, settings_, eq_gains_, *links_);
    const config::WindowPosition position = config_files_->ReadConfig("Conf.tcf");
    if (settings_.Checked(config::Item::Apollo)) {
        external::StartApolloAtStartup(services_, settings_.PathToApollo, &engines_->apollo_starts);
    }

    background_progress_ = std::make_unique<shell::ProgressRelay>(*display_);
    background_ = std::make_unique<shell::BackgroundWork>();
    readers_ = std::make_unique<library::TagReaders>();
    scanner_ = std::make_unique<library::TegScan>(*readers_, *background_progress_, services_);
    library_actions_ = std::make_unique<library::LibraryActions>(
        *scanner_, services_, app_dir_, [this] { FillArtistPanels(); }, background_.get());
    shell::ReportStalls(*this);
    // A scan cut off while it put its new library in place is finished before it is read.
    Reported([this] { library::LibraryBuild::Recover(library::LibraryStore(app_dir_)); });
    links_->open_library_builder = [this] { library_actions_->ClearLibraryAndAddFiles(); };
    FillArtistPanels();
    if (settings_.Checked(config::Item::mIncorporated1)) {
        SetArtistPanelMode(true);
    }

    FitWindow();
    move(position.left, position.top);

    host_ = std::make_unique<shell::WindowHost>(*this);
    states_ = std::make_unique<shell::WindowStates>(*host_, *desktop_);
    display_->hooks.app_title = [this](const std::string& title) {
        setWindowTitle(text::Cp1251ToQString(title));
        states_->AppTitleChanged(title);
    };
    states_->RegisterHotkeys(
        [this](const std::function<void()>& operation) { answering_commands_->Run(operation); });

    const bool list2_shown = !controls_->List(2).isHidden();
    shell::ApplySavedSize(layout_,
                          shell::StartupDeltaWidth(layout_, settings_.DeltaWidth, list2_shown),
                          settings_.DeltaHeight, list2_shown);
    ApplyLayout();
    FitWindow();
    // A position saved on another screen or under another scale factor is used only as far as
    // the whole window stays on a screen.
    windows::KeepWindowOnScreen(*this);
}

void TForm1::AttachModulePlayer(TfrmMain& module_player) {
    module_player_ = &module_player;
    engines_->fmod = &module_player.Engine();
    module_player.SetVolumeSource([this] { return settings_.Volume(); });
    display_->module_timer = &module_player.tmrMain;

    transport::Transport::Links links;
    links.settings = &settings_;
    links.config_files = config_files_.get();
    links.bass = bass_.get();
    links.fmod = &module_player.Engine();
    links.display = display_.get();
    links.timers = display_.get();
    links.services = &services_;
    links.app_dir = app_dir_;
    links.apollo_starts = &engines_->apollo_starts;
    playlists::PlaylistModel::Links model;
    model.settings = &settings_;
    model.display = display_.get();
    model.list5 = list5_.get();
    model.list6 = list6_.get();
    model.services = &services_;
    model.engines = engines_.get();
    model.app_dir = app_dir_;
    model.cd_drive = &sound::CdDrive;
    model.after_end_shutdown = [this] {
        SaveOnExit();
        command::ShutdownComputer(services_);
    };
    core_ = std::make_unique<shell::PlayingCore>(std::move(links), std::move(model));
    transport_ = &core_->transport;
    playlists_ = &core_->playlists;

    transport_->ApplyVolume(settings_.Volume());
    ConnectControls();
    ConnectTimers();
}

void TForm1::LoadPresetAndPlaylists() {
    BassEqualizerTarget bass_only(*bass_);
    config::EqualizerTarget& target = equalizer != nullptr ? *equalizer : bass_only;
    config::LoadEQ(app_dir_, settings_.PlEqNowFileName, eq_gains_, target,
                   [this](const std::string& text) { system::ReportError(services_, text); });
    Reported([this] { playlists_->LoadAtStartup(); });
    if (settings_.FirstRun) {
        return;
    }
    playlists::TMasPLayList& work = playlists_->Work();
    if (settings_.Checked(config::Item::Autoloadplayer1)) {
        if (work.Current == 0 && work.Count > 0) {
            work.Current = 1;
        }
        Reported([this] { transport_->PlayCurrent(playlists::PlayCommand::Play); });
    } else {
        display_->SetPlayButtons(transport::kIdleLook);
    }
}

void TForm1::SaveOnExit() {
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
        const shell::Deltas deltas = shell::SavedDeltas(layout_);
        settings_.DeltaWidth = deltas.width;
        settings_.DeltaHeight = deltas.height;
        settings_.WindowLeft = x();
        settings_.WindowTop = y();
        config_files_->WriteConfig("conf.tcf");
    });
    step([] { external::ApolloCommand(9, 0); });
    Timer1.stop();
    if (playlists_ != nullptr) {
        step([this] { playlists_->SaveAtExit(); });
    }
    step([] { external::CloseApollo(); });
    step([this] {
        if (settings_.Checked(config::Item::mFmod) && engines_->fmod != nullptr &&
            playlists_ != nullptr) {
            const playlists::TMasPLayList& work = playlists_->Work();
            const bool row = work.Current >= 1 && work.Current <= work.Count;
            engines_->fmod->FmodStop(row ? work.Rows[work.Current][4] : std::string());
        }
        if (settings_.Checked(config::Item::mBass)) {
            bass_->Stop();
        }
    });
}

}  // namespace tarvel

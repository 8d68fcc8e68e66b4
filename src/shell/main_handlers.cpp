// The main window's controls and timers wired to the subsystems' operations: each handler reads
// the event and calls one operation.
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "library/library_actions.h"
#include "platform/sound/sound_notice.h"
#include "platform/system/system_services.h"
#include "playlists/playlist_model.h"
#include "shell/audio_windows.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"
#include "shell/playlist_panel.h"
#include "shell/time_size_labels.h"
#include "shell/window_states.h"
#include "transport/transport.h"

namespace tarvel {
namespace {

constexpr int kTimer1Ms = 200;
constexpr int kTimer2Ms = 20;
constexpr int kTimer3Ms = 100;

}  // namespace

void TForm1::OnClick(std::string_view button, std::function<void()> handler) {
    connect(&controls_->Image(button), &controls::TMegaImage::OnClick, this, std::move(handler));
}

void TForm1::OnPress(std::string_view control, std::function<void(QMouseEvent*)> handler) {
    connect(&controls_->Image(control), &controls::TMegaImage::OnMouseDown, this,
            std::move(handler));
}

void TForm1::BuildMenus() {
    // A menu item's operation runs inside the error boundary like a button's.
    const auto reported = [this](std::function<void()> handler) {
        return [this, handler = std::move(handler)] { commands_->Run(handler); };
    };
    shell::MenuHandlers on;
    on.mFmod = reported([this] { transport_->mFmodClick(); });
    on.mBass = reported([this] { transport_->mBassClick(); });
    on.Apollo = reported([this] { transport_->ApolloClick(); });
    on.restart_warning = [this] {
        if (services_.MessageBox("Tarvel",
                                 "Для того, что бы действие применилось, необ][одимо перегрузить "
                                 "Tarvel",
                                 system::Buttons::OkCancel,
                                 system::Icon::Warning) == system::Answer::Ok) {
            close();
        }
    };
    on.artist_panels =
        reported([this] { SetArtistPanelMode(settings_.Checked(config::Item::mIncorporated1)); });
    on.restore = [this] { commands_->RestoreFromTray(); };
    on.exit = [this] { commands_->SaveAndQuit(); };
    on.clear_library_and_add = [this] { library_actions_->ClearLibraryAndAddFiles(); };
    on.add_files = [this] { library_actions_->AddFiles(); };
    on.shuffle_options = reported([this] {
        if (ShowShuffleOptions) {
            ShowShuffleOptions();
        }
    });
    menus_ = std::make_unique<shell::MainMenus>(settings_, on, this);
}

shell::MainMenus& TForm1::Menus() {
    if (menus_ == nullptr) {
        BuildMenus();
    }
    return *menus_;
}

void TForm1::ConnectControls() {
    shell::PlayerCommands& c = *commands_;
    OnClick("ImgPlayPause", [&c] { c.PlayPauseButton(); });
    OnClick("ImgStop", [&c] { c.Stop(); });
    OnClick("ImgPrev", [this, &c] {
        if (playlists_->Work().Count > 0)
            c.Previous();
    });
    OnClick("ImgNext", [this, &c] {
        if (playlists_->Work().Count > 0)
            c.Next();
    });
    OnClick("ImgShuffle", [&c] { c.Shuffle(); });
    OnClick("ImgRepeat", [&c] { c.Repeat(); });
    OnClick("ImgUndo", [&c] { c.Undo(); });
    OnClick("ImgShuffStr",
            [this] { shell::MainMenus::PopUp(*Menus().ShufflMenu, QCursor::pos()); });
    OnClick("ImgRepStr", [this] { shell::MainMenus::PopUp(*Menus().REpeatMenu, QCursor::pos()); });
    OnClick("ImgPref", [this] { shell::MainMenus::PopUp(*Menus().OptionsMenu, QCursor::pos()); });
    OnClick("ImgLibrary", [this] { shell::MainMenus::PopUp(*Menus().MyLibrary, QCursor::pos()); });
    OnClick("ImgHelp", [this] {
        const std::string help = app_dir_ + "/help/help.htm";
        if (!services_.OpenWithDesktop(help)) {
            services_.MessageBox("Tarvel",
                                 "No web browser could open the help. It is the file " + help,
                                 system::Buttons::Ok, system::Icon::Information);
        }
    });
    OnClick("ImgClose", [&c] { c.Quit(); });
    OnClick("ImgMini", [&c] { c.SwitchToMini(); });
    OnClick("ImgTray", [&c] { c.MainToTray(); });
    for (const char* tab : {"Img2Pl1", "Img2CD", "Img2PL2"}) {
        OnPress(tab, [this, &c, tab](QMouseEvent* event) {
            c.TabPress(static_cast<int>(event->position().x()), controls_->Widget(tab).width());
        });
    }
    for (const char* frame : {"ImgVerhLEvo", "imgLeftLine"}) {
        OnPress(frame, [this](QMouseEvent* event) {
            if (event->button() == Qt::LeftButton) {
                MoveWindow();
            }
        });
    }
    connect(controls_->TimeSKRL, &controls::TKVRScrollerH::OnChange, this,
            [&c](int position) { c.SeekFromBar(transport::SeekSource::Main, position); });
    connect(controls_->VolumeSKRL, &controls::TKVRScrollerH::OnChange, this,
            [&c](int position) { c.SetVolume(position); });
    connect(controls_->CmdSearch, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (CmdSearchChange) {
            CmdSearchChange(text);
        }
    });
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
    ConnectEdgeDrags();
    shell::ConnectSpectrum(*this);
    shell::ConnectPlaylistPanel(*this);
    shell::ConnectTimeSizeLabels(*this);
    qApp->installEventFilter(this);
}

void TForm1::ConnectTimers() {
    Timer1.setInterval(kTimer1Ms);
    Timer2.setInterval(kTimer2Ms);
    Timer3.setInterval(kTimer3Ms);
    connect(&Timer1, &QTimer::timeout, this,
            [this] { Reported([this] { transport_->Timer1(); }); });
    connect(&Timer2, &QTimer::timeout, this,
            [this] { Reported([this] { transport_->Timer2(); }); });
    connect(&Timer3, &QTimer::timeout, this, [this] {
        Timer3.stop();
        Reported([this] { transport_->Timer3(); });
    });
    Timer2.start();
    if (settings_.FirstRun) {
        Timer3.start();
    }
}

}  // namespace tarvel

// The main window's controls wired to the command surface: each handler reads the event and
// calls one operation.
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "shell/analyser_strip.h"
#include "shell/command_box.h"
#include "shell/library_panels.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"
#include "shell/playlist_panel.h"
#include "shell/time_size_labels.h"

namespace tarvel {

void TForm1::OnClick(controls::Main button, std::function<void()> handler) {
    connect(&controls_->Image(button), &controls::TMegaImage::OnClick, this, std::move(handler));
}

void TForm1::OnPress(controls::Main control, std::function<void(QMouseEvent*)> handler) {
    connect(&controls_->Image(control), &controls::TMegaImage::OnMouseDown, this,
            std::move(handler));
}

void TForm1::BuildMenus() {
    shell::PlayerCommands& c = commands_;
    shell::MenuHandlers on;
    on.mFmod = [&c] { c.EngineClick(config::Item::mFmod); };
    on.mBass = [&c] { c.EngineClick(config::Item::mBass); };
    on.Apollo = [&c] { c.EngineClick(config::Item::Apollo); };
    on.restart_warning = [&c] { c.RestartWarning(); };
    on.artist_panels = [this, &c] {
        c.SetArtistPanelMode(settings_.Checked(config::Item::mIncorporated1));
    };
    on.restore = [&c] { c.RestoreFromTray(); };
    on.exit = [&c] { c.SaveAndQuit(); };
    on.clear_library_and_add = [&c] { c.ClearLibraryAndAddFiles(); };
    on.add_files = [&c] { c.AddFilesToLibrary(); };
    on.shuffle_options = [&c] { c.ShowShuffleOptions(); };
    menus_ = std::make_unique<shell::MainMenus>(settings_, on, this);
}

shell::MainMenus& TForm1::Menus() {
    if (menus_ == nullptr) {
        BuildMenus();
    }
    return *menus_;
}

void TForm1::ConnectControls(const shell::PlaylistPanelParts& playlist) {
    shell::PlayerCommands& c = commands_;
    OnClick(controls::Main::ImgPlayPause, [&c] { c.PlayPauseButton(); });
    OnClick(controls::Main::ImgStop, [&c] { c.Stop(); });
    OnClick(controls::Main::ImgPrev, [&c] {
        if (c.Count() > 0) {
            c.Previous();
        }
    });
    OnClick(controls::Main::ImgNext, [&c] {
        if (c.Count() > 0) {
            c.Next();
        }
    });
    OnClick(controls::Main::ImgShuffle, [this, &c] { c.Shuffle(library_panels_->Songs()); });
    OnClick(controls::Main::ImgRepeat, [&c] { c.Repeat(); });
    OnClick(controls::Main::ImgUndo, [&c] { c.Undo(); });
    OnClick(controls::Main::ImgShuffStr,
            [this] { shell::MainMenus::PopUp(*Menus().ShufflMenu, QCursor::pos()); });
    OnClick(controls::Main::ImgRepStr,
            [this] { shell::MainMenus::PopUp(*Menus().REpeatMenu, QCursor::pos()); });
    OnClick(controls::Main::ImgPref,
            [this] { shell::MainMenus::PopUp(*Menus().OptionsMenu, QCursor::pos()); });
    OnClick(controls::Main::ImgLibrary,
            [this] { shell::MainMenus::PopUp(*Menus().MyLibrary, QCursor::pos()); });
    OnClick(controls::Main::ImgHelp, [&c] { c.Help(); });
    OnClick(controls::Main::ImgClose, [&c] { c.Quit(); });
    OnClick(controls::Main::ImgMini, [&c] { c.SwitchToMini(); });
    OnClick(controls::Main::ImgTray, [&c] { c.MainToTray(); });
    for (controls::Main tab :
         {controls::Main::Img2Pl1, controls::Main::Img2CD, controls::Main::Img2PL2}) {
        OnPress(tab, [this, &c, tab](QMouseEvent* event) {
            c.TabPress(static_cast<int>(event->position().x()), controls_->Widget(tab).width());
        });
    }
    for (controls::Main frame : {controls::Main::ImgVerhLEvo, controls::Main::imgLeftLine}) {
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
    ConnectEdgeDrags();
    spectrum_ = &shell::ConnectSpectrum(*controls_, *display_, bass_, c);
    new shell::PlaylistPanel(playlist);
    shell::ConnectTimeSizeLabels(*this, *controls_);
    qApp->installEventFilter(this);
    connected_ = true;
}

}  // namespace tarvel

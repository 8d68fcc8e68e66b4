// The mini player and the small playlist window wired to the main window.
#include "shell/secondary_windows.h"

#include <QGuiApplication>
#include <QScreen>

#include "controls/bgr_color.h"
#include "controls/c_list_box.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "platform/system/system_services.h"
#include "platform/text/cp1251.h"
#include "playlists/playlist_edit.h"
#include "playlists/playlist_model.h"
#include "shell/list_view.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_window.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "transport/transport.h"
#include "windows/mini_window.h"
#include "windows/secondary_scaling.h"
#include "windows/talik_window.h"

namespace tarvel::shell {

// The main window's operations as the mini player calls them; a failure goes to the general
// error report.
class MiniHost : public windows::MiniPlayerHost {
  public:
    explicit MiniHost(TForm1& form) : form_(form) {}

    int Count() const override { return form_.Playlists().Work().Count; }
    void PlayPauseButton() override {
        Run([](transport::Transport& t) { t.PlayPauseButton(); });
    }
    void PlayPause() override {
        Run([](transport::Transport& t) { t.PlayPause(); });
    }
    void StopPlay() override {
        Run([](transport::Transport& t) { t.StopPlay(true); });
    }
    void PlayNext() override {
        Run([](transport::Transport& t) { t.PlayNext(); });
    }
    void PlayPrevious() override {
        Run([](transport::Transport& t) { t.PlayPrevious(); });
    }
    void MiniToTray() override { form_.States().MiniToTray(); }
    void ShowMain() override { form_.Host().ShowMain(); }
    void CloseProgram() override {
        // Closing the main window saves everything and ends the run.
        form_.close();
    }
    void PositionBarMoved(int position) override {
        // The seek after the release reads the bar's position from the display.
        form_.Display().SetPosition(transport::PositionBar::Mini, position);
        form_.Transport().PositionBarChanged(transport::SeekSource::Mini);
    }
    void VolumeBarMoved(int position) override {
        Run([position](transport::Transport& t) { t.ApplyVolume(position); });
    }
    void StepVolume(int delta) override {
        Run([delta](transport::Transport& t) { t.StepVolume(delta); });
    }

  private:
    template <typename Action>
    void Run(Action&& action) {
        system::RunReported(form_.Services(), [&] { action(form_.Transport()); });
    }

    TForm1& form_;
};

// The playlist operations as the small playlist window calls them; a failure goes to the
// general error report.
class TalikHost : public windows::SmallPlaylistHost {
  public:
    explicit TalikHost(TForm1& form) : form_(form) {}

    void PlayRow(int row) override {
        Run([row](playlists::PlaylistModel& model) { model.PlayRow(row); });
    }
    bool DeleteSong(int row) override {
        bool deleted = false;
        Run([row, &deleted](playlists::PlaylistModel& model) { deleted = model.DeleteSong(row); });
        return deleted;
    }
    void MoveRow(int target, int source_row) override {
        // Every drop on the small list is a move inside the playlist.
        Run([target, source_row](playlists::PlaylistModel& model) {
            model.DropOnPlaylist(target, source_row, playlists::DragSource{});
        });
    }
    std::string RowHint(int row) const override {
        return playlists::RowHint(form_.Playlists().Work(), row);
    }

  private:
    template <typename Action>
    void Run(Action&& action) {
        system::RunReported(form_.Services(), [&] { action(form_.Playlists()); });
    }

    TForm1& form_;
};

namespace {

// The main window's font ratio: its fonts are given in pixels, so they keep the design's size.
constexpr double kFontRatio = 1.0;

double ScreenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? windows::ScaleOfScreenWidth(screen->geometry().width()) : 1.0;
}

void ConnectDisplay(DisplayHooks& hooks, TMinFrm& mini, TTalik& talik) {
    hooks.mini_position = [&mini](int position) { mini.SetTimePosition(position); };
    hooks.mini_maximum = [&mini](int maximum) { mini.SetTimeMaximum(maximum); };
    hooks.mini_volume = [&mini](int position) { mini.SetVolumePosition(position); };
    hooks.mini_play_button = [&mini](transport::ButtonLook look) {
        mini.SetPlayLook(look.picture, look.add_to_nom);
    };
    hooks.mini_time = [&mini](const std::string& text) {
        mini.SetTimeText(text::Cp1251ToQString(text));
    };
    hooks.mini_title_width = [&mini] { return mini.TitleWidth(); };
    hooks.mini_title = [&mini](const std::string& text, int x, uint32_t text_color,
                               uint32_t back_color) {
        mini.ShowTitle(text::Cp1251ToQString(text), x, controls::ColorFromBgr(text_color),
                       controls::ColorFromBgr(back_color));
    };
    hooks.restore_topmost = [&mini, &talik] {
        KeepOnTop(mini);
        KeepOnTop(talik);
    };
}

}  // namespace

SecondaryWindows::SecondaryWindows(TForm1& form, TMinFrm& mini, TTalik& talik)
    : form_(form),
      mini_host_(std::make_unique<MiniHost>(form)),
      talik_host_(std::make_unique<TalikHost>(form)),
      list6_(std::make_unique<ListView>(talik.List(), talik.Bar())) {
    const double scale_x = ScreenScale();
    mini.Scale(scale_x, kFontRatio);
    mini.SetHost(mini_host_.get());
    mini.SetSmallPlaylist(&talik);
    mini.SetVolumePosition(form.Settings().Volume());
    talik.Scale(scale_x);
    talik.SetHost(talik_host_.get());
    // The play marks and the scroll bar's pictures of the main window's playlist.
    const controls::TCListBox& list5 = form.Controls().List(5);
    talik.List().SetMarkPictures(list5.PlayPicture(), list5.PausePicture());
    const QImage& band = form.Controls().Image(controls::Main::ImgPalkaForSkroll).Picture(1);
    const QImage& thumb = form.Controls().Image(controls::Main::ImgSkroll).Picture(1);
    if (!band.isNull() && !thumb.isNull()) {
        talik.Bar().SetPictures(band, thumb);
    }
    SyncListAndBar(talik.List(), talik.Bar());
    form.List6().SetTarget(list6_.get());
    form.Host().prepare_talik_scroller = [&form, &talik] {
        talik.Bar().SetPosition(0);
        talik.Bar().SetMax(form.Controls().ListBar(5).Max());
    };
    ConnectDisplay(form.Display().hooks, mini, talik);
    form.Display().ShowOnMini();
    form.AttachSecondaryWindows(&mini, &talik);
    form.mini_visible = [&mini] { return mini.isVisible(); };
}

SecondaryWindows::~SecondaryWindows() {
    DisplayHooks& hooks = form_.Display().hooks;
    hooks.mini_position = {};
    hooks.mini_maximum = {};
    hooks.mini_volume = {};
    hooks.mini_play_button = {};
    hooks.mini_time = {};
    hooks.mini_title_width = {};
    hooks.mini_title = {};
    hooks.restore_topmost = {};
    form_.Host().prepare_talik_scroller = {};
    form_.List6().SetTarget(nullptr);
    form_.AttachSecondaryWindows(nullptr, nullptr);
    form_.mini_visible = {};
}

void KeepOnTop(QWidget& window) {
    if (window.isVisible()) {
        window.raise();
    }
}

}  // namespace tarvel::shell

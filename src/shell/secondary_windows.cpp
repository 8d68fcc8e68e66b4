// The mini player and the small playlist window wired to the main window.
#include "shell/secondary_windows.h"

#include <QGuiApplication>
#include <QScreen>

#include "controls/bgr_color.h"
#include "controls/c_list_box.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "platform/text/unicode.h"
#include "playlists/playlist_edit.h"
#include "playlists/playlist_model.h"
#include "shell/list_view.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_window.h"
#include "shell/on_screen.h"
#include "shell/player_commands.h"
#include "shell/player_run.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "windows/mini_window.h"
#include "windows/secondary_scaling.h"
#include "windows/talik_window.h"

namespace tarvel::shell {

// The mini player's doors, one operation each.
class MiniHost : public windows::MiniPlayerHost {
  public:
    explicit MiniHost(PlayerCommands& commands) : c_(commands) {}

    int Count() const override { return c_.Count(); }
    void PlayPauseButton() override { c_.PlayPauseButton(); }
    void PlayPause() override { c_.PlayPause(); }
    void StopPlay() override { c_.Stop(); }
    void PlayNext() override { c_.Next(); }
    void PlayPrevious() override { c_.Previous(); }
    void MiniToTray() override { c_.MiniToTray(); }
    void ShowMain() override { c_.ShowMain(); }
    void CloseProgram() override { c_.Quit(); }
    void PositionBarMoved(int position) override {
        c_.SeekFromBar(transport::SeekSource::Mini, position);
    }
    void VolumeBarMoved(int position) override { c_.SetVolume(position); }
    void StepVolume(int delta) override { c_.StepVolume(delta); }

  private:
    PlayerCommands& c_;
};

// The small playlist window's doors, one operation each.
class TalikHost : public windows::SmallPlaylistHost {
  public:
    TalikHost(const playlists::PlaylistModel& playlists, PlayerCommands& commands)
        : playlists_(playlists), c_(commands) {}

    void PlayRow(int row) override { c_.PlayRow(row); }
    bool DeleteSong(int row) override { return c_.DeleteSong(row); }
    // Every drop on the small list is a move inside the playlist.
    void MoveRow(int target, int source_row) override { c_.MoveRow(target, source_row); }
    std::string RowHint(int row) const override {
        return playlists::RowHint(playlists_.Work(), row);
    }

  private:
    const playlists::PlaylistModel& playlists_;
    PlayerCommands& c_;
};

namespace {

// The main window's font ratio: its fonts are given in pixels, so they keep the design's size.
constexpr double kFontRatio = 1.0;

double ScreenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? windows::ScaleOfScreenWidth(screen->geometry().width()) : 1.0;
}

// A window to keep on top: shown and not minimised.
bool Shown(const QWidget& window) {
    return window.isVisible() && !window.isMinimized();
}

// What the mini player shows of the main window's display.
class MiniView : public DisplayView {
  public:
    explicit MiniView(TMinFrm& mini) : mini_(mini) {}

    void ShowPosition(int position) override { mini_.SetTimePosition(position); }
    void ShowPositionMaximum(int maximum) override { mini_.SetTimeMaximum(maximum); }
    void ShowVolume(int position) override { mini_.SetVolumePosition(position); }
    void ShowPlayButton(transport::ButtonLook look) override {
        mini_.SetPlayLook(look.picture, look.add_to_nom);
    }
    void ShowTime(const std::string& text) override { mini_.SetTimeText(text::ToQString(text)); }
    std::optional<int> TitleWidth() const override { return mini_.TitleWidth(); }
    void ShowTitle(const std::string& text, int x, uint32_t text_color,
                   uint32_t back_color) override {
        mini_.ShowTitle(text::ToQString(text), x, controls::ColorFromBgr(text_color),
                        controls::ColorFromBgr(back_color));
    }
    bool TitleShown() const override { return OnScreen(mini_); }
    void RestoreTopmost() override { KeepOnTop(mini_); }
    bool KeptOnTop() const override { return Shown(mini_); }

  private:
    TMinFrm& mini_;
};

// The small playlist window stays on top with the mini player.
class TalikView : public DisplayView {
  public:
    explicit TalikView(TTalik& talik) : talik_(talik) {}
    void RestoreTopmost() override { KeepOnTop(talik_); }
    bool KeptOnTop() const override { return Shown(talik_); }

  private:
    TTalik& talik_;
};

}  // namespace

SecondaryWindows::SecondaryWindows(PlayerRun& run, TMinFrm& mini, TTalik& talik)
    : run_(run),
      mini_host_(std::make_unique<MiniHost>(run.Commands())),
      talik_host_(std::make_unique<TalikHost>(run.Playlists(), run.Commands())),
      list6_(std::make_unique<ListView>(talik.List(), talik.Bar())),
      mini_view_(std::make_unique<MiniView>(mini)),
      talik_view_(std::make_unique<TalikView>(talik)) {
    const double scale_x = ScreenScale();
    mini.Scale(scale_x, kFontRatio);
    mini.SetHost(mini_host_.get());
    mini.SetSmallPlaylist(&talik);
    TForm1& form = run.Window();
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
    run.Host().prepare_talik_scroller = [&form, &talik] {
        talik.Bar().SetPosition(0);
        talik.Bar().SetMax(form.Controls().ListBar(5).Max());
    };
    form.Display().Attach(*mini_view_);
    form.Display().Attach(*talik_view_);
    MainDisplay& display = form.Display();
    WatchOnScreen(mini, [&display] { display.ShownChanged(); });
    WatchOnScreen(talik, [&display] { display.ShownChanged(); });
    run.AttachWindowStandIns(&mini, &talik);
}

SecondaryWindows::~SecondaryWindows() {
    run_.Window().Display().Detach(*mini_view_);
    run_.Window().Display().Detach(*talik_view_);
    run_.Host().prepare_talik_scroller = {};
    run_.Window().List6().SetTarget(nullptr);
    run_.AttachWindowStandIns(nullptr, nullptr);
}

void KeepOnTop(QWidget& window) {
    if (window.isVisible()) {
        window.raise();
    }
}

}  // namespace tarvel::shell

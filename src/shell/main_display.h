#pragma once

#include <QTimer>
#include <functional>
#include <optional>
#include <string>

#include "library/progress_display.h"
#include "playlists/playlist_model.h"
#include "transport/transport_display.h"

namespace tarvel::shell {

class MainControls;
class WindowStateHost;

// What the secondary windows add to the display once they are built: the mini player's bar,
// time and title strip, the spectrum, and keeping the topmost windows on top. Unset hooks do
// nothing.
struct DisplayHooks {
    std::function<void(int position)> mini_position;
    std::function<void(int maximum)> mini_maximum;
    std::function<void(int position)> mini_volume;
    std::function<void(transport::ButtonLook look)> mini_play_button;
    std::function<void(const std::string& text)> mini_time;
    std::function<int()> mini_title_width;
    std::function<void(const std::string& text, int x, uint32_t text_color, uint32_t back_color)>
        mini_title;
    std::function<void(const std::string& title)> app_title;
    std::function<void()> restore_topmost;
    std::function<bool()> spectrum_on;
    std::function<void()> draw_spectrum;
};

// The main window as the transport, the playlists and the library scan see it: bars, buttons,
// time texts, title strip, tabs, size label, gauge and the main timers. Setting a bar from here
// raises no change event.
class MainDisplay : public transport::TransportDisplay,
                    public transport::TransportTimers,
                    public playlists::PlaylistDisplay,
                    public library::ProgressDisplay {
  public:
    MainDisplay(MainControls& controls, QTimer& timer1);

    // Where the visible flags of the main window and the mini player are read; without one the
    // main window counts as visible and the mini player as hidden.
    void SetWindows(const WindowStateHost* windows) { windows_ = windows; }

    DisplayHooks hooks;
    // The module player's timer, switched with FMOD playback.
    QTimer* module_timer = nullptr;

    // transport::TransportDisplay
    void SetPosition(transport::PositionBar bar, int position) override;
    int Position(transport::PositionBar bar) const override;
    void SetPositionMaximum(int maximum) override;
    void SetVolumeBars(int position) override;
    void SetPlayButtons(transport::ButtonLook look) override;
    void HideAbMarks() override;
    void SetMainTimes(const std::string& song, const std::string& playlist) override;
    void SetMiniTime(const std::string& text) override;
    void SetAppTitle(const std::string& title) override;
    bool MainWindowVisible() const override;
    bool MiniPlayerVisible() const override;
    int MeasureTitle(const std::string& text) const override;
    int TitleStripWidth(transport::TitleStrip strip) const override;
    void DrawTitle(transport::TitleStrip strip, const std::string& text, int x, uint32_t text_color,
                   uint32_t back_color) override;
    void RestoreTopmost() override;
    bool SpectrumOn() const override;
    void DrawSpectrum() override;

    // transport::TransportTimers
    void SetTimer1(bool on) override;
    void SetModuleTimer(bool on) override;

    // playlists::PlaylistDisplay
    void ShowTab(playlists::Playlist playlist) override;
    void SetSizeText(const std::string& text) override;
    void SetRepeatButton(bool on) override;
    void ZeroTimeScrollers() override;

    // library::ProgressDisplay
    void SetBoxText(const std::string& text) override;
    void SetBoxVisible(bool visible) override;
    void RepaintBox() override;
    void SetGaugeMaximum(int64_t maximum) override;
    void SetGaugeProgress(int64_t progress) override;
    void SetGaugeVisible(bool visible) override;
    void RepaintWindow() override;

    const std::string& AppTitle() const { return app_title_; }
    const std::string& MiniTime() const { return mini_time_; }

    // Brings a mini player connected after songs were started up to date: its time bar, play
    // button and time text show what they would have been given.
    void ShowOnMini();

  private:
    MainControls& controls_;
    QTimer& timer1_;
    const WindowStateHost* windows_ = nullptr;
    int mini_position_ = 0;
    std::optional<int> mini_maximum_;
    std::optional<transport::ButtonLook> play_look_;
    std::string mini_time_;
    std::string app_title_ = "Tarvel";
};

}  // namespace tarvel::shell

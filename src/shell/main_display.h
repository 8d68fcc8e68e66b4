#pragma once

#include <QTimer>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/progress_display.h"
#include "playlists/playlist_model.h"
#include "transport/transport_display.h"

namespace tarvel::shell {

class MainControls;
class WindowStateHost;

// A window that shows part of what the main window's display shows: the mini player (its time
// and volume bars, play button, time text and title strip) and the small playlist window (kept
// on top). What a view does not show it leaves as it is.
class DisplayView {
  public:
    virtual ~DisplayView() = default;
    virtual void ShowPosition(int) {}
    virtual void ShowPositionMaximum(int) {}
    virtual void ShowVolume(int) {}
    virtual void ShowPlayButton(transport::ButtonLook) {}
    virtual void ShowTime(const std::string&) {}
    // The width of the view's title strip; none when it has no strip.
    virtual std::optional<int> TitleWidth() const { return std::nullopt; }
    virtual void ShowTitle(const std::string&, int, uint32_t, uint32_t) {}
    // The view's title strip can be seen now.
    virtual bool TitleShown() const { return false; }
    virtual void RestoreTopmost() {}
    // The view is a window kept on top, and it is shown.
    virtual bool KeptOnTop() const { return false; }
    // The application title's places besides the display's own (the window title, the tray tip).
    virtual void ShowAppTitle(const std::string&) {}
    // A view that draws the spectrum (the analyser strip) says whether it is on, and draws the
    // next frame when the display is due.
    virtual bool SpectrumOn() const { return false; }
    virtual void DrawSpectrum() {}
    // The spectrum's strip can be seen now; nothing plays into it and its bars and peaks have
    // all fallen.
    virtual bool SpectrumShown() const { return false; }
    virtual bool SpectrumAtRest() const { return true; }
};

// The main window as the transport, the playlists and the library scan see it: bars, buttons,
// time texts, title strip, tabs, size label, gauge and the main timers. Setting a bar from here
// raises no change event.
class MainDisplay : public transport::TransportDisplay,
                    public transport::TransportTimers,
                    public playlists::PlaylistDisplay,
                    public library::ProgressDisplay {
  public:
    MainDisplay(MainControls& controls, QTimer& timer1, QTimer& timer2);

    // Where the visible flags of the main window and the mini player are read; without one the
    // main window counts as visible and the mini player as hidden.
    void SetWindows(const WindowStateHost* windows) { windows_ = windows; }

    // The module player's timer, switched with FMOD playback.
    QTimer* module_timer = nullptr;

    // Told when what the views can show changes (a window shown, hidden, minimised or uncovered,
    // the analyser switched); the run passes it on to the transport.
    std::function<void()> shown_changed;
    void ShownChanged() {
        if (shown_changed) {
            shown_changed();
        }
    }

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
    bool TopmostShown() const override;
    bool SpectrumOn() const override;
    void DrawSpectrum() override;
    bool SpectrumAtRest() const override;
    bool TitleStripShown(transport::TitleStrip strip) const override;
    bool SpectrumStripShown() const override;

    // transport::TransportTimers
    void SetTimer1(bool on) override;
    void SetTimer2(bool on) override;
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

    // Attaches a view, made after songs may have started: it is shown the last state at once
    // (time bar, volume, play button, time text, application title) and follows the display from
    // then on.
    void Attach(DisplayView& view);
    void Detach(DisplayView& view);

  private:
    MainControls& controls_;
    QTimer& timer1_;
    QTimer& timer2_;
    const WindowStateHost* windows_ = nullptr;
    template <typename Show>
    void ForViews(Show&& show) {
        for (DisplayView* view : views_) {
            show(*view);
        }
    }
    template <typename Ask>
    bool AnyView(Ask&& ask) const {
        return std::any_of(views_.begin(), views_.end(),
                           [&ask](const DisplayView* view) { return ask(*view); });
    }

    std::vector<DisplayView*> views_;
    int mini_position_ = 0;
    std::optional<int> volume_;
    std::optional<int> mini_maximum_;
    std::optional<transport::ButtonLook> play_look_;
    std::string mini_time_;
    std::string app_title_ = "Tarvel";
};

}  // namespace tarvel::shell

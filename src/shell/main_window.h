#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "shell/layout_rules.h"
#include "shell/main_layout.h"

namespace tarvel {

namespace audio {
class CBassEngine;
}

namespace shell {
class AnalyserStrip;
class MainControls;
class MainDisplay;
struct MainMenus;
class ListView;
class ListViewSlot;
class LibraryPanels;
class PlayerCommands;
class StartupPrefetch;
struct PlaylistPanelParts;
}  // namespace shell

// The main window: borderless, its look made entirely of skin pictures. It is a view of the run
// (shell::PlayerRun): its controls and layout, its menus, its keyboard and wheel routing and the
// display the transport, the playlists and the library draw on. Every handler calls one operation
// of the run's command surface. Its concerns are split over the files of shell/: controls and
// layout (main_controls, edge_drags, artist_panel_mode), handlers and menus (main_handlers,
// main_menus), keyboard and wheel routing (input_routing).
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kDesignWidth = shell::kDesignClientWidth;
    static constexpr int kDesignHeight = shell::kDesignClientHeight;

    // Makes the controls with their skin (from the prefetch when one is given), the display and
    // the library panels. The analyser strip draws what the BASS engine gives it.
    TForm1(shell::PlayerCommands& commands, config::Settings& settings, audio::CBassEngine& bass,
           std::string app_dir, shell::StartupPrefetch* prefetch = nullptr);
    ~TForm1() override;

    // Wires the buttons, bars, menus, keys and the playlist panel to the command surface, once
    // the run's playing core exists; before, the window's input is not acted on.
    void ConnectControls(const shell::PlaylistPanelParts& playlist);

    shell::MainControls& Controls() { return *controls_; }
    shell::MainDisplay& Display() { return *display_; }
    // The menus are made at their first use, from the settings as they are then.
    shell::MainMenus& Menus();
    shell::Layout& CurrentLayout() { return layout_; }
    // The playlist ListBox5, and where the small playlist window plugs in its list ListBox6.
    shell::ListView& List5() { return *list5_; }
    shell::ListViewSlot& List6() { return *list6_; }
    // The library panels: the browser, the search and the command box.
    shell::LibraryPanels& LibraryPanels() { return *library_panels_; }

    // Switches the artist panels to one panel (incorporated) or two; false (nothing done) when
    // the mode is already shown. The panels are filled again by the run.
    bool SetArtistPanelMode(bool incorporated);
    bool TwoArtistPanels() const;
    // The saved widening and heightening of the window, applied at start-up.
    void ApplySavedSize(int delta_width, int delta_height);
    // FitWindow: the window's size and its rounded outline from the layout.
    void FitWindow();
    // Moves every control to the current layout.
    void ApplyLayout();
    void MoveWindow();
    // The spectrum switch ImgAn, and whether the spectrum is on.
    void ImgAnClick();
    bool SpectrumOn() const;

    QTimer Timer1;
    QTimer Timer2;
    QTimer Timer3;

  signals:
    // The window is being closed by any means: the run saves and stops (once).
    void Closing();
    // The window was closed by any means; the run ends.
    void Closed();
    // The desktop minimised the window.
    void Minimised();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void FormCreate(shell::StartupPrefetch* prefetch);
    void BuildMenus();
    void ConnectEdgeDrags();
    bool EdgeEvent(QObject* watched, QEvent* event);
    void OnClick(controls::Main button, std::function<void()> handler);
    void OnPress(controls::Main control, std::function<void(QMouseEvent*)> handler);
    // Keyboard routing: every key of the window is seen here first.
    bool FormKeyDown(QKeyEvent& event);
    bool FormKeyPress(QKeyEvent& event);
    void MouseWheel(const QPoint& global, bool down);

    shell::PlayerCommands& commands_;
    config::Settings& settings_;
    audio::CBassEngine& bass_;
    std::string app_dir_;

    std::unique_ptr<shell::MainControls> controls_;
    std::unique_ptr<shell::MainDisplay> display_;
    std::unique_ptr<shell::MainMenus> menus_;
    std::unique_ptr<shell::ListView> list5_;
    std::unique_ptr<shell::ListViewSlot> list6_;
    std::unique_ptr<shell::LibraryPanels> library_panels_;
    shell::AnalyserStrip* spectrum_ = nullptr;  // owned by PaintFrame
    bool connected_ = false;

    shell::Layout design_layout_;
    shell::Layout layout_;
    shell::EdgeDrag drag_;
    bool dragging_ = false;
    bool closed_ = false;
};

}  // namespace tarvel

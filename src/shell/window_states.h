#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/desktop/desktop.h"

// Which of the player's windows the user sees: the main window, the mini player, or neither while
// the application sits in the tray, and the hotkeys that move between them.
namespace tarvel::shell {

// What the window-state rules ask of the windows; the main window implements it.
class WindowStateHost {
  public:
    virtual ~WindowStateHost() = default;

    // The visible flags of the main window and the mini player: set by Show..., cleared by
    // Hide.... Going to the tray hides the main window's native window only, so a main window in
    // the tray still counts as visible here.
    virtual bool MainVisible() const = 0;
    virtual bool MiniVisible() const = 0;

    // Showing the main window shows its native window too.
    virtual void ShowMain() = 0;
    virtual void HideMain() = 0;
    // The main window's native window and its taskbar entry, leaving the visible flag as it is:
    // hidden for the tray, and shown again (not minimised) when coming back.
    virtual void HideMainNative() = 0;
    virtual void RestoreMainNative() = 0;
    // In place of the tray where the desktop has none, so the user can always come back through
    // the taskbar: minimises the main window, or shows the mini player minimised when `mini`.
    virtual void MinimiseInstead(bool mini) = 0;
    virtual void BringMainToFront() = 0;
    // Shows every visible windowed control of the main window again (the first restore).
    virtual void ShowWindowedChildren() = 0;
    // Pops up the tray menu (restore, exit) at a screen point.
    virtual void PopUpTrayMenu(desktop::ScreenPoint at) = 0;

    // Showing the mini player brings it back from minimised too.
    virtual void ShowMini() = 0;
    virtual void HideMini() = 0;
    // The small playlist window that drops down under the mini player.
    virtual void HideTalik() = 0;
    // The small playlist's scroll bar: position 0, maximum the main playlist bar's
    // (KVRScrollerVr5) maximum.
    virtual void PrepareTalikScroller() = 0;

    // The application title (Windows-1251 text): the song and its time while one plays.
    virtual std::string AppTitle() const = 0;

    // The transport's operations. StepVolume moves the volume bar by delta within 0..771.
    virtual void StepVolume(int delta) = 0;
    virtual void PlayNext() = 0;
    virtual void PlayPrevious() = 0;
    virtual void PlayPause() = 0;
};

// The tray icon's tip for an application title (Windows-1251): its first 63 characters, as
// UTF-8 for the desktop.
std::string TrayTip(std::string_view title);

// The window states and their changes. Double clicks on the tray icon restore, a right click pops
// up the tray menu: both are connected to the desktop on construction.
class WindowStates {
  public:
    static constexpr int kVolumeStep = 10;

    WindowStates(WindowStateHost& host, desktop::Desktop& desktop);

    // Hides the main window's native window and shows the tray icon with the application title as
    // its tip; where the desktop has no tray, minimises instead.
    void ToTray();
    // Back from the tray: the main window, or the mini player when RestoreToMini.
    void RestoreFromTray();
    // The main window gives way to the mini player (ImgMini, Win+PageUp).
    void SwitchToMini();
    // The main window's tray button: to the tray, coming back as the main window.
    void MainToTray();
    // The mini player's way to the tray (its tray button, Alt+Down, Win+PageDown): the mini
    // player and the small playlist go, and the mini player is what comes back.
    void MiniToTray();
    // The desktop minimised the main window: to the tray where there is one, coming back as the
    // main window (even when the mini player came back last time); otherwise it simply stays
    // minimised.
    void MainMinimised();
    // A new application title: the tip of a tray icon shown follows it.
    void AppTitleChanged(std::string_view title);

    // Runs a hotkey's operation: the error report's boundary in the program (an operation's
    // AppError is reported, the program goes on), a plain call in tests.
    using HotkeyBoundary = std::function<void(const std::function<void()>& operation)>;
    // Registers the eight hotkeys with HotkeyDispatch, run inside the boundary, as their handler.
    void RegisterHotkeys(HotkeyBoundary boundary = nullptr);
    // Hotkey n (1..8: Super+Up, Down, Right, Left, Space, PageUp, PageDown, Home); others are
    // ignored.
    void HotkeyDispatch(int n);

    bool RestoreToMini() const { return restore_to_mini_; }
    bool FirstRestoreDone() const { return first_restore_done_; }
    bool InTray() const { return icon_shown_; }

  private:
    WindowStateHost& host_;
    desktop::Desktop& desktop_;
    bool restore_to_mini_ = false;
    bool first_restore_done_ = false;
    bool icon_shown_ = false;
};

}  // namespace tarvel::shell

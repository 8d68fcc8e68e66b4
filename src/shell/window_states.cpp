#include "shell/window_states.h"

#include "platform/text/unicode.h"

namespace tarvel::shell {
namespace {

// The tip field of the tray icon holds 64 characters with its terminating zero.
constexpr size_t kTipCharacters = 63;

}  // namespace

std::string TrayTip(std::string_view title) {
    return std::string(text::FirstChars(title, kTipCharacters));
}

WindowStates::WindowStates(WindowStateHost& host, desktop::Desktop& desktop)
    : host_(host), desktop_(desktop) {
    desktop_.OnTrayDoubleClick([this] { RestoreFromTray(); });
    desktop_.OnTrayRightClick([this](desktop::ScreenPoint at) {
        host_.BringMainToFront();
        host_.PopUpTrayMenu(at);
    });
}

void WindowStates::ToTray() {
    if (!desktop_.TrayAvailable()) {
        host_.MinimiseInstead(restore_to_mini_);
        return;
    }
    host_.HideMainNative();
    desktop_.AddTrayIcon(TrayTip(host_.AppTitle()));
    icon_shown_ = true;
}

void WindowStates::RestoreFromTray() {
    if (!restore_to_mini_) {
        host_.RestoreMainNative();
    }
    if (!first_restore_done_) {
        host_.ShowWindowedChildren();
        first_restore_done_ = true;
    }
    desktop_.DeleteTrayIcon();
    icon_shown_ = false;
    if (restore_to_mini_) {
        host_.HideMain();
        host_.ShowMini();
    }
}

void WindowStates::SwitchToMini() {
    // From the tray (Win+PageUp) the application is no longer there: an icon left behind
    // would bring the main window back beside the mini player.
    if (icon_shown_) {
        desktop_.DeleteTrayIcon();
        icon_shown_ = false;
    }
    host_.PrepareTalikScroller();
    host_.ShowMini();
    host_.HideMain();
}

void WindowStates::MainToTray() {
    restore_to_mini_ = false;
    ToTray();
}

void WindowStates::MiniToTray() {
    host_.HideTalik();
    host_.HideMini();
    restore_to_mini_ = true;
    ToTray();
}

void WindowStates::MainMinimised() {
    // Only a main window that is shown can be minimised, so it is the one to come back, whatever
    // window came back from the tray last time.
    restore_to_mini_ = false;
    if (desktop_.TrayAvailable()) {
        ToTray();
    }
}

void WindowStates::AppTitleChanged(std::string_view title) {
    if (icon_shown_) {
        desktop_.SetTrayTip(TrayTip(title));
    }
}

void WindowStates::RegisterHotkeys(HotkeyBoundary boundary) {
    desktop_.RegisterHotkeys([this, boundary = std::move(boundary)](int n) {
        if (boundary) {
            boundary([this, n] { HotkeyDispatch(n); });
        } else {
            HotkeyDispatch(n);
        }
    });
}

void WindowStates::HotkeyDispatch(int n) {
    switch (n) {
        case desktop::kHotkeyUp:
            host_.StepVolume(kVolumeStep);
            break;
        case desktop::kHotkeyDown:
            host_.StepVolume(-kVolumeStep);
            break;
        case desktop::kHotkeyRight:
            host_.PlayNext();
            break;
        case desktop::kHotkeyLeft:
            host_.PlayPrevious();
            break;
        case desktop::kHotkeySpace:
            host_.PlayPause();
            break;
        case desktop::kHotkeyPageUp:
            if (host_.MainVisible() && !host_.MiniVisible()) {
                SwitchToMini();
            }
            if (!host_.MainVisible() && !host_.MiniVisible()) {
                RestoreFromTray();
            }
            break;
        case desktop::kHotkeyPageDown:
            if (host_.MainVisible()) {
                MainToTray();
            }
            if (host_.MiniVisible()) {
                MiniToTray();
            }
            break;
        case desktop::kHotkeyHome:
            RestoreFromTray();
            host_.HideTalik();
            host_.ShowMain();
            host_.HideMini();
            host_.BringMainToFront();
            break;
        default:
            break;
    }
}

}  // namespace tarvel::shell

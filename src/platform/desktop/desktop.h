#pragma once

#include <functional>
#include <memory>
#include <string>

// The desktop around the player: the eight system-wide hotkeys and the tray icon. The program gets
// one Desktop object; tests use the recording fake. Texts are UTF-8.
namespace tarvel::desktop {

// The hotkeys' numbers, all with the Super (Windows) key held.
enum Hotkey : int {
    kHotkeyUp = 1,
    kHotkeyDown = 2,
    kHotkeyRight = 3,
    kHotkeyLeft = 4,
    kHotkeySpace = 5,
    kHotkeyPageUp = 6,
    kHotkeyPageDown = 7,
    kHotkeyHome = 8,
};

// A point on the screen, in the desktop's pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class Desktop {
  public:
    using HotkeyHandler = std::function<void(int hotkey)>;

    virtual ~Desktop() = default;

    // Grabs Super+Up, Down, Right, Left, Space, PageUp, PageDown and Home for the whole desktop
    // as hotkeys 1 to 8 (see Hotkey) and calls the handler with the number on the user-interface
    // thread, after the event that brought the key has been handled. A second call replaces the
    // first registration. A combination another program holds already simply never arrives.
    // Returns at once; the way the keys come may be settled a moment later (the desktop portal
    // is asked without waiting), so keys can begin to arrive only then. False when the desktop
    // is sure to offer no global keys at all (then nothing arrives).
    virtual bool RegisterHotkeys(HotkeyHandler handler) = 0;
    // Gives every grab back; nothing arrives afterwards.
    virtual void UnregisterHotkeys() = 0;

    // Whether the desktop shows tray icons at all.
    virtual bool TrayAvailable() const = 0;
    // Shows the one tray icon (the application's icon) with a tip; a second call changes the tip.
    virtual void AddTrayIcon(const std::string& tip) = 0;
    virtual void DeleteTrayIcon() = 0;
    // Changes the tip of the icon shown; nothing when no icon is shown.
    virtual void SetTrayTip(const std::string& tip) = 0;
    // What a double click with the left button and a press of the right button on the icon do;
    // both run on the user-interface thread.
    virtual void OnTrayDoubleClick(std::function<void()> handler) = 0;
    virtual void OnTrayRightClick(std::function<void(ScreenPoint)> handler) = 0;
};

// The desktop of the program: real hotkeys (the desktop portal's global shortcuts where the
// session bus offers them, else X11 key grabs; which one, or that neither, is said on stderr) and
// the real tray icon. With TARVEL_PLATFORM=fake the tray is recorded instead
// (one line a call appended to the file TARVEL_PLATFORM_LOG, a tray counted as available), while
// the hotkeys stay real, so that end-to-end runs can press them on their own X server.
std::unique_ptr<Desktop> CreateDesktop();

}  // namespace tarvel::desktop

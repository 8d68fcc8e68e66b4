#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/desktop/system_hotkeys.h"

namespace tarvel::desktop {

// Records every call instead of reaching the desktop: one line a call, fields separated by tabs
// ("AddTrayIcon\ttip"), kept in Calls() and appended to a log file when one is named. A test fires
// the hotkeys and the tray clicks itself. Given real hotkeys, it registers them as well, so real
// key presses arrive too.
class FakeDesktop : public Desktop {
  public:
    explicit FakeDesktop(std::string log_path = {},
                         std::unique_ptr<SystemHotkeys> real_hotkeys = {});

    const std::vector<std::string>& Calls() const { return calls_; }
    void SetTrayAvailable(bool available) { tray_available_ = available; }
    bool IconShown() const { return icon_shown_; }
    const std::string& Tip() const { return tip_; }

    // A hotkey as the desktop would deliver it: nothing arrives while none is registered.
    void FireHotkey(int hotkey);
    void FireTrayDoubleClick();
    void FireTrayRightClick(ScreenPoint at);

    bool RegisterHotkeys(HotkeyHandler handler) override;
    void UnregisterHotkeys() override;
    bool TrayAvailable() const override { return tray_available_; }
    void AddTrayIcon(const std::string& tip) override;
    void DeleteTrayIcon() override;
    void SetTrayTip(const std::string& tip) override;
    void OnTrayDoubleClick(std::function<void()> handler) override;
    void OnTrayRightClick(std::function<void(ScreenPoint)> handler) override;

  private:
    void Record(const std::string& line);

    std::string log_path_;
    std::unique_ptr<SystemHotkeys> real_hotkeys_;
    std::vector<std::string> calls_;
    HotkeyHandler hotkey_handler_;
    std::function<void()> on_double_click_;
    std::function<void(ScreenPoint)> on_right_click_;
    bool tray_available_ = true;
    bool icon_shown_ = false;
    std::string tip_;
};

}  // namespace tarvel::desktop

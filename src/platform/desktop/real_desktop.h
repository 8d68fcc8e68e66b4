#pragma once

#include <QSystemTrayIcon>
#include <memory>

#include "platform/desktop/desktop.h"
#include "platform/desktop/system_hotkeys.h"

namespace tarvel::desktop {

// The desktop for real: the desktop portal's shortcuts or X11 key grabs for the hotkeys and a
// QSystemTrayIcon with the application's icon (a drawn one while the application has none).
class RealDesktop : public Desktop {
  public:
    RealDesktop();
    ~RealDesktop() override;

    bool RegisterHotkeys(HotkeyHandler handler) override;
    void UnregisterHotkeys() override;

    bool TrayAvailable() const override;
    void AddTrayIcon(const std::string& tip) override;
    void DeleteTrayIcon() override;
    void SetTrayTip(const std::string& tip) override;
    void OnTrayDoubleClick(std::function<void()> handler) override;
    void OnTrayRightClick(std::function<void(ScreenPoint)> handler) override;

  private:
    SystemHotkeys hotkeys_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::function<void()> on_double_click_;
    std::function<void(ScreenPoint)> on_right_click_;
};

// The application's window icon, or one drawn in the title strip's colour with a white play sign
// when the application has none.
QIcon ApplicationIcon();

}  // namespace tarvel::desktop

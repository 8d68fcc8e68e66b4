#pragma once

#include <memory>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/desktop/portal_hotkeys.h"
#include "platform/desktop/x11_hotkeys.h"

namespace tarvel::desktop {

// The hotkeys by whichever way the desktop offers: the desktop portal's global shortcuts when
// the session bus has them (Wayland desktops, where key grabs do nothing), else X11 key grabs.
// Says on stderr which way is in use, or that neither is; again only when that changes. When
// the portal refuses the shortcuts, the key grabs are tried instead.
class SystemHotkeys {
  public:
    SystemHotkeys() = default;
    SystemHotkeys(const SystemHotkeys&) = delete;
    SystemHotkeys& operator=(const SystemHotkeys&) = delete;

    enum class Way { kNone, kPortal, kX11 };

    // False when neither way is available (then nothing arrives at all).
    bool Register(Desktop::HotkeyHandler handler);
    void Unregister();
    // The way the hotkeys come now; the portal's until it refuses them.
    Way InUse() const { return in_use_; }

  private:
    bool RegisterX11();
    // Says a line on stderr unless it was the last one said.
    void SayOnce(const std::string& line);

    std::unique_ptr<PortalHotkeys> portal_;
    X11Hotkeys x11_;
    Desktop::HotkeyHandler handler_;
    Way in_use_ = Way::kNone;
    std::string said_;
};

}  // namespace tarvel::desktop

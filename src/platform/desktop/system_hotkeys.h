#pragma once

#include <QDBusPendingCallWatcher>
#include <memory>
#include <string>

#include "platform/desktop/desktop.h"
#include "platform/desktop/portal_hotkeys.h"
#include "platform/desktop/x11_hotkeys.h"

namespace tarvel::desktop {

// The hotkeys by whichever way the desktop offers: the desktop portal's global shortcuts when
// the session bus has them (Wayland desktops, where key grabs do nothing), else X11 key grabs.
// Whether the portal is there is asked without waiting, so that the program's start goes on:
// the answer picks the way a moment later, or the key grabs when none comes in three seconds.
// Says on stderr which way is in use, or that neither is, once the way is known; again only
// when that changes. When the portal refuses the shortcuts, the key grabs are tried instead.
class SystemHotkeys {
  public:
    SystemHotkeys() = default;
    SystemHotkeys(const SystemHotkeys&) = delete;
    SystemHotkeys& operator=(const SystemHotkeys&) = delete;

    enum class Way { kNone, kPending, kPortal, kX11 };

    // Returns at once. True when a way may come: the portal is being asked, or the key grabs
    // are in place. False when there is no bus to ask and no key grabs (then nothing arrives).
    bool Register(Desktop::HotkeyHandler handler);
    // Gives the hotkeys back; a pending answer of the portal is dropped unread.
    void Unregister();
    // The way the hotkeys come now: kPending while the portal's answer is awaited, the
    // portal's until it refuses them.
    Way InUse() const { return in_use_; }

  private:
    void Answered(const QDBusPendingCall& answer);
    void RegisterPortal();
    bool RegisterX11();
    // Says a line on stderr unless it was the last one said.
    void SayOnce(const std::string& line);

    std::unique_ptr<PortalHotkeys> portal_;
    X11Hotkeys x11_;
    Desktop::HotkeyHandler handler_;
    Way in_use_ = Way::kNone;
    std::string said_;
    // The portal's pending answer whether it offers global shortcuts; the first member to go.
    std::unique_ptr<QDBusPendingCallWatcher> asking_;
};

}  // namespace tarvel::desktop

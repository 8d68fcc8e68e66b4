#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <vector>

#include "platform/desktop/desktop.h"

struct xcb_connection_t;

namespace tarvel::desktop {

// The hotkeys as X11 key grabs on the root windows of Qt's own X connection: each key with the
// Super modifier, and again with Caps Lock and Num Lock in every combination, since the X server
// matches the modifier state exactly. The key presses reach Qt's event queue like any other
// event; a native event filter takes them out and hands the hotkey's number on.
class X11Hotkeys : public QAbstractNativeEventFilter {
  public:
    X11Hotkeys() = default;
    ~X11Hotkeys() override;
    X11Hotkeys(const X11Hotkeys&) = delete;
    X11Hotkeys& operator=(const X11Hotkeys&) = delete;

    // False when the application does not run on X11.
    bool Register(Desktop::HotkeyHandler handler);
    void Unregister();

    bool nativeEventFilter(const QByteArray& event_type, void* message, qintptr* result) override;

  private:
    struct Grab {
        uint32_t root = 0;
        uint8_t keycode = 0;
        uint16_t modifiers = 0;
        int hotkey = 0;
    };

    // The hotkey a key event stands for, or 0.
    int HotkeyOf(uint32_t root, uint8_t keycode, uint16_t state) const;

    xcb_connection_t* connection_ = nullptr;
    std::vector<Grab> grabs_;
    uint16_t super_mask_ = 0;
    // Caps Lock and Num Lock: held or not, the hotkey is the same.
    uint16_t lock_mask_ = 0;
    Desktop::HotkeyHandler handler_;
    bool filtering_ = false;
    // Owner of the queued calls of the handler: they die with this object.
    QObject calls_;
};

}  // namespace tarvel::desktop

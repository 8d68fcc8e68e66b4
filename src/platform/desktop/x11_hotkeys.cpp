#include "platform/desktop/x11_hotkeys.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QtGui/qguiapplication_platform.h>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

namespace tarvel::desktop {
namespace {

struct HotkeyKey {
    int hotkey;
    xcb_keysym_t keysym;
};

// X11 keysyms of the eight keys, in the order of their numbers.
constexpr std::array<HotkeyKey, 8> kKeys{{
    {kHotkeyUp, 0xff52},        // Up
    {kHotkeyDown, 0xff54},      // Down
    {kHotkeyRight, 0xff53},     // Right
    {kHotkeyLeft, 0xff51},      // Left
    {kHotkeySpace, 0x0020},     // space
    {kHotkeyPageUp, 0xff55},    // Prior
    {kHotkeyPageDown, 0xff56},  // Next
    {kHotkeyHome, 0xff50},      // Home
}};

constexpr xcb_keysym_t kSuperL = 0xffeb;
constexpr xcb_keysym_t kSuperR = 0xffec;
constexpr xcb_keysym_t kNumLock = 0xff7f;

// The eight modifier bits of a key event's state (the rest are mouse buttons).
constexpr uint16_t kModifierBits = 0xff;

struct KeySymbolsFree {
    void operator()(xcb_key_symbols_t* s) const { xcb_key_symbols_free(s); }
};
using KeySymbols = std::unique_ptr<xcb_key_symbols_t, KeySymbolsFree>;

struct MallocFree {
    void operator()(void* p) const { std::free(p); }
};

// Every keycode that carries the keysym in the current keyboard map.
std::vector<xcb_keycode_t> KeycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym) {
    std::vector<xcb_keycode_t> codes;
    const std::unique_ptr<xcb_keycode_t, MallocFree> list(
        xcb_key_symbols_get_keycode(symbols, keysym));
    for (const xcb_keycode_t* k = list.get(); k != nullptr && *k != XCB_NO_SYMBOL; ++k) {
        codes.push_back(*k);
    }
    return codes;
}

// The modifier bits whose keys include one of the keysyms (0 when none does).
uint16_t ModifierMaskOf(xcb_connection_t* c, xcb_key_symbols_t* symbols,
                        std::initializer_list<xcb_keysym_t> keysyms) {
    std::vector<xcb_keycode_t> wanted;
    for (xcb_keysym_t keysym : keysyms) {
        const auto codes = KeycodesOf(symbols, keysym);
        wanted.insert(wanted.end(), codes.begin(), codes.end());
    }
    const std::unique_ptr<xcb_get_modifier_mapping_reply_t, MallocFree> reply(
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!reply) {
        return 0;
    }
    const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(reply.get());
    const int per_modifier = reply->keycodes_per_modifier;
    uint16_t mask = 0;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < per_modifier; ++i) {
            const xcb_keycode_t code = map[modifier * per_modifier + i];
            for (xcb_keycode_t w : wanted) {
                if (code != 0 && code == w) {
                    mask |= static_cast<uint16_t>(1u << modifier);
                }
            }
        }
    }
    return mask;
}

}  // namespace

X11Hotkeys::~X11Hotkeys() {
    Unregister();
}

bool X11Hotkeys::Register(Desktop::HotkeyHandler handler) {
    Unregister();
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    xcb_connection_t* c = x11 != nullptr ? x11->connection() : nullptr;
    if (c == nullptr || xcb_connection_has_error(c) != 0) {
        return false;
    }
    connection_ = c;
    handler_ = std::move(handler);

    const KeySymbols symbols(xcb_key_symbols_alloc(c));
    super_mask_ = ModifierMaskOf(c, symbols.get(), {kSuperL, kSuperR});
    if (super_mask_ == 0) {
        super_mask_ = XCB_MOD_MASK_4;  // where the Super keys sit on nearly every keyboard map
    }
    lock_mask_ = XCB_MOD_MASK_LOCK | ModifierMaskOf(c, symbols.get(), {kNumLock});
    std::vector<uint16_t> lock_variants;
    const auto num_lock = static_cast<uint16_t>(lock_mask_ & ~XCB_MOD_MASK_LOCK);
    for (uint16_t locks : {uint16_t{0}, uint16_t{XCB_MOD_MASK_LOCK}, num_lock, lock_mask_}) {
        if (std::find(lock_variants.begin(), lock_variants.end(), locks) == lock_variants.end()) {
            lock_variants.push_back(locks);  // Num Lock absent from the map: the variants repeat
        }
    }

    std::vector<xcb_void_cookie_t> cookies;
    for (auto roots = xcb_setup_roots_iterator(xcb_get_setup(c)); roots.rem != 0;
         xcb_screen_next(&roots)) {
        const xcb_window_t root = roots.data->root;
        for (const HotkeyKey& key : kKeys) {
            for (xcb_keycode_t code : KeycodesOf(symbols.get(), key.keysym)) {
                for (uint16_t locks : lock_variants) {
                    const auto modifiers = static_cast<uint16_t>(super_mask_ | locks);
                    grabs_.push_back({root, code, modifiers, key.hotkey});
                    cookies.push_back(xcb_grab_key_checked(
                        c, 0, root, modifiers, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
                }
            }
        }
    }
    // The grabs report to the root window whichever window has the focus, our own ones too.
    // Waiting for every answer makes the grabs active when this returns. A grab refused because
    // another program holds the combination is left as it is: that key never arrives here.
    for (xcb_void_cookie_t cookie : cookies) {
        std::free(xcb_request_check(c, cookie));
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    filtering_ = true;
    return true;
}

void X11Hotkeys::Unregister() {
    handler_ = nullptr;
    if (QCoreApplication::instance() == nullptr) {
        // The application and its X connection are gone; the server dropped the grabs with it.
        grabs_.clear();
        filtering_ = false;
        return;
    }
    if (filtering_) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        filtering_ = false;
    }
    if (connection_ != nullptr && !grabs_.empty()) {
        for (const Grab& g : grabs_) {
            xcb_ungrab_key(connection_, g.keycode, g.root, g.modifiers);
        }
        // A round trip: the server has given the keys back before this returns, so another
        // program asking for them right after is not refused.
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }
    grabs_.clear();
}

int X11Hotkeys::HotkeyOf(uint32_t root, uint8_t keycode, uint16_t state) const {
    const auto modifiers = static_cast<uint16_t>(state & kModifierBits & ~lock_mask_);
    for (const Grab& g : grabs_) {
        if (g.root == root && g.keycode == keycode && modifiers == super_mask_) {
            return g.hotkey;
        }
    }
    return 0;
}

bool X11Hotkeys::nativeEventFilter(const QByteArray& event_type, void* message, qintptr*) {
    if (event_type != "xcb_generic_event_t" || message == nullptr) {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) {
        return false;
    }
    // Press and release share one layout.
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->event != key->root) {
        return false;  // a key typed into one of our own windows
    }
    const int hotkey = HotkeyOf(key->root, key->detail, key->state);
    if (hotkey == 0) {
        return false;
    }
    if (type == XCB_KEY_PRESS && handler_) {
        // Run after this event is done, so that a handler may open a menu or a message box.
        QMetaObject::invokeMethod(
            &calls_,
            [this, hotkey] {
                if (handler_) {
                    handler_(hotkey);
                }
            },
            Qt::QueuedConnection);
    }
    return true;
}

}  // namespace tarvel::desktop

#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <array>
#include <functional>

#include "platform/desktop/desktop.h"

namespace tarvel::desktop {

// The desktop portal's service, its object and the interface for global shortcuts.
inline constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
inline constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
inline constexpr const char* kShortcutsInterface = "org.freedesktop.portal.GlobalShortcuts";

// One shortcut as BindShortcuts takes it and its answer gives it back: D-Bus type (sa{sv}).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
using PortalShortcuts = QList<PortalShortcut>;
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);
// Makes the type known to Qt DBus; safe to call more than once.
void RegisterPortalTypes();

// What the portal knows a hotkey by: its id, the text the desktop shows the user, and the trigger
// asked for in the notation of the desktop's shortcut settings (LOGO is the Super key).
struct PortalHotkey {
    int hotkey;
    const char* id;
    const char* description;
    const char* trigger;
};
inline constexpr std::array<PortalHotkey, 8> kPortalHotkeys{{
    {kHotkeyUp, "volume-up", "Volume up", "LOGO+Up"},
    {kHotkeyDown, "volume-down", "Volume down", "LOGO+Down"},
    {kHotkeyRight, "next", "Next song", "LOGO+Right"},
    {kHotkeyLeft, "previous", "Previous song", "LOGO+Left"},
    {kHotkeySpace, "play-pause", "Play or pause", "LOGO+space"},
    {kHotkeyPageUp, "mini-player", "Mini player (or back from the tray)", "LOGO+Page_Up"},
    {kHotkeyPageDown, "to-tray", "Hide in the tray", "LOGO+Page_Down"},
    {kHotkeyHome, "main-window", "Show the main window", "LOGO+Home"},
}};

// The hotkeys as shortcuts of the desktop portal, the way to global keys on Wayland desktops,
// where no program may grab keys. Register opens a session and binds the eight shortcuts, each a
// request whose result comes later in a Response signal; Activated signals of the session then
// hand the hotkey's number to the handler on the user-interface thread.
class PortalHotkeys : public QObject {
    Q_OBJECT
  public:
    explicit PortalHotkeys(QDBusConnection bus);
    ~PortalHotkeys() override;

    // Asks whether the bus has a portal with the global shortcuts interface, without waiting:
    // the portal (which the bus may first have to start) answers later, or after three seconds
    // the call ends as failed. OfferedIn reads the finished call: true only for an answer that
    // names the interface.
    static QDBusPendingCall AskOffered(const QDBusConnection& bus);
    static bool OfferedIn(const QDBusPendingCall& answer);

    // Replaces any earlier registration. When the portal refuses the session or the shortcuts,
    // or a call fails, nothing arrives and on_failure hears why (once, from the event loop).
    void Register(Desktop::HotkeyHandler handler, std::function<void(const QString&)> on_failure);
    // Closes the session; nothing arrives afterwards.
    void Unregister();

  private slots:
    void OnResponse(uint response, const QVariantMap& results, const QDBusMessage& message);
    // Takes the whole message and reads the arguments itself: a slot with the typed arguments
    // was refused by Qt DBus in the program (connect returned false), though not in tests.
    void OnActivated(const QDBusMessage& message);

  private:
    enum class Step { kIdle, kCreatingSession, kBinding, kBound };

    // Calls a method of the portal that answers with a request handle; its Response signal is
    // listened for on the handle's path before the call goes out, so that it cannot be missed.
    void Request(const char* method, const QList<QVariant>& arguments, const QString& token,
                 Step step);
    void ListenForResponse(const QString& path, bool listen);
    void Fail(const QString& reason);
    QString NewToken(const char* what);

    QDBusConnection bus_;
    Desktop::HotkeyHandler handler_;
    std::function<void(const QString&)> on_failure_;
    Step step_ = Step::kIdle;
    QString request_path_;
    QString session_path_;
    bool listening_activated_ = false;
};

}  // namespace tarvel::desktop

Q_DECLARE_METATYPE(tarvel::desktop::PortalShortcut)

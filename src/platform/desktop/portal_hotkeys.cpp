#include "platform/desktop/portal_hotkeys.h"

#include <QCoreApplication>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaObject>
#include <atomic>

namespace tarvel::desktop {
namespace {

constexpr const char* kRequestInterface = "org.freedesktop.portal.Request";
constexpr const char* kSessionInterface = "org.freedesktop.portal.Session";
constexpr int kOfferedTimeoutMs = 3000;

// The portal names a request's object after the caller's unique bus name (":1.42" -> "1_42")
// and the token the caller chose.
QString RequestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService();
    sender.remove(0, sender.startsWith(':') ? 1 : 0);
    sender.replace('.', '_');
    return QString("%1/request/%2/%3").arg(kPortalPath, sender, token);
}

// The session handle of CreateSession's results: a string in the interface's description, an
// object path from some portals.
QString SessionHandleOf(const QVariantMap& results) {
    const QVariant handle = results.value("session_handle");
    if (handle.metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        return handle.value<QDBusObjectPath>().path();
    }
    return handle.toString();
}

PortalShortcuts WantedShortcuts() {
    PortalShortcuts shortcuts;
    for (const PortalHotkey& key : kPortalHotkeys) {
        shortcuts.push_back({key.id,
                             {{"description", QString::fromUtf8(key.description)},
                              {"preferred_trigger", QString::fromUtf8(key.trigger)}}});
    }
    return shortcuts;
}

}  // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

void RegisterPortalTypes() {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<PortalShortcuts>();
}

PortalHotkeys::PortalHotkeys(QDBusConnection bus) : bus_(std::move(bus)) {
    RegisterPortalTypes();
}

PortalHotkeys::~PortalHotkeys() {
    Unregister();
}

QDBusPendingCall PortalHotkeys::AskOffered(const QDBusConnection& bus) {
    const QDBusMessage introspect = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, "org.freedesktop.DBus.Introspectable", "Introspect");
    return bus.asyncCall(introspect, kOfferedTimeoutMs);
}

bool PortalHotkeys::OfferedIn(const QDBusPendingCall& answer) {
    const QDBusPendingReply<QString> xml = answer;
    return xml.isValid() &&
           xml.value().contains(QString("<interface name=\"%1\"").arg(kShortcutsInterface));
}

QString PortalHotkeys::NewToken(const char* what) {
    static std::atomic<int> counter{0};
    return QString("tarvel_%1_%2").arg(what).arg(++counter);
}

void PortalHotkeys::Register(Desktop::HotkeyHandler handler,
                             std::function<void(const QString&)> on_failure) {
    Unregister();
    handler_ = std::move(handler);
    on_failure_ = std::move(on_failure);
    listening_activated_ = bus_.connect(kPortalService, kPortalPath, kShortcutsInterface,
                                        "Activated", this, SLOT(OnActivated(QDBusMessage)));
    if (!listening_activated_) {
        Fail("no listening for the shortcuts' activations");
        return;
    }
    const QVariantMap options{{"handle_token", NewToken("session_request")},
                              {"session_handle_token", NewToken("session")}};
    Request("CreateSession", {options}, options["handle_token"].toString(), Step::kCreatingSession);
}

void PortalHotkeys::Unregister() {
    if (QCoreApplication::instance() == nullptr) {
        // The application and its bus connections are gone; the bus closed the session with them.
        listening_activated_ = false;
        request_path_.clear();
        session_path_.clear();
    }
    ListenForResponse(request_path_, false);
    request_path_.clear();
    if (listening_activated_) {
        bus_.disconnect(kPortalService, kPortalPath, kShortcutsInterface, "Activated", this,
                        SLOT(OnActivated(QDBusMessage)));
        listening_activated_ = false;
    }
    if (!session_path_.isEmpty()) {
        // Gives the shortcuts back; nothing waits for the answer.
        bus_.send(QDBusMessage::createMethodCall(kPortalService, session_path_, kSessionInterface,
                                                 "Close"));
        session_path_.clear();
    }
    step_ = Step::kIdle;
    handler_ = nullptr;
    on_failure_ = nullptr;
}

void PortalHotkeys::ListenForResponse(const QString& path, bool listen) {
    if (path.isEmpty()) {
        return;
    }
    if (listen) {
        bus_.connect(kPortalService, path, kRequestInterface, "Response", this,
                     SLOT(OnResponse(uint, QVariantMap, QDBusMessage)));
    } else {
        bus_.disconnect(kPortalService, path, kRequestInterface, "Response", this,
                        SLOT(OnResponse(uint, QVariantMap, QDBusMessage)));
    }
}

void PortalHotkeys::Request(const char* method, const QList<QVariant>& arguments,
                            const QString& token, Step step) {
    step_ = step;
    request_path_ = RequestPath(bus_, token);
    ListenForResponse(request_path_, true);
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kShortcutsInterface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, step, method = QString(method)](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *done;
                if (step_ != step) {
                    return;  // unregistered meanwhile
                }
                if (reply.isError()) {
                    Fail(method + ": " + reply.error().message());
                    return;
                }
                // Portals older than the handle_token option choose the path themselves.
                const QString path = reply.value().path();
                if (path != request_path_) {
                    ListenForResponse(request_path_, false);
                    request_path_ = path;
                    ListenForResponse(request_path_, true);
                }
            });
}

void PortalHotkeys::OnResponse(uint response, const QVariantMap& results,
                               const QDBusMessage& message) {
    if (message.path() != request_path_) {
        return;
    }
    ListenForResponse(request_path_, false);
    request_path_.clear();
    if (response != 0) {
        // 1: the user said no; 2: the portal ended the request otherwise.
        Fail(QString("%1 (response %2)")
                 .arg(step_ == Step::kBinding ? "the shortcuts were refused"
                                              : "no shortcuts session")
                 .arg(response));
        return;
    }
    if (step_ == Step::kCreatingSession) {
        session_path_ = SessionHandleOf(results);
        if (session_path_.isEmpty()) {
            Fail("the portal named no session");
            return;
        }
        const QString token = NewToken("bind_request");
        Request("BindShortcuts",
                {QVariant::fromValue(QDBusObjectPath(session_path_)),
                 QVariant::fromValue(WantedShortcuts()), QString(),
                 QVariantMap{{"handle_token", token}}},
                token, Step::kBinding);
    } else if (step_ == Step::kBinding) {
        step_ = Step::kBound;
    }
}

void PortalHotkeys::OnActivated(const QDBusMessage& message) {
    // (o session_handle, s shortcut_id, t timestamp, a{sv} options)
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || session_path_.isEmpty() || !handler_ ||
        arguments[0].value<QDBusObjectPath>().path() != session_path_) {
        return;
    }
    const QString id = arguments[1].toString();
    for (const PortalHotkey& key : kPortalHotkeys) {
        if (id == QLatin1String(key.id)) {
            handler_(key.hotkey);
            return;
        }
    }
}

void PortalHotkeys::Fail(const QString& reason) {
    auto on_failure = std::move(on_failure_);
    Unregister();
    if (on_failure) {
        // From the event loop: the caller may register another way, or drop this object.
        QMetaObject::invokeMethod(
            this, [on_failure, reason] { on_failure(reason); }, Qt::QueuedConnection);
    }
}

}  // namespace tarvel::desktop

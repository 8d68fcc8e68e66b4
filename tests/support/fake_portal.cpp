#include "support/fake_portal.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QMutexLocker>

namespace tarvel::testing {

FakePortal::FakePortal(const QString& bus_address)
    : bus_(QDBusConnection::connectToBus(bus_address, "fake-portal")) {
    desktop::RegisterPortalTypes();
    ok_ = bus_.isConnected() && bus_.registerService(desktop::kPortalService) &&
          bus_.registerObject(desktop::kPortalPath, this, QDBusConnection::ExportAllSlots);
    moveToThread(&thread_);
    thread_.start();
}

FakePortal::~FakePortal() {
    ReleaseAnswers();
    thread_.quit();
    thread_.wait();
    bus_.unregisterObject(desktop::kPortalPath);
    bus_.unregisterService(desktop::kPortalService);
    QDBusConnection::disconnectFromBus("fake-portal");
}

void FakePortal::HoldAnswers() {
    if (!holding_.exchange(true)) {
        // Calls reach the fake as events of its thread, which waits here until released.
        QMetaObject::invokeMethod(
            this, [this] { release_.acquire(); }, Qt::QueuedConnection);
    }
}

void FakePortal::ReleaseAnswers() {
    if (holding_.exchange(false)) {
        release_.release();
    }
}

void FakePortal::SetSessionResponse(uint response) {
    const QMutexLocker lock(&mutex_);
    session_response_ = response;
}

QStringList FakePortal::Sessions() const {
    const QMutexLocker lock(&mutex_);
    return sessions_;
}

std::vector<FakePortal::Binding> FakePortal::Bindings() const {
    const QMutexLocker lock(&mutex_);
    return bindings_;
}

QStringList FakePortal::Closed() const {
    const QMutexLocker lock(&mutex_);
    return closed_;
}

QString FakePortal::PathFor(const char* kind, const QString& token) const {
    QString sender = message().service();
    sender.remove(0, 1);
    sender.replace('.', '_');
    return QString("%1/%2/%3/%4").arg(desktop::kPortalPath, kind, sender, token);
}

QDBusObjectPath FakePortal::Respond(const QVariantMap& options, uint response,
                                    const QVariantMap& results) {
    const QDBusObjectPath handle(PathFor("request", options.value("handle_token").toString()));
    setDelayedReply(true);
    bus_.send(message().createReply(QVariant::fromValue(handle)));
    QDBusMessage signal =
        QDBusMessage::createSignal(handle.path(), "org.freedesktop.portal.Request", "Response");
    signal << response << results;
    bus_.send(signal);
    return handle;
}

QDBusObjectPath FakePortal::CreateSession(const QVariantMap& options) {
    const QString session = PathFor("session", options.value("session_handle_token").toString());
    QMutexLocker lock(&mutex_);
    sessions_ << session;
    const uint response = session_response_;
    lock.unlock();
    if (response == 0) {
        bus_.registerObject(session, new FakeSession(*this, session),
                            QDBusConnection::ExportAllSlots);
        return Respond(options, 0, {{"session_handle", session}});
    }
    return Respond(options, response, {});
}

QDBusObjectPath FakePortal::BindShortcuts(const QDBusObjectPath& session,
                                          const QList<desktop::PortalShortcut>& shortcuts,
                                          const QString&, const QVariantMap& options) {
    {
        const QMutexLocker lock(&mutex_);
        bindings_.push_back({session.path(), shortcuts});
    }
    desktop::PortalShortcuts bound;
    for (const desktop::PortalShortcut& s : shortcuts) {
        bound.push_back({s.id,
                         {{"description", s.properties.value("description")},
                          {"trigger_description", s.properties.value("preferred_trigger")}}});
    }
    return Respond(options, 0, {{"shortcuts", QVariant::fromValue(bound)}});
}

void FakePortal::Activate(const QString& session, const QString& id) {
    QDBusMessage signal =
        QDBusMessage::createSignal(desktop::kPortalPath, desktop::kShortcutsInterface, "Activated");
    signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong{1} << QVariantMap{};
    bus_.send(signal);
}

void FakeSession::Close() {
    {
        const QMutexLocker lock(&portal_.mutex_);
        portal_.closed_ << path_;
    }
    portal_.bus_.unregisterObject(path_);
}

}  // namespace tarvel::testing

#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QMutex>
#include <QObject>
#include <QSemaphore>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QVariantMap>
#include <atomic>
#include <vector>

#include "platform/desktop/portal_hotkeys.h"

namespace tarvel::testing {

// The desktop portal's global shortcuts as a test plays them on a private bus: it takes the
// service's name, answers CreateSession and BindShortcuts with request handles and then their
// Response signals, records what it was asked, and sends Activated when the test says so. It
// answers on a thread of its own, so that a caller in the test's thread may wait for an answer.
class FakePortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
  public:
    struct Binding {
        QString session;
        desktop::PortalShortcuts shortcuts;
    };

    // Connects to the bus at the address; Ok() when the name and the object are taken.
    explicit FakePortal(const QString& bus_address);
    ~FakePortal() override;
    bool Ok() const { return ok_; }

    // Holds every answer, introspection included, until ReleaseAnswers (or the fake's end): a
    // portal that is slow to start, or hung. The calls wait in line and are answered in order.
    void HoldAnswers();
    void ReleaseAnswers();

    // The Response code CreateSession answers with (0 granted, 1 refused by the user).
    void SetSessionResponse(uint response);

    QStringList Sessions() const;
    std::vector<Binding> Bindings() const;
    // Sessions their owner closed.
    QStringList Closed() const;
    // The shortcut's Activated signal for the session.
    void Activate(const QString& session, const QString& id);

  public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options);
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session,
                                  // Spelt out: Qt DBus finds the slot by the type's own name.
                                  const QList<tarvel::desktop::PortalShortcut>& shortcuts,
                                  const QString& parent_window, const QVariantMap& options);

  private:
    friend class FakeSession;
    // Answers the current call with the request's handle, then sends its Response.
    QDBusObjectPath Respond(const QVariantMap& options, uint response, const QVariantMap& results);
    QString PathFor(const char* kind, const QString& token) const;

    QDBusConnection bus_;
    bool ok_ = false;
    QThread thread_;
    QSemaphore release_;
    std::atomic<bool> holding_{false};
    mutable QMutex mutex_;
    uint session_response_ = 0;
    QStringList sessions_;
    std::vector<Binding> bindings_;
    QStringList closed_;
};

// A session object of the fake: its Close is recorded.
class FakeSession : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Session")
  public:
    FakeSession(FakePortal& portal, QString path)
        : QObject(&portal), portal_(portal), path_(std::move(path)) {}
  public slots:
    void Close();

  private:
    FakePortal& portal_;
    QString path_;
};

}  // namespace tarvel::testing

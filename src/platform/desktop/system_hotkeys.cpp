#include "platform/desktop/system_hotkeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <string>

namespace tarvel::desktop {
namespace {

std::string PlatformName() {
    return qGuiApp != nullptr ? QGuiApplication::platformName().toStdString() : "none";
}

}  // namespace

void SystemHotkeys::SayOnce(const std::string& line) {
    if (line != said_) {
        said_ = line;
        std::fprintf(stderr, "tarvel: %s\n", line.c_str());
    }
}

bool SystemHotkeys::Register(Desktop::HotkeyHandler handler) {
    Unregister();
    handler_ = std::move(handler);
    if (QCoreApplication::instance() == nullptr || !QDBusConnection::sessionBus().isConnected()) {
        return RegisterX11();
    }
    asking_ = std::make_unique<QDBusPendingCallWatcher>(
        PortalHotkeys::AskOffered(QDBusConnection::sessionBus()));
    // The watcher is the connection's context: dropping it drops the answer with it.
    QObject::connect(asking_.get(), &QDBusPendingCallWatcher::finished, asking_.get(),
                     [this](QDBusPendingCallWatcher* answer) { Answered(*answer); });
    in_use_ = Way::kPending;
    return true;
}

void SystemHotkeys::Answered(const QDBusPendingCall& answer) {
    const bool portal_offered = PortalHotkeys::OfferedIn(answer);
    // The watcher is still emitting its signal: deleted once that has returned.
    asking_.release()->deleteLater();
    if (portal_offered) {
        RegisterPortal();
    } else {
        RegisterX11();
    }
}

void SystemHotkeys::RegisterPortal() {
    if (!portal_) {
        portal_ = std::make_unique<PortalHotkeys>(QDBusConnection::sessionBus());
    }
    in_use_ = Way::kPortal;
    SayOnce("system-wide hotkeys through the desktop portal's global shortcuts");
    portal_->Register(handler_, [this](const QString& reason) {
        SayOnce("the desktop portal gave no hotkeys: " + reason.toStdString());
        RegisterX11();
    });
}

bool SystemHotkeys::RegisterX11() {
    in_use_ = Way::kNone;
    if (handler_ && x11_.Register(handler_)) {
        in_use_ = Way::kX11;
        SayOnce("system-wide hotkeys through X11 key grabs");
        return true;
    }
    SayOnce(
        "no system-wide hotkeys: neither the desktop portal's global shortcuts nor key grabs "
        "on the desktop (" +
        PlatformName() + ")");
    return false;
}

void SystemHotkeys::Unregister() {
    asking_.reset();
    if (portal_) {
        portal_->Unregister();
    }
    x11_.Unregister();
    handler_ = nullptr;
    in_use_ = Way::kNone;
}

}  // namespace tarvel::desktop

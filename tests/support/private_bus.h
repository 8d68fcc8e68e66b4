#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>

#include "support/program_exit.h"

namespace tarvel::testing {

// A session bus of the test's own, made by dbus-run-session around a shell that tells the bus's
// address and waits for its input to close; the bus goes with it, and both end with exit code 0.
class PrivateBus {
  public:
    PrivateBus() {
        session_.setStandardErrorFile(QProcess::nullDevice());
        session_.start("dbus-run-session",
                       {"--", "sh", "-c", "echo \"$DBUS_SESSION_BUS_ADDRESS\"; read -r _ || true"});
        EXPECT_TRUE(session_.waitForStarted(10000));
        while (!session_.canReadLine() && session_.waitForReadyRead(10000)) {
        }
        address_ = QString::fromUtf8(session_.readLine()).trimmed();
        EXPECT_TRUE(address_.startsWith("unix:")) << address_.toStdString();
    }
    ~PrivateBus() {
        session_.closeWriteChannel();
        ExpectCleanExit(session_);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const QString& Address() const { return address_; }

  private:
    QProcess session_;
    QString address_;
};

}  // namespace tarvel::testing

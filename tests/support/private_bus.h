#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>

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

// Waits (fifteen seconds at most) until the condition holds, letting events in meanwhile.
inline bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 300; ++i) {
        if (condition()) {
            return true;
        }
        QTest::qWait(50);
    }
    return condition();
}

// Runs a command on the private bus; it must end with exit code 0. Returns its output.
inline QString OnBus(const PrivateBus& bus, const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", bus.Address());
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(10000)) << program.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << " " << arguments.join(' ').toStdString() << ": "
        << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// playerctl, talking to the player's media controls on the private bus.
inline QString Playerctl(const PrivateBus& bus, const QStringList& arguments) {
    return OnBus(bus, "playerctl", QStringList{"-p", "tarvel"} + arguments);
}

}  // namespace tarvel::testing

#include "e2e/x_session.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

namespace tarvel::testing {
XSession::XSession(const QString& screen) {
    // Xvfb picks a free display itself and writes its number on the given descriptor, so tests
    // running side by side never share a server.
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_.start("Xvfb",
                  {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"});
    if (!server_.waitForStarted(5000)) {
        ADD_FAILURE() << "Xvfb does not start (is the xvfb package installed?)";
        return;
    }
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 20000 &&
           server_.state() == QProcess::Running) {
        server_.waitForReadyRead(100);
        number += server_.readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        ADD_FAILURE() << "Xvfb did not say its display";
        return;
    }
    display_ = QStringLiteral(":%1").arg(number.trimmed().toInt());
    ok_ = true;
}

XSession::~XSession() {
    if (server_.state() != QProcess::Running) {
        return;
    }
    ::kill(static_cast<pid_t>(server_.processId()), SIGTERM);
    if (!server_.waitForFinished(10000)) {
        ADD_FAILURE() << "Xvfb did not end on SIGTERM";
        server_.kill();
        server_.waitForFinished();
        return;
    }
    EXPECT_EQ(server_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server_.exitCode(), 0);
}

QString XSession::Run(const QString& program, const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << program.toStdString() << " did not end";
        return {};
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << " " << arguments.join(' ').toStdString() << ": "
        << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString XSession::SearchVisible(const QString& title_pattern) const {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    process.setProcessEnvironment(env);
    process.start("xdotool", {"search", "--onlyvisible", "--name", title_pattern});
    process.waitForFinished(10000);
    // xdotool ends with 1 when no window matches.
    return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()).trimmed()
                                   : QString();
}

unsigned long XSession::FindWindow(const QString& title_pattern) const {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000) {
        const QString out = SearchVisible(title_pattern);
        if (!out.isEmpty()) {
            return out.split('\n').first().toULong();
        }
        QThread::msleep(50);
    }
    return 0;
}

bool XSession::WaitForShown(const QString& title_pattern, bool shown, int limit_ms) const {
    QElapsedTimer clock;
    clock.start();
    while (SearchVisible(title_pattern).isEmpty() == shown) {
        if (clock.elapsed() >= limit_ms) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

void XSession::Click(unsigned long window, int x, int y, bool double_click) const {
    const QString id = QString::number(window);
    Run("xdotool", {"mousemove", "--window", id, QString::number(x), QString::number(y)});
    Run("xdotool", double_click ? QStringList{"click", "--repeat", "2", "--delay", "80", "1"}
                                : QStringList{"click", "1"});
}

void XSession::Key(const QString& keys) const {
    Run("xdotool", {"key", keys});
}

XSession::Geometry XSession::WindowGeometry(unsigned long window) const {
    const QString out = Run("xdotool", {"getwindowgeometry", "--shell", QString::number(window)});
    Geometry g;
    for (const QString& line : out.split('\n')) {
        const QStringList kv = line.split('=');
        if (kv.size() != 2) {
            continue;
        }
        const int value = kv[1].toInt();
        if (kv[0] == "X")
            g.x = value;
        if (kv[0] == "Y")
            g.y = value;
        if (kv[0] == "WIDTH")
            g.width = value;
        if (kv[0] == "HEIGHT")
            g.height = value;
    }
    return g;
}

void XSession::Screenshot(const std::string& png) const {
    Run("import", {"-window", "root", QString::fromStdString(png)});
}

}  // namespace tarvel::testing

#include "platform/system/real_system_services.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>
#include <QWindow>
#include <algorithm>

namespace tarvel::system {
namespace {

QString Path(const std::string& path) {
    return QFile::decodeName(path.c_str());
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.c_str());
}

std::optional<std::string> Picked(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return PathBytes(path);
}

}  // namespace

bool RealSystemServices::StartProgram(const std::string& command_line, int show_mode) {
    QStringList words = QProcess::splitCommand(Text(command_line));
    if (words.isEmpty()) {
        return false;
    }
    QProcess process;
    process.setProgram(words.takeFirst());
    process.setArguments(words);
    // The show mode reaches the started program the way Windows hands it over at start: a
    // program that cares (our external player does) shows its window accordingly.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARVEL_SHOW_MODE", QString::number(show_mode));
    process.setProcessEnvironment(env);
    return process.startDetached();
}

bool RealSystemServices::OpenWithDesktop(const std::string& path_or_address) {
    const QString target = Path(path_or_address);
    const QUrl url =
        QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    return QDesktopServices::openUrl(url);
}

bool RealSystemServices::ShowInFolder(const std::string& path) {
    const QString file = QFileInfo(Path(path)).absoluteFilePath();
    QDBusInterface manager("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                           "org.freedesktop.FileManager1", QDBusConnection::sessionBus());
    if (manager.isValid()) {
        const QDBusMessage reply =
            manager.call("ShowItems", QStringList{QUrl::fromLocalFile(file).toString()}, QString());
        if (reply.type() == QDBusMessage::ReplyMessage) {
            return true;
        }
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
}

Answer RealSystemServices::MessageBox(const std::string& caption, const std::string& text,
                                      Buttons buttons, Icon icon) {
    QMessageBox box;
    box.setWindowTitle(Text(caption));
    box.setText(Text(text));
    switch (icon) {
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::None:
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::optional<std::string> RealSystemServices::ChooseFolder(const std::string& caption) {
    return Picked(QFileDialog::getExistingDirectory(nullptr, Text(caption), QDir::homePath()));
}

std::optional<std::string> RealSystemServices::OpenFileDialog(const std::string& caption,
                                                              const std::string& folder,
                                                              const std::string& filter) {
    return Picked(QFileDialog::getOpenFileName(nullptr, Text(caption), Path(folder), Text(filter)));
}

std::optional<std::string> RealSystemServices::SaveFileDialog(const std::string& caption,
                                                              const std::string& folder,
                                                              const std::string& filter) {
    return Picked(QFileDialog::getSaveFileName(nullptr, Text(caption), Path(folder), Text(filter)));
}

bool RealSystemServices::WindowShown() const {
    const QList<QWindow*> windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.begin(), windows.end(), [](const QWindow* window) {
        const Qt::WindowType type = window->type();
        return window->isVisible() && type != Qt::Popup && type != Qt::ToolTip;
    });
}

bool RealSystemServices::Shutdown(ShutdownKind kind) {
    QDBusInterface login("org.freedesktop.login1", "/org/freedesktop/login1",
                         "org.freedesktop.login1.Manager", QDBusConnection::systemBus());
    if (!login.isValid()) {
        return false;
    }
    QDBusMessage reply;
    switch (kind) {
        case ShutdownKind::PowerOff:
            reply = login.call("PowerOff", true);
            break;
        case ShutdownKind::Reboot:
            reply = login.call("Reboot", true);
            break;
        case ShutdownKind::LogOff: {
            const QString session = qEnvironmentVariable("XDG_SESSION_ID");
            if (session.isEmpty()) {
                return false;
            }
            reply = login.call("TerminateSession", session);
            break;
        }
    }
    return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace tarvel::system

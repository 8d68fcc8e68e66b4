#include "e2e/e2e_support.h"

#include <sys/stat.h>

#include <QProcessEnvironment>
#include <filesystem>

#include "platform/fs/dir_walk.h"
#include "platform/winmsg/client.h"

namespace tarvel::testing {

AppDirFixture::AppDirFixture() : app_dir_(dir_ / "app") {
    namespace sfs = std::filesystem;
    sfs::create_directories(app_dir_);
    for (const char* folder : {"TvSysFile", "help", "ForApollo", "Pictures", "sort"}) {
        const sfs::path from = sfs::path(TARVEL_DIST_DIR) / folder;
        if (sfs::exists(from)) {
            sfs::copy(from, sfs::path(app_dir_) / folder, sfs::copy_options::recursive);
        }
    }
    ::setenv("TARVEL_WINDOWS_DIR", WindowsDir().c_str(), 1);
}

void AppDirFixture::Start(QProcess& process) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TARVEL_PLATFORM", "fake");
    env.insert("TARVEL_PLATFORM_LOG", QString::fromStdString(LogPath()));
    env.insert("TARVEL_AUDIO", "null");
    env.insert("TARVEL_WINDOWS_DIR", QString::fromStdString(WindowsDir()));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(app_dir_));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(TARVEL_DIST_DIR "/tarvel"), {});
}

bool AppDirFixture::WaitForWindows(QProcess& process) const {
    for (int i = 0; i < 400; ++i) {
        if (winmsg::FindWindowByClass("TMinFrm")) {
            return true;
        }
        // Waits on the process, so a program that died ends the wait at once.
        if (process.waitForFinished(50) || process.state() == QProcess::NotRunning) {
            return false;
        }
    }
    return false;
}

std::map<std::string, std::string> AppDirFixture::Snapshot() const {
    std::map<std::string, std::string> files;
    fs::WalkDirectory(app_dir_, [&](const fs::DirEntry& e) {
        struct stat st {};
        ::stat(e.path.c_str(), &st);
        files[e.path] = e.is_directory
                            ? "<dir>"
                            : std::to_string(st.st_mtim.tv_sec) + "." +
                                  std::to_string(st.st_mtim.tv_nsec) + ":" + ReadBytes(e.path);
    });
    return files;
}

}  // namespace tarvel::testing

// The installed program: `cmake --install` into a fresh prefix, then the installed launcher
// started from another folder with a fresh home, as a new user would.
#include <gtest/gtest.h>
#include <signal.h>

#include <QImage>
#include <QProcess>
#include <filesystem>

#include "e2e/e2e_support.h"
#include "e2e/x_session.h"
#include "platform/fs/line_file.h"
#include "platform/winmsg/client.h"
#include "support/program_exit.h"
#include "support/temp_dir.h"

namespace tarvel::testing {
namespace {

namespace sfs = std::filesystem;

void RunToSuccess(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ASSERT_TRUE(process.waitForFinished(120000)) << program.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
}

// Whether the app dir's first run has finished: its settings no longer ask for one.
bool FirstRunDone(const std::string& app) {
    try {
        const auto lines = fs::ReadLines(app + "/TvSysFile/PathToPl.tcf");
        return !lines.empty() && lines[0] == "firstRun:=False";
    } catch (const std::exception&) {
        return false;
    }
}

TEST(Install, TheInstalledLauncherMakesANewUsersAppDirAndOpensTheWindow) {
    TempDir dir;
    const std::string prefix = dir / "prefix";
    RunToSuccess("cmake",
                 {"--install", TARVEL_BUILD_DIR, "--prefix", QString::fromStdString(prefix)});
    for (const char* file :
         {"bin/tarvel", "lib/tarvel/tarvel", "lib/tarvel/tarvel-library", "lib/tarvel/extplayer",
          "lib/tarvel/help/help.htm", "lib/tarvel/TvSysFile/PathToPl.tcf",
          "lib/tarvel/Pictures/Help/Help1.jpg", "share/applications/tarvel.desktop",
          "share/icons/hicolor/scalable/apps/tarvel.svg"}) {
        EXPECT_TRUE(sfs::exists(prefix + "/" + file)) << file;
    }
    for (const int size : {16, 48, 256}) {
        const QImage icon(QString::fromStdString(prefix) +
                          QStringLiteral("/share/icons/hicolor/%1x%1/apps/tarvel.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size));
    }
    RunToSuccess("desktop-file-validate",
                 {QString::fromStdString(prefix + "/share/applications/tarvel.desktop")});

    // A new user: nothing under the home yet; started from an unrelated folder.
    const std::string home = dir / "home";
    const std::string elsewhere = dir / "elsewhere";
    sfs::create_directories(home);
    sfs::create_directories(elsewhere);
    XSession x;
    ASSERT_TRUE(x.Ok());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(home));
    env.remove("XDG_DATA_HOME");
    env.remove("TARVEL_HOME");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", x.Display());
    env.insert("TARVEL_PLATFORM", "fake");
    env.insert("TARVEL_PLATFORM_LOG", QString::fromStdString(dir / "platform.log"));
    env.insert("TARVEL_AUDIO", "null");
    env.insert("TARVEL_WINDOWS_DIR", QString::fromStdString(dir / "windows"));
    env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromStdString("unix:path=" + (dir / "no-bus")));
    ::setenv("TARVEL_WINDOWS_DIR", (dir / "windows").c_str(), 1);
    const std::string app = home + "/.local/share/tarvel";
    const auto run = [&] {
        QProcess tarvel;
        tarvel.setProcessEnvironment(env);
        tarvel.setWorkingDirectory(QString::fromStdString(elsewhere));
        tarvel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tarvel.start(QString::fromStdString(prefix + "/bin/tarvel"), {});
        EXPECT_NE(x.FindWindow("^Tarvel$"), 0ul) << "the main window opens";
        // The mini player is made after the main window's first paint: waited for, not assumed.
        ASSERT_TRUE(WaitForWindowClass(tarvel, "TMinFrm"));
        // A first run ends its set-up shortly after the window shows; closed before that, the
        // next start would be a first run again.
        for (int i = 0; i < 600 && !FirstRunDone(app); ++i) {
            ASSERT_FALSE(tarvel.waitForFinished(100)) << "the player ended by itself";
        }
        ASSERT_TRUE(FirstRunDone(app));
        ::kill(static_cast<pid_t>(tarvel.processId()), SIGTERM);
        ExpectCleanExit(tarvel);
    };
    run();
    for (const char* file : {"TvSysFile/PathToPl.tcf", "TvSysFile/conf.tcf", "help/help.htm",
                             "Pictures/Help/Help1.jpg", "ForApollo/CDReader.dll"}) {
        EXPECT_TRUE(sfs::exists(app + "/" + file)) << file;
    }
    EXPECT_TRUE(sfs::is_directory(app + "/sort"));

    // The user's library and settings survive the next start; the program's files are renewed.
    WriteBytes(app + "/sort/allsong.tft", "the user's library");
    const std::string settings = ReadBytes(app + "/TvSysFile/conf.tcf");
    WriteBytes(app + "/help/help.htm", "stale");
    run();
    EXPECT_EQ(ReadBytes(app + "/sort/allsong.tft"), "the user's library");
    EXPECT_EQ(ReadBytes(app + "/TvSysFile/conf.tcf"), settings);
    EXPECT_EQ(ReadBytes(app + "/help/help.htm"), ReadBytes(prefix + "/lib/tarvel/help/help.htm"));
    ::unsetenv("TARVEL_WINDOWS_DIR");
}

}  // namespace
}  // namespace tarvel::testing

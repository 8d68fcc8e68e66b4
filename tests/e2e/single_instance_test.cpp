#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <array>
#include <chrono>
#include <filesystem>

#include "e2e/e2e_support.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/endpoint_folder.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

TEST(SingleInstance, ASecondStartEndsAtOnceAndTouchesNothing) {
    AppDirFixture app;
    // A second run: the first-run set-up would write files of its own while the test looks.
    app.WriteSettings({});
    QProcess first;
    app.Start(first);
    ASSERT_TRUE(app.WaitForWindows(first)) << "the first instance did not come up";
    const auto before = app.Snapshot();

    QProcess second;
    app.Start(second);
    ExpectCleanExit(second);
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(app.Snapshot(), before);

    // SIGTERM closes the first one as its close button does.
    TerminateAndExpectCleanExit(first);
    EXPECT_FALSE(winmsg::FindWindowByClass("TMinFrm"));
}

// Waits (a minute at most) until all but one of the programs have ended, and checks that those
// ended with 0; the one still running, or nothing when more than one runs by then.
template <size_t N>
QProcess* WaitForOneLeft(std::array<QProcess, N>& starts) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < limit) {
        std::vector<QProcess*> running;
        for (QProcess& start : starts) {
            if (!start.waitForFinished(20) && start.state() != QProcess::NotRunning) {
                running.push_back(&start);
            }
        }
        if (running.size() == 1) {
            for (QProcess& start : starts) {
                if (&start != running.front()) {
                    ExpectCleanExit(start);
                }
            }
        }
        if (running.size() <= 1) {
            return running.empty() ? nullptr : running.front();
        }
    }
    return nullptr;
}

// Ten starts at the same moment, as a file manager opening ten files makes them: one player
// runs, and the other nine end with 0 once they have handed it their files.
TEST(SingleInstance, TenStartsAtOnceGiveOnePlayerThatTakesEveryFile) {
    for (const bool with_files : {false, true}) {
        SCOPED_TRACE(with_files ? "with files" : "without files");
        AppDirFixture app;
        app.WriteSettings({});
        TempDir songs;
        const std::string tone = MakeToneMp3(songs.path(), 440, 1);
        std::array<QProcess, 10> starts;
        std::vector<std::string> files;
        for (size_t i = 0; i < starts.size(); ++i) {
            files.push_back(songs / ("song" + std::to_string(i) + ".mp3"));
            std::filesystem::copy_file(tone, files.back());
        }
        for (size_t i = 0; i < starts.size(); ++i) {
            app.Start(starts[i],
                      with_files ? QStringList{QString::fromStdString(files[i])} : QStringList{});
        }
        QProcess* player = WaitForOneLeft(starts);
        ASSERT_NE(player, nullptr) << "more than one player runs, or none";
        ASSERT_TRUE(app.WaitForWindows(*player));
        int mini_players = 0;
        for (const auto& endpoint : winmsg::ListEndpoints(app.WindowsDir())) {
            mini_players +=
                endpoint.class_name == "TMinFrm" && winmsg::IsListening(endpoint.socket_path);
        }
        EXPECT_EQ(mini_players, 1);

        TerminateAndExpectCleanExit(*player);
        const std::string saved = ReadBytes(app.FilePath("sort/PlayListMainPL1.tpl"));
        for (const std::string& file : files) {
            EXPECT_EQ(saved.find(file) != std::string::npos, with_files) << file;
        }
    }
}

// Without a usable runtime folder (none named, or one the player must refuse) the windows and
// the claim move to the user's cache folder, and three starts at once still give one player.
TEST(SingleInstance, WithoutAUsableRuntimeFolderTheClaimStillHolds) {
    for (const bool runtime_set : {false, true}) {
        SCOPED_TRACE(runtime_set ? "runtime folder refused" : "no runtime folder");
        AppDirFixture app;
        app.WriteSettings({});
        TempDir dir;
        const std::string run = dir / "run";
        ::mkdir(run.c_str(), 0700);
        ::mkdir((run + "/tarvel-windows").c_str(), 0755);  // open to others: refused
        ::mkdir((dir / "home").c_str(), 0755);
        QProcessEnvironment env = app.Environment();
        env.remove("TARVEL_WINDOWS_DIR");
        env.remove("XDG_CACHE_HOME");
        env.insert("HOME", QString::fromStdString(dir / "home"));
        if (runtime_set) {
            env.insert("XDG_RUNTIME_DIR", QString::fromStdString(run));
        } else {
            env.remove("XDG_RUNTIME_DIR");
        }
        std::array<QProcess, 3> starts;
        for (QProcess& start : starts) {
            app.Start(start, {}, env);
        }
        QProcess* player = WaitForOneLeft(starts);
        ASSERT_NE(player, nullptr) << "more than one player runs, or none";
        char host[256] = {};
        ::gethostname(host, sizeof host - 1);
        const std::string folder = dir / ("home/.cache/tarvel-windows-" + std::string(host));
        ::setenv("TARVEL_WINDOWS_DIR", folder.c_str(), 1);  // where this test looks
        EXPECT_TRUE(app.WaitForWindows(*player)) << folder;
        struct stat st {};
        ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        TerminateAndExpectCleanExit(*player);
    }
}

}  // namespace
}  // namespace tarvel::testing

// The player's window endpoints under a flood from a broken or hostile program of the same user,
// and an exit that cannot save.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <cstring>
#include <filesystem>
#include <vector>

#include "e2e/e2e_support.h"
#include "platform/fs/line_file.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/wire.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

// Descriptors the player may hold, as a desktop session commonly gives a program.
constexpr rlim_t kPlayerDescriptors = 1024;

// A connection that sends the first bytes it is given without waiting and then stays open.
int Connect(const std::string& path, const std::string& first_bytes) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        !first_bytes.empty()) {
        [[maybe_unused]] auto sent =
            ::send(fd, first_bytes.data(), first_bytes.size(), MSG_NOSIGNAL);
    }
    return fd;
}

TEST(EndpointFlood, AfterAFloodASecondStartsFilesReachThePlayerAndTheExitSaveWritesItsFiles) {
    AppDirFixture app;
    app.WriteSettings({});
    const std::string song = MakeToneMp3(app.FilePath("songs"), 440, 1);
    // The flood below needs more descriptors than the player has.
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    ASSERT_GT(limit.rlim_max, 1100 * 2 + 100) << "this test needs more descriptors";
    limit.rlim_cur = limit.rlim_max;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limit), 0);
    QProcess player;
    player.setChildProcessModifier([] {
        const rlimit few{kPlayerDescriptors, kPlayerDescriptors};
        ::setrlimit(RLIMIT_NOFILE, &few);
    });
    app.Start(player);
    ASSERT_TRUE(app.WaitForWindows(player));
    const auto files = winmsg::FindWindowByClass("TarvelFiles");
    const auto mini = winmsg::FindWindowByClass("TMinFrm");
    ASSERT_TRUE(files && mini);
    std::filesystem::remove(app.FilePath("TvSysFile/conf.tcf"));

    // 1 100 idle connections on each endpoint, and 64 requests that announce a large file list
    // and send half of it.
    winmsg::Incoming large;
    large.op = winmsg::Op::CopyData;
    large.kind = 1;
    large.data.assign(winmsg::wire::kMaxData, 'x');
    const std::string half = winmsg::wire::EncodeRequest(large).substr(0, large.data.size() / 2);
    std::vector<int> flood;
    for (int i = 0; i < 1100; ++i) {
        flood.push_back(Connect(files->endpoint, {}));
        flood.push_back(Connect(mini->endpoint, {}));
    }
    for (int i = 0; i < 64; ++i) {
        flood.push_back(Connect(files->endpoint, half));
    }

    QProcess second;
    app.Start(second, {QString::fromStdString(song)});
    ExpectCleanExit(second);
    TerminateAndExpectCleanExit(player);
    for (const int fd : flood) {
        ::close(fd);
    }
    EXPECT_NE(ReadBytes(app.FilePath("sort/PlayListMainPL1.tpl")).find(song), std::string::npos)
        << "the second start's file was added, and the playlist saved at exit";
    EXPECT_TRUE(std::filesystem::exists(app.FilePath("TvSysFile/conf.tcf")))
        << "the settings were saved at exit";
}

TEST(ExitSave, AnExitThatCannotSaveSaysSoAndEndsWithOne) {
    AppDirFixture app;
    app.WriteSettings({});
    QProcess player;
    app.Start(player);
    ASSERT_TRUE(app.WaitForWindows(player));
    // The settings file cannot be replaced: a folder stands in its place.
    std::filesystem::remove(app.FilePath("TvSysFile/conf.tcf"));
    std::filesystem::create_directories(app.FilePath("TvSysFile/conf.tcf/held"));
    std::filesystem::remove(app.FilePath("sort/PlayListMainPL1.tpl"));
    ::kill(static_cast<pid_t>(player.processId()), SIGTERM);
    ExpectExit(player, 1, 10000);
    const std::string log = ReadBytes(app.LogPath());
    EXPECT_NE(log.find("conf.tcf"), std::string::npos) << "the failure was reported: " << log;
    EXPECT_TRUE(std::filesystem::exists(app.FilePath("sort/PlayListMainPL1.tpl")))
        << "the later steps still ran";
}

}  // namespace
}  // namespace tarvel::testing

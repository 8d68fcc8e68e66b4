#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/error/app_error.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/endpoint_folder.h"
#include "platform/winmsg/window_endpoint.h"
#include "platform/winmsg/wire.h"
#include "support/temp_dir.h"
#include "support/winmsg_peer.h"

namespace tarvel::winmsg {
namespace {

using tarvel::testing::Peer;
using tarvel::testing::TempDir;
using ::testing::HasSubstr;

const QString kTool = QStringLiteral(TARVEL_DIST_DIR "/tarvel-winmsg");

// Runs the command-line tool; it must end by itself with exit_code (0 unless said).
std::string RunTool(const QStringList& args, int exit_code = 0) {
    QProcess tool;
    tool.start(kTool, args);
    EXPECT_TRUE(tool.waitForFinished());
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), exit_code) << args.join(' ').toStdString();
    return (tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed().toStdString();
}

class WinMsg : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = dir_ / "windows";
        ::setenv("TARVEL_WINDOWS_DIR", folder_.c_str(), 1);
        SetAnswerTimeoutMs(3000);
    }
    void TearDown() override { ::unsetenv("TARVEL_WINDOWS_DIR"); }

    TempDir dir_;
    std::string folder_;
};

TEST_F(WinMsg, FindSendCopyDataPostAndShowReachARealSecondProgram) {
    Peer peer("Test - Main Window", "Test Title");
    const auto by_class = FindWindowByClass("Test - Main Window");
    const auto by_title = FindWindowByTitle("Test Title");
    ASSERT_TRUE(by_class);
    ASSERT_TRUE(by_title);
    EXPECT_EQ(by_class->endpoint, peer.Endpoint());
    EXPECT_EQ(by_title->endpoint, peer.Endpoint());
    EXPECT_FALSE(FindWindowByClass("Test Title"));
    EXPECT_FALSE(FindWindowByTitle("Test - Main Window"));

    // The peer answers a sent message with wparam + lparam.
    EXPECT_EQ(SendMessage(*by_class, 1027, 40000, 2), 40002);
    EXPECT_EQ(peer.NextLine(), "send 1027 40000 2");
    EXPECT_EQ(SendMessage(*by_class, 1027, -70000, 0), -70000);
    EXPECT_EQ(peer.NextLine(), "send 1027 -70000 0");

    // Copy-data bytes arrive intact, a zero byte and high bytes included; the answer is the length.
    const std::string bytes("/music/\xC0\xFF\x01 a.mp3\0", 17);
    EXPECT_EQ(SendCopyData(*by_class, 2, bytes), 17);
    EXPECT_EQ(peer.NextLine(), "copydata 2 2f6d757369632fc0ff0120612e6d703300");

    EXPECT_TRUE(PostMessage(*by_class, 1027, 7, 8));
    EXPECT_EQ(peer.NextLine(), "post 1027 7 8");
    EXPECT_EQ(ShowWindow(*by_class, SW_HIDE), 1);
    EXPECT_EQ(peer.NextLine(), "show 0");
    EXPECT_EQ(SetTopmost(*by_class, true), 1);
    EXPECT_EQ(peer.NextLine(), "topmost 1");

    // The command-line tool reaches the same window.
    EXPECT_EQ(RunTool({"find", "Test - Main Window"}), "1");
    EXPECT_EQ(RunTool({"find", "--title", "Test Title"}), "1");
    EXPECT_EQ(RunTool({"find", "Nobody"}), "0");
    EXPECT_EQ(RunTool({"send", "--title", "Test Title", "1027", "19", "0"}), "19");
    EXPECT_EQ(peer.NextLine(), "send 1027 19 0");
    EXPECT_EQ(RunTool({"copydata", "Test - Main Window", "2", "x.mp3"}), "5");
    EXPECT_EQ(peer.NextLine(), "copydata 2 782e6d7033");

    // WM_CLOSE ends the peer, which takes its window away.
    EXPECT_TRUE(PostMessage(*by_class, WM_CLOSE, 0, 0));
    EXPECT_TRUE(peer.Process().waitForFinished(10000));
    EXPECT_EQ(peer.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(peer.Process().exitCode(), 0);
    EXPECT_FALSE(FindWindowByClass("Test - Main Window"));
}

TEST_F(WinMsg, WithNoWindowEveryCallGivesZero) {
    EXPECT_FALSE(FindWindowByClass("Apollo - Main Window"));
    const WindowHandle gone{folder_ + "/123-1.sock"};
    EXPECT_EQ(SendMessage(gone, 1027, 1, 0), 0);
    EXPECT_FALSE(PostMessage(gone, 1027, 1, 0));
    EXPECT_EQ(SendCopyData(gone, 2, "x"), 0);
    EXPECT_EQ(RunTool({"send", "Nobody", "1027", "1", "0"}), "0");
    RunTool({"post", "Nobody", "16", "0", "0"}, 1);
}

TEST_F(WinMsg, AHungPeerGivesZeroAfterTheTimeout) {
    Peer peer("Hung", "Hung");
    const auto window = FindWindowByClass("Hung");
    ASSERT_TRUE(window);
    ASSERT_EQ(::kill(peer.Pid(), SIGSTOP), 0);
    SetAnswerTimeoutMs(300);
    EXPECT_EQ(SendMessage(*window, 1027, 5, 5), 0);
    EXPECT_EQ(SendCopyData(*window, 2, "abc"), 0);
    ASSERT_EQ(::kill(peer.Pid(), SIGCONT), 0);
    // Once it runs again it answers again.
    SetAnswerTimeoutMs(3000);
    EXPECT_EQ(SendMessage(*window, 1027, 5, 5), 10);
}

TEST_F(WinMsg, AKilledPeersEndpointIsNoWindowAndIsReclaimed) {
    std::string stale;
    {
        Peer peer("Killed", "Killed");
        stale = peer.Endpoint();
        ::kill(peer.Pid(), SIGKILL);
        peer.Process().waitForFinished();
        EXPECT_EQ(peer.Process().exitStatus(), QProcess::CrashExit);
    }
    struct stat st {};
    ASSERT_EQ(::stat(stale.c_str(), &st), 0) << "a killed program leaves its endpoint behind";
    EXPECT_FALSE(FindWindowByClass("Killed"));
    EXPECT_EQ(SendMessage(WindowHandle{stale}, 1027, 1, 1), 0);

    WindowEndpoint fresh("Killed", "Killed",
                         [](const Incoming& m) { return static_cast<int32_t>(m.wparam * 2); });
    EXPECT_NE(::stat(stale.c_str(), &st), 0) << "the next registration removes it";
    const auto endpoints = ListEndpoints(folder_);
    ASSERT_EQ(endpoints.size(), 1u);
    EXPECT_EQ(endpoints[0].socket_path, fresh.Path());
    // A window of this very process is reached without blocking its own event loop.
    const auto window = FindWindowByClass("Killed");
    ASSERT_TRUE(window);
    EXPECT_EQ(SendMessage(*window, 1027, 21, 0), 42);
}

TEST_F(WinMsg, APostToAWindowOfThisProcessIsHandledByTheEventLoop) {
    int handled = 0;
    WindowEndpoint own("Own", "Own", [&](const Incoming& m) {
        handled += static_cast<int>(m.wparam);
        return 0;
    });
    EXPECT_TRUE(PostMessage(*FindWindowByClass("Own"), 1027, 3, 0));
    EXPECT_EQ(handled, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, 3);
}

// A raw connection to an endpoint, as a broken or hostile program of this user would make.
class RawConnection {
  public:
    explicit RawConnection(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
        EXPECT_EQ(::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    }
    ~RawConnection() { ::close(fd_); }
    void Send(const std::string& bytes) {
        EXPECT_EQ(::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    // Runs the event loop until the endpoint answers or ends the connection (ten seconds at
    // most); the answer's bytes.
    std::string Reply() {
        std::string got;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < limit) {
            QCoreApplication::processEvents();
            char chunk[16];
            const ssize_t n = ::recv(fd_, chunk, sizeof chunk, MSG_DONTWAIT);
            if (n == 0) {
                return got;
            }
            if (n > 0) {
                got.append(chunk, static_cast<size_t>(n));
            } else {
                ::usleep(2000);
            }
        }
        ADD_FAILURE() << "the endpoint neither answered nor ended the connection";
        return got;
    }

  private:
    int fd_;
};

// Sends a whole request with this wparam and returns the answer as text ("" for none).
std::string AnswerOverARawConnection(const std::string& path, int64_t wparam) {
    Incoming message;
    message.wparam = wparam;
    RawConnection good(path);
    good.Send(wire::EncodeRequest(message));
    const std::string answer = good.Reply();
    return answer.size() == 4 ? std::to_string(wire::DecodeResult(answer.data())) : "";
}

TEST_F(WinMsg, BrokenRequestsEndTheirConnectionAndTheEndpointGoesOnAnswering) {
    WindowEndpoint own("Own", "Own",
                       [](const Incoming& m) { return static_cast<int32_t>(m.wparam * 2); });
    RawConnection idle(own.Path());  // connects and never says anything
    {
        RawConnection garbage(own.Path());
        garbage.Send("GARBAGE, NOT A REQUEST AT ALL");
        EXPECT_EQ(garbage.Reply(), "");
    }
    {
        Incoming huge;
        std::string bytes = wire::EncodeRequest(huge);
        bytes[bytes.size() - 4] = '\xff';  // a copy-data size far beyond the limit
        bytes[bytes.size() - 1] = '\x7f';
        RawConnection oversized(own.Path());
        oversized.Send(bytes);
        EXPECT_EQ(oversized.Reply(), "");
    }
    {
        // One byte above the largest request taken: refused at its header, before its data.
        std::string header = wire::EncodeRequest(Incoming{});
        const uint32_t size = wire::kMaxData + 1;
        std::memcpy(header.data() + header.size() - 4, &size, 4);
        RawConnection oversized(own.Path());
        oversized.Send(header);
        EXPECT_EQ(oversized.Reply(), "");
    }
    {
        RawConnection half(own.Path());
        half.Send(wire::EncodeRequest(Incoming{}).substr(0, 10));
    }  // goes away mid-request
    EXPECT_EQ(AnswerOverARawConnection(own.Path(), 21), "42");
}

TEST_F(WinMsg, IdleAndHalfSentConnectionsAreClosedAfterTheirTime) {
    WindowEndpoint own(
        EndpointListener("Own", "Own"), [](const Incoming&) { return 7; },
        EndpointLimits{8, std::chrono::milliseconds(200)});
    RawConnection idle(own.Path());
    RawConnection half(own.Path());
    Incoming large;
    large.op = Op::CopyData;
    large.data.assign(1000, 'x');
    half.Send(wire::EncodeRequest(large).substr(0, 500));
    EXPECT_EQ(idle.Reply(), "");
    EXPECT_EQ(half.Reply(), "");
    EXPECT_EQ(own.OpenConnections(), 0u);
}

TEST_F(WinMsg, AFloodOfConnectionsHoldsAFewAndANewCallerStillGetsAnAnswer) {
    constexpr size_t kLimit = 8;
    WindowEndpoint own(
        EndpointListener("Own", "Own"),
        [](const Incoming& m) { return static_cast<int32_t>(m.wparam * 2); },
        EndpointLimits{kLimit, std::chrono::seconds(60)});
    std::vector<std::unique_ptr<RawConnection>> flood;
    for (int i = 0; i < 100; ++i) {
        flood.push_back(std::make_unique<RawConnection>(own.Path()));
    }
    // Every one is taken in turn, and the oldest are closed to make room for the newest.
    for (size_t i = 0; i + kLimit < flood.size(); ++i) {
        EXPECT_EQ(flood[i]->Reply(), "") << i;
    }
    EXPECT_EQ(own.OpenConnections(), kLimit);
    EXPECT_EQ(AnswerOverARawConnection(own.Path(), 21), "42");
}

TEST_F(WinMsg, AnUnsafeEndpointFolderIsRefused) {
    for (const auto& spoil : {+[](const char* f) { ::chmod(f, 0755); },
                              +[](const char* f) { ::chown(f, 65534, 65534); }}) {
        ::mkdir(folder_.c_str(), 0700);
        spoil(folder_.c_str());
        try {
            WindowEndpoint endpoint("X", "X", nullptr);
            ADD_FAILURE() << "registered in an unsafe folder";
        } catch (const AppError& e) {
            EXPECT_THAT(e.what(), HasSubstr(folder_));
            EXPECT_THAT(e.what(), HasSubstr("refused"));
        }
        EXPECT_FALSE(FindWindowByClass("X"));
        EXPECT_THAT(RunTool({"find", "X"}, 2), HasSubstr("refused"));
        ::rmdir(folder_.c_str());
    }
}

// Sets environment variables for one test and puts back what was there.
class EnvironmentGuard {
  public:
    ~EnvironmentGuard() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    void Set(const std::string& name, const char* value) {
        if (saved_.count(name) == 0) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value != nullptr) {
            ::setenv(name.c_str(), value, 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// Where the windows are when no folder is named for the tests: the runtime folder when it is
// sound, else the user's cache folder; never a folder anyone could have made first.
TEST(EndpointFolderChoice, TheRuntimeFolderWhenSoundElseTheUsersCacheFolder) {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    struct Case {
        const char* name;
        bool runtime_set;
        void (*spoil)(const std::string& run);  // done to the runtime folder
        bool runtime_used;
        bool needs_root = false;
    };
    const Case cases[] = {
        {"sound", true, [](const std::string&) {}, true},
        {"not set", false, [](const std::string&) {}, false},
        {"open to others", true, [](const std::string& run) { ::chmod(run.c_str(), 0777); }, false},
        {"its window folder open to others", true,
         [](const std::string& run) { ::mkdir((run + "/tarvel-windows").c_str(), 0755); }, false},
        {"its window folder made by another user", true,
         [](const std::string& run) {
             ::mkdir((run + "/tarvel-windows").c_str(), 0700);
             ::chown((run + "/tarvel-windows").c_str(), 65534, 65534);
         },
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needs_root && ::geteuid() != 0) {
            continue;
        }
        TempDir dir;
        const std::string run = dir / "run";
        ::mkdir(run.c_str(), 0700);
        c.spoil(run);
        EnvironmentGuard env;
        env.Set("TARVEL_WINDOWS_DIR", nullptr);
        env.Set("XDG_CACHE_HOME", nullptr);
        env.Set("HOME", (dir / "home").c_str());
        ::mkdir((dir / "home").c_str(), 0755);
        env.Set("XDG_RUNTIME_DIR", c.runtime_set ? run.c_str() : nullptr);
        const std::string folder = EndpointFolder();
        EXPECT_EQ(folder, c.runtime_used ? run + "/tarvel-windows"
                                         : dir / "home/.cache/tarvel-windows-" + host);
        CheckEndpointFolder(folder);
        struct stat st {};
        ASSERT_EQ(::lstat(folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::getuid());
    }
}

TEST(EndpointFolderChoice, ACacheFolderAnotherUserMadeIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    TempDir dir;
    EnvironmentGuard env;
    env.Set("TARVEL_WINDOWS_DIR", nullptr);
    env.Set("XDG_RUNTIME_DIR", nullptr);
    env.Set("XDG_CACHE_HOME", (dir / "cache").c_str());
    ::mkdir((dir / "cache").c_str(), 0700);
    const std::string folder = EndpointFolder();
    ::mkdir(folder.c_str(), 0700);
    ::chown(folder.c_str(), 65534, 65534);
    EXPECT_THROW(CheckEndpointFolder(folder), AppError);
    // So is one in a cache folder others can write to, where they could swap it.
    ::chown(folder.c_str(), 0, 0);
    ::chmod((dir / "cache").c_str(), 0777);
    EXPECT_THROW(CheckEndpointFolder(folder), AppError);
}

TEST_F(WinMsg, APeerOfAnotherUserIsRefused) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    Peer peer("Guarded", "Guarded");
    // Let another user reach the socket at all, so that only the peer check stands in the way.
    ::chmod(dir_.path().c_str(), 0711);
    ::chmod(folder_.c_str(), 0711);
    ::chmod(peer.Endpoint().c_str(), 0777);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(3);
        }
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", peer.Endpoint().c_str());
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            ::_exit(4);
        }
        const std::string request = wire::EncodeRequest({Op::Send, 1027, 1, 1, 0, {}});
        // The refusing side may close first: no SIGPIPE for that.
        [[maybe_unused]] auto sent = ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        char answer[4];
        ::_exit(::read(fd, answer, 4) == 4 ? 1 : 0);  // 0: closed without an answer
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    ::chmod(folder_.c_str(), 0700);
    // The peer saw nothing of it, and still serves its own user.
    EXPECT_EQ(SendMessage(*FindWindowByClass("Guarded"), 1027, 2, 3), 5);
    EXPECT_EQ(peer.NextLine(), "send 1027 2 3");
}

}  // namespace
}  // namespace tarvel::winmsg

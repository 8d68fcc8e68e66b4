#include "platform/winmsg/client.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/error/app_error.h"
#include "platform/winmsg/endpoint_folder.h"
#include "platform/winmsg/local_dispatch.h"
#include "platform/winmsg/unix_socket.h"
#include "platform/winmsg/wire.h"

namespace tarvel::winmsg {
namespace {

std::atomic<int> g_timeout_ms{3000};

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool WaitFor(int fd, short events, Clock::time_point deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int r = ::poll(&p, 1, MsLeft(deadline));
        if (r > 0) {
            return true;
        }
        if (r == 0 || errno != EINTR) {
            return false;
        }
    }
}

// Connects to an endpoint of this user. False when nobody listens there (a stale endpoint) or
// the listener belongs to someone else.
bool Connect(const UnixSocket& s, const std::string& path, Clock::time_point deadline) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (s.fd() < 0 || path.size() >= sizeof addr.sun_path) {
        return false;
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    if (::connect(s.fd(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        if (errno != EINPROGRESS && errno != EAGAIN) {
            return false;
        }
        if (!WaitFor(s.fd(), POLLOUT, deadline)) {
            return false;
        }
        int error = 0;
        socklen_t len = sizeof error;
        if (::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0) {
            return false;
        }
    }
    return PeerIsThisUser(s.fd());
}

bool WriteAll(const UnixSocket& s, const std::string& bytes, Clock::time_point deadline) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(s.fd(), bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(s.fd(), POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

bool ReadExactly(const UnixSocket& s, char* out, size_t size, Clock::time_point deadline) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::recv(s.fd(), out + done, size - done, 0);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(s.fd(), POLLIN, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

// The folder, or nothing when it is unsafe to use (said once on stderr).
std::optional<std::string> UsableFolder() {
    const std::string folder = EndpointFolder();
    try {
        CheckEndpointFolder(folder);
        return folder;
    } catch (const AppError& e) {
        static std::atomic<bool> said{false};
        if (!said.exchange(true)) {
            std::fprintf(stderr, "tarvel: %s\n", e.what());
        }
        return std::nullopt;
    }
}

}  // namespace

bool IsListening(const std::string& endpoint) {
    if (IsLocalEndpoint(endpoint)) {
        return true;
    }
    UnixSocket s;
    return Connect(s, endpoint, Clock::now() + std::chrono::milliseconds(AnswerTimeoutMs()));
}

namespace {

template <typename Match>
std::optional<WindowHandle> Find(Match match) {
    const auto folder = UsableFolder();
    if (!folder) {
        return std::nullopt;
    }
    for (const auto& info : ListEndpoints(*folder)) {
        if (match(info) && IsListening(info.socket_path)) {
            return WindowHandle{info.socket_path};
        }
    }
    return std::nullopt;
}

}  // namespace

void SetAnswerTimeoutMs(int ms) {
    g_timeout_ms = ms;
}
int AnswerTimeoutMs() {
    return g_timeout_ms;
}

std::optional<WindowHandle> FindWindowByClass(const std::string& class_name) {
    return Find([&](const EndpointInfo& info) { return info.class_name == class_name; });
}

std::optional<WindowHandle> FindWindowByTitle(const std::string& title) {
    return Find([&](const EndpointInfo& info) { return info.title == title; });
}

int32_t Deliver(const std::string& endpoint, const Incoming& message, bool* delivered,
                int timeout_ms) {
    if (delivered != nullptr) {
        *delivered = false;
    }
    // A window of this very process is served directly: waiting on our own socket would block
    // the event loop that has to answer it.
    if (auto local = DispatchLocally(endpoint, message)) {
        if (delivered != nullptr) {
            *delivered = true;
        }
        return *local;
    }
    if (message.data.size() > wire::kMaxData) {
        return 0;  // the receiver would refuse it
    }
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(timeout_ms > 0 ? timeout_ms : AnswerTimeoutMs());
    UnixSocket s;
    if (!Connect(s, endpoint, deadline) || !WriteAll(s, wire::EncodeRequest(message), deadline)) {
        return 0;
    }
    char result[4];
    if (message.op == Op::Post) {
        // The receiver acknowledges a post once it has queued it, so posts from one sender are
        // handled in the order they were made, even by different windows of one program.
        ReadExactly(s, result, sizeof result, deadline);
        if (delivered != nullptr) {
            *delivered = true;
        }
        return 0;
    }
    if (!ReadExactly(s, result, sizeof result, deadline)) {
        return 0;
    }
    if (delivered != nullptr) {
        *delivered = true;
    }
    return wire::DecodeResult(result);
}

int32_t SendMessage(const WindowHandle& window, uint32_t msg, int64_t wparam, int64_t lparam) {
    return Deliver(window.endpoint, Incoming{Op::Send, msg, wparam, lparam, 0, {}});
}

bool PostMessage(const WindowHandle& window, uint32_t msg, int64_t wparam, int64_t lparam) {
    bool delivered = false;
    Deliver(window.endpoint, Incoming{Op::Post, msg, wparam, lparam, 0, {}}, &delivered);
    return delivered;
}

int32_t SendCopyData(const WindowHandle& window, int32_t kind, const std::string& bytes) {
    return Deliver(window.endpoint, Incoming{Op::CopyData, WM_COPYDATA, 0, 0, kind, bytes});
}

int32_t ShowWindow(const WindowHandle& window, int show_command) {
    return Deliver(window.endpoint, Incoming{Op::Show, 0, show_command, 0, 0, {}});
}

int32_t SetTopmost(const WindowHandle& window, bool topmost) {
    return Deliver(window.endpoint, Incoming{Op::Topmost, 0, topmost ? 1 : 0, 0, 0, {}});
}

}  // namespace tarvel::winmsg

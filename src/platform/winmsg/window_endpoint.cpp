#include "platform/winmsg/window_endpoint.h"

#include <fmt/format.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QPointer>
#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/endpoint_folder.h"
#include "platform/winmsg/local_dispatch.h"
#include "platform/winmsg/unix_socket.h"
#include "platform/winmsg/wire.h"

namespace tarvel::winmsg {
namespace {

using Clock = std::chrono::steady_clock;

// How long the endpoint stops taking connections when the process is out of descriptors.
constexpr int kAcceptPauseMs = 100;

std::mutex g_local_mutex;
std::map<std::string, WindowEndpoint*>& LocalEndpoints() {
    static std::map<std::string, WindowEndpoint*> endpoints;
    return endpoints;
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

// Removes the endpoints of the folder that nobody listens on any more.
void ReclaimStale(const std::string& folder) {
    for (const auto& info : ListEndpoints(folder)) {
        if (!IsListening(info.socket_path)) {
            RemoveEndpoint(info.socket_path);
        }
    }
}

}  // namespace

bool IsLocalEndpoint(const std::string& endpoint) {
    std::lock_guard lock(g_local_mutex);
    return LocalEndpoints().count(endpoint) != 0;
}

std::optional<int32_t> DispatchLocally(const std::string& endpoint, const Incoming& message) {
    WindowEndpoint* target = nullptr;
    {
        std::lock_guard lock(g_local_mutex);
        const auto found = LocalEndpoints().find(endpoint);
        if (found == LocalEndpoints().end()) {
            return std::nullopt;
        }
        target = found->second;
    }
    if (message.op == Op::Post) {
        QPointer<WindowEndpoint> guard(target);
        QMetaObject::invokeMethod(
            target,
            [guard, message] {
                if (guard) {
                    guard->Handle(message);
                }
            },
            Qt::QueuedConnection);
        return 0;
    }
    return target->Handle(message);
}

EndpointListener::EndpointListener(std::string class_name, std::string title)
    : class_name_(OneLine(std::move(class_name))), title_(OneLine(std::move(title))) {
    const std::string folder = EndpointFolder();
    CheckEndpointFolder(folder);
    ReclaimStale(folder);
    static std::atomic<int> counter{0};
    path_ = fs::JoinPath(folder, fmt::format("{}-{}.sock", ::getpid(), ++counter));
    socket_ = std::make_unique<UnixSocket>();
    ListenOn(*socket_, path_);
    WriteEndpointInfo({path_, class_name_, title_});
}

EndpointListener::EndpointListener(EndpointListener&& other) noexcept
    : class_name_(std::move(other.class_name_)),
      title_(std::move(other.title_)),
      path_(std::exchange(other.path_, {})),
      socket_(std::move(other.socket_)) {}

EndpointListener& EndpointListener::operator=(EndpointListener&& other) noexcept {
    if (this != &other) {
        if (!path_.empty()) {
            RemoveEndpoint(path_);
        }
        class_name_ = std::move(other.class_name_);
        title_ = std::move(other.title_);
        path_ = std::exchange(other.path_, {});
        socket_ = std::move(other.socket_);
    }
    return *this;
}

EndpointListener::~EndpointListener() {
    if (!path_.empty()) {
        RemoveEndpoint(path_);
    }
}

WindowEndpoint::WindowEndpoint(std::string class_name, std::string title, Handler handler,
                               QObject* parent)
    : WindowEndpoint(EndpointListener(std::move(class_name), std::move(title)), std::move(handler),
                     {}, parent) {}

WindowEndpoint::WindowEndpoint(EndpointListener listener, Handler handler, EndpointLimits limits,
                               QObject* parent)
    : QObject(parent),
      listener_(std::move(listener)),
      handler_(std::move(handler)),
      limits_(limits) {
    accept_notifier_ = new QSocketNotifier(listener_.socket_->fd(), QSocketNotifier::Read, this);
    connect(accept_notifier_, &QSocketNotifier::activated, this, &WindowEndpoint::OnNewConnection);
    // Often enough that a connection outlives its time by a fraction of it at most.
    expiry_.setInterval(std::max<int>(10, static_cast<int>(limits_.request_time.count() / 4)));
    connect(&expiry_, &QTimer::timeout, this, &WindowEndpoint::CloseExpired);
    std::lock_guard lock(g_local_mutex);
    LocalEndpoints()[listener_.path_] = this;
}

WindowEndpoint::~WindowEndpoint() {
    std::lock_guard lock(g_local_mutex);
    LocalEndpoints().erase(listener_.path_);
}

void WindowEndpoint::SetTitle(const std::string& title) {
    listener_.title_ = OneLine(title);
    WriteEndpointInfo({listener_.path_, listener_.class_name_, listener_.title_});
}

int32_t WindowEndpoint::Handle(const Incoming& message) {
    return handler_ ? handler_(message) : 0;
}

// One accepted connection: its socket, the notifier that says it has bytes, the bytes of the
// request read so far, when it is closed if the request has not come whole, and whether its
// request is being answered (a handler may run a nested event loop meanwhile).
struct WindowEndpoint::Connection {
    Connection(int fd, Clock::time_point until) : socket(fd), deadline(until) {}
    UnixSocket socket;
    QSocketNotifier* notifier = nullptr;
    std::string buffer;
    Clock::time_point deadline;
    bool answering = false;
};

void WindowEndpoint::OnNewConnection() {
    for (;;) {
        const int fd =
            ::accept4(listener_.socket_->fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // The waiting connection stays readable: without a pause the notifier would
                // call again at once, for as long as the process has no descriptor to spare.
                accept_notifier_->setEnabled(false);
                QTimer::singleShot(kAcceptPauseMs, this,
                                   [this] { accept_notifier_->setEnabled(true); });
            }
            return;  // none left (EAGAIN)
        }
        auto connection = std::make_unique<Connection>(fd, Clock::now() + limits_.request_time);
        if (!PeerIsThisUser(fd) || !MakeRoom()) {
            continue;  // closed as it goes out of scope
        }
        connection->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(connection->notifier, &QSocketNotifier::activated, this,
                [this, fd] { OnReadable(fd); });
        connections_[fd] = std::move(connection);
        if (!expiry_.isActive()) {
            expiry_.start();
        }
    }
}

bool WindowEndpoint::MakeRoom() {
    if (connections_.size() < limits_.max_connections) {
        return true;
    }
    auto oldest = connections_.end();
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (!it->second->answering &&
            (oldest == connections_.end() || it->second->deadline < oldest->second->deadline)) {
            oldest = it;
        }
    }
    if (oldest == connections_.end()) {
        return false;
    }
    Close(oldest->first);
    return true;
}

void WindowEndpoint::CloseExpired() {
    const auto now = Clock::now();
    std::vector<int> expired;
    for (const auto& [fd, connection] : connections_) {
        if (!connection->answering && connection->deadline <= now) {
            expired.push_back(fd);
        }
    }
    for (const int fd : expired) {
        Close(fd);
    }
}

void WindowEndpoint::OnReadable(int fd) {
    const auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    Connection& connection = *found->second;
    std::optional<Incoming> message;
    bool sender_gone = false;
    char chunk[64 * 1024];
    // Reads until the request is whole (decoded after every chunk, so a sender cannot make the
    // buffer grow past one request), the socket is drained, or the sender has stopped sending.
    while (!message && !sender_gone) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            connection.buffer.append(chunk, static_cast<size_t>(n));
            size_t used = 0;
            bool malformed = false;
            message = wire::DecodeRequest(connection.buffer, &used, &malformed);
            if (malformed) {
                Close(fd);  // not a request, or one larger than any we take
                return;
            }
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            sender_gone = true;
        }
    }
    if (message && !sender_gone && message->op != Op::Post) {
        // A sender that waits for the answer closes only when it has stopped waiting.
        char probe = 0;
        sender_gone = ::recv(fd, &probe, 1, MSG_PEEK) == 0;
    }
    if (!message || (sender_gone && message->op != Op::Post)) {
        // Waits for the rest; or the sender went away before a whole request came, or stopped
        // waiting for its answer (it took no answer as 0, so the request is not carried out).
        if (sender_gone) {
            Close(fd);
        }
        return;
    }
    // One request per connection: nothing more is read from it, also while the handler runs a
    // nested event loop (a message box); nor is it closed meanwhile.
    connection.notifier->setEnabled(false);
    connection.answering = true;
    if (message->op == Op::Post) {
        // Queued like every posted message, then acknowledged at once.
        QMetaObject::invokeMethod(
            this, [this, m = *message] { Handle(m); }, Qt::QueuedConnection);
        Answer(fd, 0);
        return;
    }
    Answer(fd, Handle(*message));
}

void WindowEndpoint::Answer(int fd, int32_t result) {
    // A handful of bytes into an empty socket buffer: they go at once or the peer is gone.
    const std::string answer = wire::EncodeResult(result);
    ssize_t n = 0;
    do {
        n = ::send(fd, answer.data(), answer.size(), MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    Close(fd);
}

void WindowEndpoint::Close(int fd) {
    const auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    // The notifier may be the sender of the signal being handled: it is switched off now and
    // deleted once that is over; the socket closes here.
    found->second->notifier->setEnabled(false);
    found->second->notifier->deleteLater();
    connections_.erase(found);
    if (connections_.empty()) {
        expiry_.stop();
    }
}

}  // namespace tarvel::winmsg

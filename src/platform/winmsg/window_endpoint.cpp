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

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/endpoint_folder.h"
#include "platform/winmsg/local_dispatch.h"
#include "platform/winmsg/unix_socket.h"
#include "platform/winmsg/wire.h"

namespace tarvel::winmsg {
namespace {

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

WindowEndpoint::WindowEndpoint(std::string class_name, std::string title, Handler handler,
                               QObject* parent)
    : QObject(parent),
      class_name_(OneLine(std::move(class_name))),
      title_(OneLine(std::move(title))),
      handler_(std::move(handler)) {
    const std::string folder = EndpointFolder();
    CheckEndpointFolder(folder);
    ReclaimStale(folder);
    static std::atomic<int> counter{0};
    path_ = fs::JoinPath(folder, fmt::format("{}-{}.sock", ::getpid(), ++counter));
    listener_ = std::make_unique<UnixSocket>();
    ListenOn(*listener_, path_);
    accept_notifier_ = new QSocketNotifier(listener_->fd(), QSocketNotifier::Read, this);
    connect(accept_notifier_, &QSocketNotifier::activated, this, &WindowEndpoint::OnNewConnection);
    WriteEndpointInfo({path_, class_name_, title_});
    std::lock_guard lock(g_local_mutex);
    LocalEndpoints()[path_] = this;
}

WindowEndpoint::~WindowEndpoint() {
    {
        std::lock_guard lock(g_local_mutex);
        LocalEndpoints().erase(path_);
    }
    RemoveEndpoint(path_);
}

void WindowEndpoint::SetTitle(const std::string& title) {
    title_ = OneLine(title);
    WriteEndpointInfo({path_, class_name_, title_});
}

int32_t WindowEndpoint::Handle(const Incoming& message) {
    return handler_ ? handler_(message) : 0;
}

// One accepted connection: its socket, the notifier that says it has bytes, and the bytes of the
// request read so far.
struct WindowEndpoint::Connection {
    UnixSocket socket;
    QSocketNotifier* notifier;
    std::string buffer;
};

void WindowEndpoint::OnNewConnection() {
    for (;;) {
        const int fd = ::accept4(listener_->fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            return;  // none left (EAGAIN), or out of descriptors until one is closed
        }
        std::unique_ptr<Connection> connection(new Connection{UnixSocket(fd), nullptr, {}});
        if (!PeerIsThisUser(fd)) {
            continue;  // closed as it goes out of scope
        }
        connection->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(connection->notifier, &QSocketNotifier::activated, this,
                [this, fd] { OnReadable(fd); });
        connections_[fd] = std::move(connection);
    }
}

void WindowEndpoint::OnReadable(int fd) {
    const auto found = connections_.find(fd);
    if (found == connections_.end()) {
        return;
    }
    Connection& connection = *found->second;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            connection.buffer.append(chunk, static_cast<size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            Close(fd);  // the peer went away before a whole request came, or the socket failed
            return;
        }
    }
    size_t used = 0;
    bool malformed = false;
    const auto message = wire::DecodeRequest(connection.buffer, &used, &malformed);
    if (malformed) {
        Close(fd);
        return;
    }
    if (!message) {
        return;
    }
    // One request per connection: nothing more is read from it, also while the handler runs a
    // nested event loop (a message box).
    connection.notifier->setEnabled(false);
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
}

}  // namespace tarvel::winmsg

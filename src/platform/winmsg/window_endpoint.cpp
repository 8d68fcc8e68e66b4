#include "platform/winmsg/window_endpoint.h"

#include <fmt/format.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <atomic>
#include <map>
#include <mutex>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/endpoint_folder.h"
#include "platform/winmsg/local_dispatch.h"
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

bool PeerIsThisUser(QLocalSocket* socket) {
    ucred peer{};
    socklen_t len = sizeof peer;
    return ::getsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED,
                        &peer, &len) == 0 &&
           peer.uid == ::getuid();
}

// Removes the endpoints of the folder that nobody listens on any more.
void ReclaimStale(const std::string& folder) {
    for (const auto& info : ListEndpoints(folder)) {
        if (!IsListening(info.socket_path)) {
            RemoveEndpoint(info.socket_path);
        }
    }
}

void Answer(QLocalSocket* socket, int32_t result) {
    const std::string answer = wire::EncodeResult(result);
    socket->write(answer.data(), static_cast<qint64>(answer.size()));
    socket->flush();
    socket->disconnectFromServer();
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
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(QString::fromStdString(path_));
    if (!server_->listen(QString::fromStdString(path_))) {
        throw AppError(fmt::format("Cannot open the window endpoint \"{}\": {}", path_,
                                   server_->errorString().toStdString()));
    }
    connect(server_, &QLocalServer::newConnection, this, &WindowEndpoint::OnNewConnection);
    WriteEndpointInfo({path_, class_name_, title_});
    std::lock_guard lock(g_local_mutex);
    LocalEndpoints()[path_] = this;
}

WindowEndpoint::~WindowEndpoint() {
    {
        std::lock_guard lock(g_local_mutex);
        LocalEndpoints().erase(path_);
    }
    server_->close();
    RemoveEndpoint(path_);
}

void WindowEndpoint::SetTitle(const std::string& title) {
    title_ = OneLine(title);
    WriteEndpointInfo({path_, class_name_, title_});
}

int32_t WindowEndpoint::Handle(const Incoming& message) {
    return handler_ ? handler_(message) : 0;
}

void WindowEndpoint::OnNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsThisUser(socket)) {
            socket->abort();
            continue;
        }
        auto buffer = std::make_shared<std::string>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            const QByteArray bytes = socket->readAll();
            buffer->append(bytes.constData(), static_cast<size_t>(bytes.size()));
            size_t used = 0;
            bool malformed = false;
            const auto message = wire::DecodeRequest(*buffer, &used, &malformed);
            if (malformed) {
                socket->abort();
                return;
            }
            if (!message) {
                return;
            }
            buffer->clear();
            if (message->op == Op::Post) {
                // Queued like every posted message, then acknowledged at once.
                QMetaObject::invokeMethod(
                    this, [this, m = *message] { Handle(m); }, Qt::QueuedConnection);
                Answer(socket, 0);
                return;
            }
            // The handler may run a nested event loop (a message box) in which the peer goes
            // away; the guard keeps the answer from going to a deleted socket.
            QPointer<QLocalSocket> guard(socket);
            const int32_t result = Handle(*message);
            if (guard) {
                Answer(socket, result);
            }
        });
    }
}

}  // namespace tarvel::winmsg

#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/winmsg/messages.h"

class QSocketNotifier;

namespace tarvel::winmsg {

class UnixSocket;

// A window's endpoint, listening and findable by its class name and title, before there is an
// event loop to serve it (at program entry). Requests that come in the meantime wait in the
// system's queue until a WindowEndpoint takes the listener over. Going away unused, it removes
// the endpoint.
class EndpointListener {
  public:
    // Throws AppError when the endpoint folder is refused or the endpoint cannot listen.
    EndpointListener(std::string class_name, std::string title);
    EndpointListener(EndpointListener&&) noexcept;
    EndpointListener& operator=(EndpointListener&&) noexcept;
    ~EndpointListener();

    const std::string& Path() const { return path_; }

  private:
    friend class WindowEndpoint;
    std::string class_name_;
    std::string title_;
    std::string path_;
    std::unique_ptr<UnixSocket> socket_;
};

// What one endpoint lets its peers hold.
struct EndpointLimits {
    // Connections open at once. A new one beyond this closes the one open longest (unless its
    // request is being answered), so a flood of connections holds a few descriptors and a new
    // caller still gets in.
    size_t max_connections = 32;
    // A connection that has not brought its whole request by then is closed: idle and half-sent
    // requests hold nothing for long. Requests above wire::kMaxData are refused at their header.
    std::chrono::milliseconds request_time = std::chrono::milliseconds(3000);
};

// The receiving side: makes a window of this program findable by its class name and its title
// for as long as the object lives, and hands every message that arrives to the handler, on the
// thread of the Qt event loop. Stale endpoints left by killed programs are removed when a new
// endpoint registers.
class WindowEndpoint : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<int32_t(const Incoming&)>;

    // Throws AppError when the endpoint folder is refused or the endpoint cannot listen.
    WindowEndpoint(std::string class_name, std::string title, Handler handler,
                   QObject* parent = nullptr);
    // Serves an endpoint made before the event loop, with the requests that wait there.
    WindowEndpoint(EndpointListener listener, Handler handler, EndpointLimits limits = {},
                   QObject* parent = nullptr);
    ~WindowEndpoint() override;

    void SetTitle(const std::string& title);
    const std::string& ClassName() const { return listener_.class_name_; }
    const std::string& Path() const { return listener_.path_; }
    // Connections open now (accepted and not yet answered).
    size_t OpenConnections() const { return connections_.size(); }

    // Runs the handler for one message (also used for messages from this process).
    int32_t Handle(const Incoming& message);

  private:
    struct Connection;

    void OnNewConnection();
    // Makes room for one more connection; false when every open one is being answered.
    bool MakeRoom();
    void OnReadable(int fd);
    void CloseExpired();
    // Answers a request and ends its connection.
    void Answer(int fd, int32_t result);
    void Close(int fd);

    EndpointListener listener_;
    Handler handler_;
    EndpointLimits limits_;
    QSocketNotifier* accept_notifier_ = nullptr;
    QTimer expiry_;
    std::map<int, std::unique_ptr<Connection>> connections_;
};

}  // namespace tarvel::winmsg

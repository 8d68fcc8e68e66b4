#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/winmsg/messages.h"

class QSocketNotifier;

namespace tarvel::winmsg {

class UnixSocket;

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
    ~WindowEndpoint() override;

    void SetTitle(const std::string& title);
    const std::string& ClassName() const { return class_name_; }
    const std::string& Path() const { return path_; }

    // Runs the handler for one message (also used for messages from this process).
    int32_t Handle(const Incoming& message);

  private:
    struct Connection;

    void OnNewConnection();
    void OnReadable(int fd);
    // Answers a request and ends its connection.
    void Answer(int fd, int32_t result);
    void Close(int fd);

    std::string class_name_;
    std::string title_;
    Handler handler_;
    std::string path_;
    std::unique_ptr<UnixSocket> listener_;
    QSocketNotifier* accept_notifier_ = nullptr;
    std::map<int, std::unique_ptr<Connection>> connections_;
};

}  // namespace tarvel::winmsg

#pragma once

#include <sys/socket.h>
#include <unistd.h>

#include <string>

// Unix-domain stream sockets as both sides of window messages use them: non-blocking, closed on
// exec, and trusted only when the peer runs as this user.
namespace tarvel::winmsg {

class UnixSocket {
  public:
    // A new unconnected socket; fd() is -1 when the system refused one.
    UnixSocket();
    // Takes over an accepted connection.
    explicit UnixSocket(int fd) : fd_(fd) {}
    ~UnixSocket();
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;
    int fd() const { return fd_; }

  private:
    int fd_;
};

// Whether the process at the other end of a connected socket belongs to this user.
bool PeerIsThisUser(int fd);

// Listens on `path` (replacing any socket file left there) with access for this user only.
// Throws AppError naming the path when that fails.
void ListenOn(const UnixSocket& socket, const std::string& path);

}  // namespace tarvel::winmsg

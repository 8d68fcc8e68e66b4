#include "platform/winmsg/unix_socket.h"

#include <fmt/format.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"

namespace tarvel::winmsg {

UnixSocket::UnixSocket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {}

UnixSocket::~UnixSocket() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t len = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &len) == 0 && peer.uid == ::getuid();
}

void ListenOn(const UnixSocket& socket, const std::string& path) {
    const auto fail = [&path](int error) {
        throw AppError(
            fmt::format("Cannot open the window endpoint \"{}\": {}", path, fs::ErrnoText(error)));
    };
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
        fail(ENAMETOOLONG);
    }
    if (socket.fd() < 0) {
        fail(errno);
    }
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    ::unlink(path.c_str());
    if (::bind(socket.fd(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(socket.fd(), SOMAXCONN) != 0) {
        const int error = errno;
        ::unlink(path.c_str());
        fail(error);
    }
}

}  // namespace tarvel::winmsg

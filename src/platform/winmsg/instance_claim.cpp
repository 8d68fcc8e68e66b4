#include "platform/winmsg/instance_claim.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"

namespace tarvel::winmsg {

std::unique_ptr<InstanceClaim> InstanceClaim::TryClaim(const std::string& folder,
                                                       const std::string& name) {
    const std::string path = fs::JoinPath(folder, name + ".lock");
    // Closed on exec: a program the instance starts must not keep the claim after it ends.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        throw AppError(
            fmt::format("Cannot open the instance lock \"{}\": {}", path, fs::ErrnoText(errno)));
    }
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return nullptr;
        }
        throw AppError(
            fmt::format("Cannot take the instance lock \"{}\": {}", path, fs::ErrnoText(error)));
    }
    return std::unique_ptr<InstanceClaim>(new InstanceClaim(fd));
}

InstanceClaim::~InstanceClaim() {
    ::close(fd_);
}

}  // namespace tarvel::winmsg

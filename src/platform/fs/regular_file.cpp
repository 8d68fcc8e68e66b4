#include "platform/fs/regular_file.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"

namespace tarvel::fs {
namespace {

// File systems whose files are made by the kernel as they are read.
bool IsKernelFileSystem(unsigned long type) {
    switch (type) {
        case PROC_SUPER_MAGIC:
        case SYSFS_MAGIC:
        case DEBUGFS_MAGIC:
        case TRACEFS_MAGIC:
        case SECURITYFS_MAGIC:
            return true;
        default:
            return false;
    }
}

}  // namespace

int OpenRegularFile(const std::string& path, uint64_t& size, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        why = ErrnoText(errno);
        return -1;
    }
    struct stat st {};
    struct statfs where {};
    if (::fstat(fd, &st) != 0 || ::fstatfs(fd, &where) != 0) {
        why = ErrnoText(errno);
    } else if (!S_ISREG(st.st_mode)) {
        why = kNotARegularFile;
    } else if (IsKernelFileSystem(static_cast<unsigned long>(where.f_type))) {
        why = kKernelFile;
    } else {
        size = static_cast<uint64_t>(st.st_size);
        return fd;
    }
    ::close(fd);
    return -1;
}

int OpenRegularFileOrFail(const std::string& path, uint64_t& size) {
    std::string why;
    const int fd = OpenRegularFile(path, size, why);
    if (fd < 0) {
        throw AppError(fmt::format("Cannot open file \"{}\": {}", path, why));
    }
    return fd;
}

bool IsRegularFile(const std::string& path, std::string& why) {
    uint64_t size = 0;
    const int fd = OpenRegularFile(path, size, why);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

}  // namespace tarvel::fs

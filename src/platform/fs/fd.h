#pragma once

#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"

// File descriptors for the file layer's own use: closed on every path out of a function, with
// failures raised as AppError naming the file.
namespace tarvel::fs {

[[noreturn]] inline void FailFile(const char* what, const std::string& path, int error) {
    throw AppError(fmt::format("Cannot {} file \"{}\": {}", what, path, ErrnoText(error)));
}

// Closes a descriptor on every path out of a function.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close can be reported.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

inline void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            FailFile("write", path, errno);
        }
        done += static_cast<size_t>(n);
    }
}

}  // namespace tarvel::fs

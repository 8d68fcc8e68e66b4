#include "platform/fs/fast_copy.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/fs/fd.h"
#include "platform/fs/regular_file.h"

namespace tarvel::fs {
namespace {

// Copies the whole of `in` (size bytes) to `out` in the kernel; falls back to reading and
// writing where the two file systems cannot copy between each other.
void CopyBytes(int in, int out, off_t size, const std::string& from, const std::string& to) {
    off_t done = 0;
    while (done < size) {
        const ssize_t n =
            ::copy_file_range(in, nullptr, out, nullptr, static_cast<size_t>(size - done), 0);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n == 0) {
            break;  // the source became shorter while copying
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) {
            FailFile("copy to", to, errno);
        }
        std::vector<char> buffer(1 << 20);
        for (;;) {
            const ssize_t got = ::read(in, buffer.data(), buffer.size());
            if (got == 0) {
                return;
            }
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                FailFile("read", from, errno);
            }
            WriteAll(out, std::string_view(buffer.data(), static_cast<size_t>(got)), to);
        }
    }
}

}  // namespace

void CopyFileFast(const std::string& from, const std::string& to) {
    uint64_t size = 0;
    Fd in(OpenRegularFileOrFail(from, size));
    struct stat source {};
    if (::fstat(in.get(), &source) != 0) {
        FailFile("read", from, errno);
    }
    struct stat target {};
    if (::stat(to.c_str(), &target) == 0 && target.st_dev == source.st_dev &&
        target.st_ino == source.st_ino) {
        return;  // copying a file onto itself: it already holds what it should
    }
    std::string temp = to + ".XXXXXX";
    Fd out(::mkstemp(temp.data()));
    if (out.get() < 0) {
        FailFile("create", temp, errno);
    }
    try {
        ::fchmod(out.get(), source.st_mode & 07777);
        CopyBytes(in.get(), out.get(), source.st_size, from, to);
        if (out.Close() != 0) {
            FailFile("write", to, errno);
        }
        if (::rename(temp.c_str(), to.c_str()) != 0) {
            FailFile("replace", to, errno);
        }
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

}  // namespace tarvel::fs

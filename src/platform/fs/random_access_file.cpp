#include "platform/fs/random_access_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/fs/regular_file.h"

namespace tarvel::fs {
namespace {

// pread until `count` bytes or the end of the file; -1 on an error.
int64_t ReadFully(int fd, uint64_t offset, char* out, size_t count) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd, out + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

}  // namespace

RandomAccessFile::RandomAccessFile(const std::string& path, size_t head_bytes) {
    std::string why;
    const int fd = OpenRegularFile(path, size_, why);
    if (fd < 0) {
        size_ = 0;
        return;
    }
    head_.resize(static_cast<size_t>(std::min<uint64_t>(size_, head_bytes)));
    const int64_t got = ReadFully(fd, 0, head_.data(), head_.size());
    if (got < 0) {
        ::close(fd);
        head_.clear();
        return;
    }
    head_.resize(static_cast<size_t>(got));
    fd_ = fd;
}

RandomAccessFile::~RandomAccessFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

int64_t RandomAccessFile::ReadAt(uint64_t offset, void* out, size_t count) {
    if (fd_ < 0) {
        return -1;
    }
    char* target = static_cast<char*>(out);
    if (offset + count <= head_.size()) {
        std::memcpy(target, head_.data() + offset, count);
        return static_cast<int64_t>(count);
    }
    return ReadFully(fd_, offset, target, count);
}

}  // namespace tarvel::fs

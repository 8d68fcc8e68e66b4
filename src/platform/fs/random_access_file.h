#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvel::fs {

// A regular file opened for reading only, read at any offset. The first block of the file is
// read once when it opens and later reads inside it are answered from memory, so a reader that
// looks at the head and the tail of a small file costs one open, one stat and one read.
class RandomAccessFile {
  public:
    // Opens the path as OpenRegularFile does. A missing file, anything that is not a regular
    // file (a folder, a named pipe, a device, a kernel file under /proc), and a failing open or
    // read leave the object closed (ok() false); nothing throws.
    explicit RandomAccessFile(const std::string& path, size_t head_bytes = 32 * 1024);
    ~RandomAccessFile();
    RandomAccessFile(const RandomAccessFile&) = delete;
    RandomAccessFile& operator=(const RandomAccessFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    uint64_t size() const { return size_; }
    // Reads up to `count` bytes at `offset` into `out`; returns how many were read (fewer at the
    // end of the file), or -1 on a read error or a closed file.
    int64_t ReadAt(uint64_t offset, void* out, size_t count);

  private:
    int fd_ = -1;
    uint64_t size_ = 0;
    std::string head_;  // the first bytes of the file
};

}  // namespace tarvel::fs

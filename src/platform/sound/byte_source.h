#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarvel::sound {

// The bytes a decoder reads through callbacks, a little at a time as it decodes: a file, or in
// tests a wrapper that counts what was read.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Reads up to bytes bytes at the current position: how many were read (0 at the end), or
    // -1 on a read error.
    virtual std::int64_t Read(void* out, std::size_t bytes) = 0;
    // Moves as lseek does (whence SEEK_SET, SEEK_CUR or SEEK_END): the new position, or -1.
    virtual std::int64_t Seek(std::int64_t offset, int whence) = 0;
};

// A regular file's bytes. Throws SoundError NotFound when it cannot be opened.
std::unique_ptr<ByteSource> OpenFileBytes(const std::string& path);

}  // namespace tarvel::sound

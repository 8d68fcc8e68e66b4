#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// What the tag and header readers read from: a sequence of bytes of known size, read at any
// offset. The readers themselves never touch the file system, so they can be fed bytes built in
// memory (tests, fuzzing) or an open file.
namespace tarvel::library {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // False when the source could not be opened; every read then fails.
    virtual bool ok() const = 0;
    virtual uint64_t size() const = 0;
    // Reads up to `count` bytes at `offset`; returns how many were read (fewer at the end), or
    // -1 on a read error.
    virtual int64_t ReadAt(uint64_t offset, void* out, size_t count) = 0;
};

// Bytes held in memory.
class MemorySource : public ByteSource {
  public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    bool ok() const override { return true; }
    uint64_t size() const override { return bytes_.size(); }
    int64_t ReadAt(uint64_t offset, void* out, size_t count) override;

  private:
    std::string_view bytes_;
};

// A file opened for reading only; a file that cannot be opened, or is not a regular file, gives
// a source that is not ok().
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);

}  // namespace tarvel::library

#include "library/byte_source.h"

#include <algorithm>
#include <cstring>

#include "platform/fs/random_access_file.h"

namespace tarvel::library {
namespace {

class FileSource : public ByteSource {
  public:
    explicit FileSource(const std::string& path) : file_(path) {}
    bool ok() const override { return file_.ok(); }
    uint64_t size() const override { return file_.size(); }
    int64_t ReadAt(uint64_t offset, void* out, size_t count) override {
        return file_.ReadAt(offset, out, count);
    }

  private:
    fs::RandomAccessFile file_;
};

}  // namespace

int64_t MemorySource::ReadAt(uint64_t offset, void* out, size_t count) {
    if (offset >= bytes_.size()) {
        return 0;
    }
    const size_t n = std::min<uint64_t>(count, bytes_.size() - offset);
    std::memcpy(out, bytes_.data() + offset, n);
    return static_cast<int64_t>(n);
}

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path) {
    return std::make_unique<FileSource>(path);
}

}  // namespace tarvel::library

#include "platform/sound/byte_source.h"

#include <fmt/format.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/fs/random_access_file.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

// Reads the file in blocks of 64 KiB: the decoder asks for a few hundred bytes at a time (a
// frame header, then its body), which would otherwise cost a system call each.
class FileBytes final : public ByteSource {
  public:
    // Nothing is read when the file opens: the decoder asks for what it needs.
    explicit FileBytes(const std::string& path) : file_(path, 0) {}

    bool ok() const { return file_.ok(); }

    std::int64_t Read(void* out, std::size_t bytes) override {
        auto* target = static_cast<char*>(out);
        std::size_t done = 0;
        while (done < bytes) {
            if (position_ < block_at_ || position_ >= block_at_ + block_.size()) {
                const std::int64_t got = Load();
                if (got < 0) {
                    return done > 0 ? static_cast<std::int64_t>(done) : -1;
                }
                if (got == 0) {
                    break;  // the end of the file
                }
            }
            const std::size_t from = static_cast<std::size_t>(position_ - block_at_);
            const std::size_t n = std::min(bytes - done, block_.size() - from);
            std::memcpy(target + done, block_.data() + from, n);
            done += n;
            position_ += n;
        }
        return static_cast<std::int64_t>(done);
    }

    std::int64_t Seek(std::int64_t offset, int whence) override {
        std::int64_t base = 0;
        if (whence == SEEK_CUR) {
            base = static_cast<std::int64_t>(position_);
        } else if (whence == SEEK_END) {
            base = static_cast<std::int64_t>(file_.size());
        } else if (whence != SEEK_SET) {
            return -1;
        }
        if (base + offset < 0) {
            return -1;
        }
        position_ = static_cast<std::uint64_t>(base + offset);
        return static_cast<std::int64_t>(position_);
    }

  private:
    static constexpr std::size_t kBlock = 64 * 1024;

    // The block that holds the position: how many bytes it has, or -1 on a read error.
    std::int64_t Load() {
        block_.resize(kBlock);
        const std::int64_t got = file_.ReadAt(position_, block_.data(), kBlock);
        block_.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        block_at_ = position_;
        return got;
    }

    fs::RandomAccessFile file_;
    std::uint64_t position_ = 0;
    std::vector<char> block_;
    std::uint64_t block_at_ = 0;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileBytes(const std::string& path) {
    auto file = std::make_unique<FileBytes>(path);
    if (!file->ok()) {
        throw SoundError(SoundFault::NotFound, fmt::format("{}: cannot open the file", path));
    }
    return file;
}

}  // namespace tarvel::sound

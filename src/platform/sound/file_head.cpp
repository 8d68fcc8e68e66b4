#include "platform/sound/file_head.h"

#include <fmt/format.h>

#include "platform/fs/file_ops.h"
#include "platform/fs/random_access_file.h"
#include "platform/fs/regular_file.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

void RequireSongFile(const std::string& path) {
    std::string why;
    if (fs::IsRegularFile(path, why)) {
        return;
    }
    throw SoundError(SoundFault::NotFound, fs::EntryExists(path)
                                               ? fmt::format("{}: {}", path, why)
                                               : fmt::format("{}: file not found", path));
}

std::string ReadHead(const std::string& path, std::uint64_t offset, std::size_t bytes) {
    fs::RandomAccessFile file(path, 0);
    std::string head(bytes, '\0');
    const std::int64_t got = file.ReadAt(offset, head.data(), bytes);
    head.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return head;
}

}  // namespace tarvel::sound

#include "platform/sound/file_head.h"

#include <fstream>

namespace tarvel::sound {

std::string ReadHead(const std::string& path, std::uint64_t offset, std::size_t bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in || !in.seekg(static_cast<std::streamoff>(offset))) {
        return {};
    }
    std::string head(bytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(bytes));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

}  // namespace tarvel::sound

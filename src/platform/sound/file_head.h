#pragma once

#include <cstdint>
#include <string>

namespace tarvel::sound {

// Up to bytes bytes of a file from offset on, for recognising formats; fewer at the end of the
// file, none when it cannot be read (the decoder that opens it then says why).
std::string ReadHead(const std::string& path, std::uint64_t offset, std::size_t bytes);

}  // namespace tarvel::sound

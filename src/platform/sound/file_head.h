#pragma once

#include <cstdint>
#include <string>

namespace tarvel::sound {

// Throws SoundError NotFound unless the path names a regular file that opens without waiting:
// "PATH: file not found" when there is nothing under the name, else "PATH: " and the reason (a
// named pipe, a device or a kernel file such as /proc/kmsg is no song, and reading one could
// wait or never end).
void RequireSongFile(const std::string& path);

// Up to bytes bytes of a file from offset on, for recognising formats; fewer at the end of the
// file, none when it cannot be read (the decoder that opens it then says why).
std::string ReadHead(const std::string& path, std::uint64_t offset, std::size_t bytes);

}  // namespace tarvel::sound

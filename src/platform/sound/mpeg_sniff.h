#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvel::sound {

// True when the bytes (the start of a file) hold MPEG audio: after an optional ID3v2 tag, two
// consecutive valid frame headers within the first few kilobytes. A text or module file does not
// pass, so it is not handed to the MPEG decoder, which would resynchronise on stray bytes.
bool LooksLikeMpegAudio(std::string_view head);

// Size in bytes of the frame whose 4-byte header starts at p, or 0 when it is no valid header.
std::size_t MpegFrameSize(const unsigned char* p);

}  // namespace tarvel::sound

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::sound {

// The table of contents of the disc in CdSource().
struct CdToc {
    int track_count = 0;                   // 0: no disc (or it cannot be read)
    std::vector<std::int64_t> lengths_ms;  // track 1 first
};

// The current disc's table of contents, read from the disc once per disc: asking again reads it
// again only after the disc changed (another source, the image's CUE sheet rewritten, or the
// drive reporting a media change), so a timer may ask as often as it likes. Thread-safe.
CdToc CurrentCdToc();

// How many times a table of contents was read from a disc in this process.
std::uint64_t CdTocReads();

}  // namespace tarvel::sound

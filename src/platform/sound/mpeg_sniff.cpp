#include "platform/sound/mpeg_sniff.h"

namespace tarvel::sound {

namespace {

// kbit/s by [MPEG-1?][layer 1..3][index]
constexpr int kBitrates[2][3][16] = {
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
};
constexpr int kRates[3] = {44100, 48000, 32000};

constexpr std::size_t kSearchLimit = 8192;

}  // namespace

std::size_t MpegFrameSize(const unsigned char* p) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) {
        return 0;
    }
    const int version = (p[1] >> 3) & 3;  // 0 = 2.5, 1 = reserved, 2 = 2, 3 = 1
    const int layer_bits = (p[1] >> 1) & 3;
    const int bitrate_index = p[2] >> 4;
    const int rate_index = (p[2] >> 2) & 3;
    if (version == 1 || layer_bits == 0 || bitrate_index == 0 || bitrate_index == 15 ||
        rate_index == 3) {
        return 0;
    }
    const int layer = 4 - layer_bits;
    const bool mpeg1 = version == 3;
    const int rate = kRates[rate_index] >> (mpeg1 ? 0 : (version == 2 ? 1 : 2));
    const int bitrate = kBitrates[mpeg1 ? 1 : 0][layer - 1][bitrate_index] * 1000;
    const int padding = (p[2] >> 1) & 1;
    if (layer == 1) {
        return static_cast<std::size_t>((12 * bitrate / rate + padding) * 4);
    }
    const int factor = (layer == 3 && !mpeg1) ? 72 : 144;
    return static_cast<std::size_t>(factor * bitrate / rate + padding);
}

bool LooksLikeMpegAudio(std::string_view head) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(head.data());
    std::size_t start = 0;
    if (head.size() >= 10 && head.substr(0, 3) == "ID3") {
        // Synch-safe tag size, plus the footer when the flags announce one.
        const std::size_t size = (std::size_t{bytes[6]} << 21) | (std::size_t{bytes[7]} << 14) |
                                 (std::size_t{bytes[8]} << 7) | bytes[9];
        start = 10 + size + ((bytes[5] & 0x10) ? 10 : 0);
    }
    const std::size_t end = start + kSearchLimit;
    for (std::size_t i = start; i + 4 <= head.size() && i < end; ++i) {
        const std::size_t size = MpegFrameSize(bytes + i);
        if (size == 0) {
            continue;
        }
        const std::size_t next = i + size;
        if (next + 4 > head.size()) {
            // A file of a single frame: accept it when it starts the data.
            return i == start && next <= head.size();
        }
        // Same version, layer and sampling rate in the following header.
        if (MpegFrameSize(bytes + next) != 0 && (bytes[next + 1] & 0xFE) == (bytes[i + 1] & 0xFE) &&
            (bytes[next + 2] & 0x0C) == (bytes[i + 2] & 0x0C)) {
            return true;
        }
    }
    return false;
}

}  // namespace tarvel::sound

#include "library/mpeg_audio.h"

#include <cmath>
#include <cstring>

namespace tarvel::library {
namespace {

// Version indices: 0 MPEG 2.5, 1 reserved, 2 MPEG 2, 3 MPEG 1. Layer indices: 1 Layer III,
// 2 Layer II, 3 Layer I.
constexpr int kMpeg1 = 3;
constexpr int kLayer1 = 3;
constexpr int kLayer2 = 2;
constexpr int kMono = 3;

// kbit/s by [MPEG 1 or not][layer index][bit-rate index].
constexpr int kBitRates[2][4][16] = {
    // MPEG 2 and 2.5
    {{0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}},
    // MPEG 1
    {{0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}},
};

// Hz by [version index][sample-rate index].
constexpr int kSampleRates[4][4] = {
    {11025, 12000, 8000, 0},
    {0, 0, 0, 0},
    {22050, 24000, 16000, 0},
    {44100, 48000, 32000, 0},
};

constexpr const char* kChannelModes[5] = {"Stereo", "Joint Stereo", "Dual Channel", "Mono",
                                          "Unknown"};

uint32_t BigEndian32(const unsigned char* b) {
    return uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | b[3];
}

}  // namespace

bool TMPEGaudio::IsFrameHeader(const unsigned char* b) {
    const int version = b[1] >> 3 & 3;
    const int layer = b[1] >> 1 & 3;
    const int bitrate = b[2] >> 4;
    const int samplerate = b[2] >> 2 & 3;
    const int emphasis = b[3] & 3;
    return b[0] == 0xFF && (b[1] & 0xE0) == 0xE0 && version != 1 && layer != 0 && bitrate != 15 &&
           bitrate != 0 && samplerate != 3 && emphasis != 2;
}

void TMPEGaudio::Reset() {
    id3v1_.Reset();
    id3v2_.Reset();
    file_length_ = 0;
    vbr_ = VbrRecord();
    frame_ = FrameRecord();
}

void TMPEGaudio::Decode(const unsigned char* b) {
    std::memcpy(frame_.header.data(), b, 4);
    frame_.version_index = b[1] >> 3 & 3;
    frame_.layer_index = b[1] >> 1 & 3;
    frame_.protection = (b[1] & 1) ^ 1;
    frame_.bitrate_index = b[2] >> 4;
    frame_.samplerate_index = b[2] >> 2 & 3;
    frame_.padding = b[2] >> 1 & 1;
    frame_.private_bit = b[2] & 1;
    frame_.channel_mode_index = b[3] >> 6;
    frame_.mode_extension_index = b[3] >> 4 & 3;
    frame_.copyright = b[3] >> 3 & 1;
    frame_.original = b[3] >> 2 & 1;
    frame_.emphasis_index = b[3] & 3;
}

int TMPEGaudio::TableBitRate() const {
    if (frame_.version_index == 1) {
        return 0;
    }
    return kBitRates[frame_.version_index == kMpeg1][frame_.layer_index][frame_.bitrate_index];
}

uint16_t TMPEGaudio::SampleRate() const {
    return static_cast<uint16_t>(kSampleRates[frame_.version_index][frame_.samplerate_index & 3]);
}

int TMPEGaudio::Coefficient() const {
    if (frame_.layer_index == kLayer1) {
        return 48;
    }
    if (frame_.version_index == kMpeg1 || frame_.layer_index == kLayer2) {
        return 144;
    }
    return 72;
}

int TMPEGaudio::PaddingBytes() const {
    if (!frame_.padding) {
        return 0;
    }
    return frame_.layer_index == kLayer1 ? 4 : 1;
}

int TMPEGaudio::FrameSize() const {
    const int64_t rate = SampleRate();
    if (rate == 0) {
        return 0;
    }
    return static_cast<int>(int64_t{Coefficient()} * TableBitRate() * 1000 / rate) + PaddingBytes();
}

int TMPEGaudio::VbrOffset() const {
    const bool mono = frame_.channel_mode_index == kMono;
    if (frame_.version_index == kMpeg1) {
        return mono ? 21 : 36;
    }
    return mono ? 13 : 21;
}

void TMPEGaudio::SearchVbr(const unsigned char* at) {
    vbr_ = VbrRecord();
    if (std::memcmp(at, "Xing", 4) == 0) {
        vbr_ = {true, "Xing", BigEndian32(at + 8), BigEndian32(at + 12)};
    } else if (std::memcmp(at, "VBRI", 4) == 0) {
        vbr_ = {true, "VBRI", BigEndian32(at + 14), BigEndian32(at + 10)};
    }
}

void TMPEGaudio::SearchFrame(const unsigned char* buffer) {
    frame_ = FrameRecord();
    for (size_t i = 0; i <= kSearchStarts; ++i) {
        if (!IsFrameHeader(buffer + i)) {
            continue;
        }
        Decode(buffer + i);
        const size_t size = static_cast<size_t>(FrameSize());
        if (i + size + 4 <= kSearchBuffer && IsFrameHeader(buffer + i + size)) {
            frame_.found = true;
            frame_.position = static_cast<uint32_t>(i);
            frame_.size = static_cast<uint16_t>(size);
            SearchVbr(buffer + i + VbrOffset());
            return;
        }
    }
    // No confirmed frame: the record keeps the last candidate's fields, but not found.
    frame_.found = false;
}

bool TMPEGaudio::Read(const std::string& path) {
    Reset();
    auto source = OpenFileSource(path);
    return Read(*source);
}

bool TMPEGaudio::Read(ByteSource& source) {
    Reset();
    bool result = id3v2_.Read(source) && id3v1_.Read(source);
    if (result) {
        file_length_ = static_cast<int64_t>(source.size());
        const uint64_t start = id3v2_.tag_size;
        unsigned char buffer[kSearchBuffer + 64] = {};
        const int64_t got = source.ReadAt(start, buffer, kSearchBuffer);
        if (got < 0) {
            result = false;
        } else {
            SearchFrame(buffer);
            if (!frame_.found && got == static_cast<int64_t>(kSearchBuffer)) {
                const uint64_t middle = static_cast<uint64_t>(file_length_ - start) / 2;
                std::memset(buffer, 0, sizeof buffer);
                if (source.ReadAt(middle, buffer, kSearchBuffer) < 0) {
                    result = false;
                } else {
                    SearchFrame(buffer);
                }
            }
        }
    }
    if (!frame_.found) {
        Reset();
    }
    return result;
}

double TMPEGaudio::ExactBitRate() const {
    if (vbr_.found && vbr_.frames > 0) {
        const double per_frame = static_cast<double>(vbr_.bytes) / vbr_.frames - PaddingBytes();
        return std::nearbyint(per_frame * SampleRate() / Coefficient() / 1000);
    }
    return TableBitRate();
}

uint16_t TMPEGaudio::BitRate() const {
    const double rate = ExactBitRate();
    return rate < 0 || rate > 65535 ? 0 : static_cast<uint16_t>(rate);
}

double TMPEGaudio::Duration() const {
    if (!frame_.found) {
        return 0;
    }
    if (vbr_.found && vbr_.frames >= 1) {
        return static_cast<double>(int64_t{Coefficient()} * vbr_.frames * 8) / SampleRate();
    }
    const int64_t audio = file_length_ - id3v2_.tag_size - (id3v1_.exists ? 128 : 0) -
                          static_cast<int64_t>(frame_.position);
    return static_cast<double>(audio) / TableBitRate() / 1000 * 8;
}

std::string TMPEGaudio::ChannelMode() const {
    return kChannelModes[frame_.channel_mode_index < 0 || frame_.channel_mode_index > 4
                             ? 4
                             : frame_.channel_mode_index];
}

bool TMPEGaudio::Valid() const {
    const double rate = ExactBitRate();
    return frame_.found && rate >= 8 && rate <= 448 && Duration() >= 0.1;
}

}  // namespace tarvel::library

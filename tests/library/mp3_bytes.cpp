#include "library/mp3_bytes.h"

namespace tarvel::testing {

std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                  const std::string& year, int track, unsigned char genre) {
    std::string tag(128, '\0');
    Put(tag, 0, "TAG");
    Put(tag, 3, title.substr(0, 30));
    Put(tag, 33, artist.substr(0, 30));
    Put(tag, 63, album.substr(0, 30));
    Put(tag, 93, year.substr(0, 4));
    if (track >= 0) {
        tag[125] = 0;
        tag[126] = static_cast<char>(track);
    }
    tag[127] = static_cast<char>(genre);
    return tag;
}

std::string BigEndian32(uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string Frame(const std::string& id, const std::string& data, unsigned char flags2,
                  int64_t size) {
    const auto length = static_cast<uint32_t>(size >= 0 ? size : static_cast<int64_t>(data.size()));
    return id + BigEndian32(length) + std::string(1, '\0') + static_cast<char>(flags2) + data;
}

std::string Frame22(const std::string& id, const std::string& data) {
    const auto length = static_cast<uint32_t>(data.size());
    return id + BigEndian32(length).substr(1) + data;
}

std::string Latin1(const std::string& text) {
    return std::string(1, '\0') + text;
}

std::string Utf16(const std::u16string& text, bool mark) {
    std::string data(1, '\1');
    if (mark) {
        data += "\xFF\xFE";
    }
    for (char16_t c : text) {
        data += static_cast<char>(c & 0xFF);
        data += static_cast<char>(c >> 8);
    }
    return data;
}

std::string Utf16Be(const std::u16string& text) {
    std::string data = "\1\xFE\xFF";
    for (char16_t c : text) {
        data += static_cast<char>(c >> 8);
        data += static_cast<char>(c & 0xFF);
    }
    return data;
}

std::string Id3v2Header(int version, uint32_t declared, unsigned char flags) {
    std::string header = "ID3";
    header += static_cast<char>(version);
    header += '\0';
    header += static_cast<char>(flags);
    for (int shift : {21, 14, 7, 0}) {
        header += static_cast<char>(declared >> shift & 0x7F);
    }
    return header;
}

std::string Id3v2(int version, const std::string& frames, size_t padding, unsigned char flags) {
    const std::string body = frames + std::string(padding, '\0');
    return Id3v2Header(version, static_cast<uint32_t>(body.size()), flags) + body;
}

std::string FrameHeader(const FrameKind& kind) {
    const int version_bits = kind.version == 1 ? 3 : kind.version == 2 ? 2 : 0;
    const int layer_bits = 4 - kind.layer;
    std::string header(4, '\0');
    header[0] = '\xFF';
    header[1] = static_cast<char>(0xE0 | version_bits << 3 | layer_bits << 1 | 1);
    header[2] = static_cast<char>(kind.bit_rate_index << 4 | kind.sample_rate_index << 2 |
                                  (kind.padding ? 2 : 0));
    header[3] = static_cast<char>(kind.mode << 6);
    return header;
}

std::string AudioFrame(const FrameKind& kind, size_t size) {
    std::string frame = FrameHeader(kind);
    frame.resize(size, '\0');
    return frame;
}

std::string AudioFrames(const FrameKind& kind, size_t size, int count) {
    std::string frames;
    for (int i = 0; i < count; ++i) {
        frames += AudioFrame(kind, size);
    }
    return frames;
}

void Put(std::string& bytes, size_t offset, const std::string& text) {
    if (bytes.size() < offset + text.size()) {
        bytes.resize(offset + text.size(), '\0');
    }
    bytes.replace(offset, text.size(), text);
}

}  // namespace tarvel::testing

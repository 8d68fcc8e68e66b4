#include "library/id3v2.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "library/id3_text.h"

namespace tarvel::library {
namespace {

// Identifiers of the recognised frames, in the order of TID3v2::Frame.
constexpr std::string_view kIds23[] = {"TIT2", "TIT1", "TPE1", "TOPE", "TALB",
                                       "TOAL", "TRCK", "TYER", "TDRC"};
constexpr std::string_view kIds22[] = {"TT2", "TT1", "TP1", "TOA", "TAL",
                                       "TOT", "TRK", "TYE", "TOR"};

uint32_t BigEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

uint32_t Synchsafe(const unsigned char* bytes) {
    return uint32_t{bytes[0] & 0x7Fu} << 21 | uint32_t{bytes[1] & 0x7Fu} << 14 |
           uint32_t{bytes[2] & 0x7Fu} << 7 | uint32_t{bytes[3] & 0x7Fu};
}

// The track number of a track text such as "7" or "7/12": the digits before the first "/";
// 0 when they are not a plain decimal number that fits 16 bits.
uint16_t TrackNumber(std::string_view text) {
    text = text.substr(0, text.find('/'));
    uint16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return 0;
    }
    return value;
}

// Undoes unsynchronisation: drops the zero byte the writer put after every 0xFF.
std::string Resynchronise(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += bytes[i];
        if (bytes[i] == '\xFF' && i + 1 < bytes.size() && bytes[i + 1] == '\0') {
            ++i;
        }
    }
    return out;
}

// True when a frame header, zero padding or the end of the frames is at `position`.
bool FrameFollows(ByteSource& source, uint64_t position, uint64_t end) {
    if (position >= end) {
        return position == end;
    }
    unsigned char id[4];
    if (position + 4 > end || source.ReadAt(position, id, 4) != 4) {
        return false;
    }
    if (id[0] == 0) {
        return true;
    }
    return std::all_of(id, id + 4, [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

}  // namespace

void TID3v2::Reset() {
    exists = false;
    version = 0;
    tag_size = 0;
    title.clear();
    artist.clear();
    album.clear();
    year.clear();
    track = 0;
    user_texts.clear();
    is_kept_.fill(false);  // the buffers of frames not kept are never read
}

bool TID3v2::Read(const std::string& path) {
    Reset();
    auto source = OpenFileSource(path);
    return Read(*source);
}

bool TID3v2::Read(ByteSource& source) {
    Reset();
    unsigned char header[kHeaderSize];
    if (!source.ok() ||
        source.ReadAt(0, header, kHeaderSize) != static_cast<int64_t>(kHeaderSize)) {
        return false;
    }
    if (std::memcmp(header, "ID3", 3) != 0) {
        return true;
    }
    exists = true;
    version = header[3];
    uint64_t size = uint64_t{Synchsafe(header + 6)} + kHeaderSize;
    if (header[5] & 0x10) {
        size += 10;  // footer
    }
    tag_size = size > source.size() ? 0 : static_cast<uint32_t>(size);
    if (version >= 2 && version <= 4 && tag_size >= 1) {
        WalkFrames(source);
        DeriveFields();
    }
    return true;
}

void TID3v2::WalkFrames(ByteSource& source) {
    unsigned char tag_flags = 0;
    if (source.ReadAt(5, &tag_flags, 1) != 1) {
        return;
    }
    if (version == 3 && (tag_flags & 0x80) && tag_size <= kMaxUnsynchronisedTag) {
        // The whole tag was unsynchronised (a zero byte after every 0xFF): undo it, then walk
        // the frames of the restored tag.
        std::string tag(tag_size, '\0');
        if (source.ReadAt(0, tag.data(), tag.size()) != static_cast<int64_t>(tag.size())) {
            return;
        }
        tag = kHeaderSize > tag.size()
                  ? tag
                  : tag.substr(0, kHeaderSize) + Resynchronise(tag.substr(kHeaderSize));
        MemorySource restored(tag);
        WalkFrames(restored, tag.size(), tag_flags, false);
        return;
    }
    WalkFrames(source, tag_size, tag_flags, version == 4 && (tag_flags & 0x80));
}

void TID3v2::WalkFrames(ByteSource& source, uint64_t end, unsigned char tag_flags,
                        bool unsynchronised) {
    const bool short_layout = version == 2;
    const size_t header_size = short_layout ? 6 : 10;
    const size_t id_size = short_layout ? 3 : 4;
    const auto& ids = short_layout ? kIds22 : kIds23;

    uint64_t position = kHeaderSize;
    if ((tag_flags & 0x40) && !short_layout) {
        // An extended header sits between the tag header and the first frame.
        unsigned char length[4];
        if (source.ReadAt(kHeaderSize, length, 4) != 4) {
            return;
        }
        position += version == 3 ? 4 + uint64_t{BigEndian(length, 4)} : Synchsafe(length);
    }

    FrameBuffer buffer;
    while (position < end && position < source.size()) {
        unsigned char header[10];
        if (source.ReadAt(position, header, header_size) != static_cast<int64_t>(header_size)) {
            return;
        }
        if (header[0] < 'A' || header[0] > 'Z') {
            return;  // padding reached
        }
        const uint64_t data_start = position + header_size;
        const uint64_t size = short_layout ? BigEndian(header + 3, 3)
                                           : FrameSize(source, header + 4, data_start, end);
        const unsigned char flags = short_layout ? 0 : header[9];
        // Compressed or encrypted frame data is not text; version 2.4 moved those flags.
        const bool keep = !(flags & 0x80) && !(version == 3 && (flags & 0x40)) &&
                          !(version == 4 && (flags & 0x0C));
        // In version 2.4 a data-length indicator of 4 bytes may come before the data.
        const uint64_t skip = version == 4 && (flags & 0x01) && size >= 4 ? 4 : 0;

        buffer.fill(0);
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(size - skip, buffer.size()));
        if (source.ReadAt(data_start + skip, buffer.data(), wanted) < 0) {
            return;
        }
        if (unsynchronised || (version == 4 && (flags & 0x02))) {
            const std::string data = Resynchronise(std::string_view(buffer.data(), wanted));
            buffer.fill(0);
            std::copy(data.begin(), data.end(), buffer.begin());
        }
        const std::string_view id(reinterpret_cast<const char*>(header), id_size);
        if (keep_user_texts && keep && id == (short_layout ? "TXX" : "TXXX")) {
            user_texts.emplace_back(buffer.data(), wanted);
        }
        for (int f = 0; keep && f < kFrameCount; ++f) {
            if (id == ids[f] && static_cast<unsigned char>(buffer[0]) <= 3) {
                kept_[f] = buffer;
                is_kept_[f] = true;
            }
        }
        position = data_start + size;
    }
}

uint64_t TID3v2::FrameSize(ByteSource& source, const unsigned char* size_bytes, uint64_t data_start,
                           uint64_t end) const {
    const uint64_t plain = BigEndian(size_bytes, 4);
    if (version != 4) {
        return plain;
    }
    // Version 2.4 sizes are synchsafe, but some writers put plain numbers there. Take the
    // reading after which the next frame (or the end of the frames) follows.
    const bool synchsafe_bytes =
        std::none_of(size_bytes, size_bytes + 4, [](unsigned char b) { return b & 0x80; });
    if (!synchsafe_bytes) {
        return plain;
    }
    const uint64_t synchsafe = Synchsafe(size_bytes);
    if (synchsafe == plain || FrameFollows(source, data_start + synchsafe, end) ||
        !FrameFollows(source, data_start + plain, end)) {
        return synchsafe;
    }
    return plain;
}

std::string TID3v2::KeptText(Frame frame) const {
    if (!is_kept_[frame]) {
        return {};
    }
    return FrameText(std::string_view(kept_[frame].data(), kept_[frame].size()), unmarked);
}

void TID3v2::DeriveFields() {
    const auto first_of = [this](Frame main, Frame alternative) {
        std::string text = KeptText(main);
        return text.empty() ? KeptText(alternative) : text;
    };
    title = first_of(kTitle, kTitleAlt);
    artist = first_of(kArtist, kArtistAlt);
    album = first_of(kAlbum, kAlbumAlt);
    track = TrackNumber(KeptText(kTrack));
    year = KeptText(kYear);
    if (year.empty()) {
        year = KeptText(kDate).substr(0, 4);
    }
}

}  // namespace tarvel::library

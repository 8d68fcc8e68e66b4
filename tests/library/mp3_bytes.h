#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Byte builders for tag and stream fixtures: ID3v1 and ID3v2 tags, text frames and MPEG audio
// frames, put together in memory exactly as a test needs them.
namespace tarvel::testing {

// A 128-byte ID3v1 tag. A track >= 0 makes a version 1.1 tag (byte 125 zero, byte 126 track).
std::string Id3v1(const std::string& title, const std::string& artist, const std::string& album,
                  const std::string& year, int track = -1, unsigned char genre = 12);

// A version 2.3/2.4 frame (10-byte header) and a version 2.2 frame (6-byte header). `size`
// overrides the size written in the header.
std::string Frame(const std::string& id, const std::string& data, unsigned char flags2 = 0,
                  int64_t size = -1);
std::string Frame22(const std::string& id, const std::string& data);
// Text frame data: the encoding byte, then the text.
std::string Latin1(const std::string& text);
// Encoding 1 with the mark FF FE and little-endian units (`mark` false leaves the mark out).
std::string Utf16(const std::u16string& text, bool mark = true);
// Encoding 1 with the mark FE FF and big-endian units.
std::string Utf16Be(const std::u16string& text);
// The tag: header with the major version and flags, the frames, then `padding` zero bytes.
std::string Id3v2(int version, const std::string& frames, size_t padding = 0,
                  unsigned char flags = 0);
// The 10-byte header of a tag whose size field says `declared` bytes after the header.
std::string Id3v2Header(int version, uint32_t declared, unsigned char flags = 0);

// A frame header's four bytes. version: 1 = MPEG 1, 2 = MPEG 2, 25 = MPEG 2.5; layer 1..3;
// bit_rate_index and sample_rate_index as in the header; mode 0..3.
struct FrameKind {
    int version = 1;
    int layer = 3;
    int bit_rate_index = 9;     // 128 kbit/s for MPEG 1 Layer III
    int sample_rate_index = 0;  // 44100 Hz for MPEG 1
    bool padding = false;
    int mode = 1;  // joint stereo
};
std::string FrameHeader(const FrameKind& kind);
// One frame of `size` bytes (header then zeros).
std::string AudioFrame(const FrameKind& kind, size_t size);
// `count` frames of the given size.
std::string AudioFrames(const FrameKind& kind, size_t size, int count);
// Writes `text` into `bytes` at `offset`.
void Put(std::string& bytes, size_t offset, const std::string& text);
std::string BigEndian32(uint32_t value);

}  // namespace tarvel::testing

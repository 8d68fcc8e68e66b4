#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "library/byte_source.h"
#include "library/id3v1.h"
#include "library/id3v2.h"

namespace tarvel::library {

// Reader of the first MPEG audio frame of a file and of its Xing or VBRI header: the stream facts
// the library keeps (bit rate, duration, sample rate, channel mode). It looks for a frame header
// confirmed by a second header one frame later, in a window of 3458 bytes after the version-2
// tag and, failing that, in the same window at the middle of the file.
class TMPEGaudio {
  public:
    static constexpr size_t kSearchBuffer = 3458;
    static constexpr size_t kSearchStarts = 1729;  // start offsets 0..1729 are tried

    struct VbrRecord {
        bool found = false;
        std::string id;  // "Xing" or "VBRI"
        uint32_t frames = 0;
        uint32_t bytes = 0;
    };
    struct FrameRecord {
        bool found = false;
        uint32_t position = 0;  // offset of the frame in the window it was found in
        uint16_t size = 0;
        std::array<unsigned char, 4> header{};
        int version_index = 1;
        int layer_index = 0;
        int protection = 0;
        int bitrate_index = 0;
        int samplerate_index = 3;
        int padding = 0;
        int private_bit = 0;
        int channel_mode_index = 4;
        int mode_extension_index = 4;
        int copyright = 0;
        int original = 0;
        int emphasis_index = 2;
    };

    // Resets every field and reads the file. True when both tag reads succeeded and the file
    // was read without error; a frame may still be missing (see Valid).
    bool Read(const std::string& path);
    bool Read(ByteSource& source);
    void Reset();

    // A frame was found, 8 <= bit rate <= 448 and the duration is at least 0.1 s.
    bool Valid() const;
    // kbit/s: from the VBR header when it has frames, else the frame header's table value.
    uint16_t BitRate() const;
    uint16_t SampleRate() const;
    // Seconds.
    double Duration() const;
    std::string ChannelMode() const;

    const FrameRecord& frame() const { return frame_; }
    const VbrRecord& vbr() const { return vbr_; }
    const TID3v1& id3v1() const { return id3v1_; }
    const TID3v2& id3v2() const { return id3v2_; }

    // The pieces of the search, exposed for tests.
    static bool IsFrameHeader(const unsigned char* b);
    // Searches a window; fills the frame and VBR records when a confirmed frame is found.
    void SearchFrame(const unsigned char* buffer);

  private:
    void Decode(const unsigned char* b);
    int TableBitRate() const;
    int Coefficient() const;
    int PaddingBytes() const;
    int FrameSize() const;
    int VbrOffset() const;
    double ExactBitRate() const;
    void SearchVbr(const unsigned char* at);

    TID3v1 id3v1_;
    TID3v2 id3v2_;
    int64_t file_length_ = 0;
    VbrRecord vbr_;
    FrameRecord frame_;
};

}  // namespace tarvel::library

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "library/byte_source.h"
#include "library/id3_text.h"

namespace tarvel::library {

// Reader of the ID3 version 2.2/2.3/2.4 tag at the start of a file: title, artist, album, year
// and track number from the text frames (see id3v2.cpp for the frames and the rules).
class TID3v2 {
  public:
    static constexpr size_t kHeaderSize = 10;
    static constexpr size_t kFrameBufferSize = 500;

    // Resets the fields, then reads the tag. False when the file cannot be opened or read or is
    // shorter than 10 bytes; true otherwise, whether or not a tag was found (see exists).
    bool Read(const std::string& path);
    bool Read(ByteSource& source);
    void Reset();

    // How frames of encoding 0 are read; kept by Reset.
    UnmarkedText unmarked = UnmarkedText::Windows1251;

    bool exists = false;
    uint8_t version = 0;    // the major version byte of the header
    uint32_t tag_size = 0;  // the whole tag with header and footer; 0 when it exceeds the file
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    uint16_t track = 0;

    // When set before a read, the data of every user text frame ("TXXX", "TXX" in version 2.2)
    // is kept in user_texts, at most kFrameBufferSize bytes of each (ReplayGain values live
    // there). Off for the scan, which has no use for them.
    bool keep_user_texts = false;
    std::vector<std::string> user_texts;

  private:
    // The frames the system reads, in both identifier layouts.
    enum Frame {
        kTitle,
        kTitleAlt,
        kArtist,
        kArtistAlt,
        kAlbum,
        kAlbumAlt,
        kTrack,
        kYear,
        kDate,
        kFrameCount
    };
    using FrameBuffer = std::array<char, kFrameBufferSize>;

    // Tags up to this size are read whole to undo a tag-wide unsynchronisation.
    static constexpr uint32_t kMaxUnsynchronisedTag = 16 * 1024 * 1024;

    void WalkFrames(ByteSource& source);
    void WalkFrames(ByteSource& source, uint64_t end, unsigned char tag_flags, bool unsynchronised);
    uint64_t FrameSize(ByteSource& source, const unsigned char* size_bytes, uint64_t data_start,
                       uint64_t end) const;
    void DeriveFields();
    std::string KeptText(Frame frame) const;

    std::array<FrameBuffer, kFrameCount> kept_{};
    std::array<bool, kFrameCount> is_kept_{};
};

}  // namespace tarvel::library

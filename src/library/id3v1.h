#pragma once

#include <cstdint>
#include <string>

#include "library/byte_source.h"
#include "library/id3_text.h"

namespace tarvel::library {

// Reader of the 128-byte ID3 version 1.0/1.1 tag at the end of a file.
class TID3v1 {
  public:
    static constexpr size_t kTagSize = 128;

    // Resets the fields, then reads the tag. False when the file cannot be opened or read or is
    // shorter than 128 bytes (the fields stay reset); true otherwise, whether or not a tag was
    // found (see exists).
    bool Read(const std::string& path);
    bool Read(ByteSource& source);
    // Reads the fields from the last 128 bytes of a file.
    void Parse(const unsigned char* tag);
    void Reset() {
        const UnmarkedText kept = unmarked;
        *this = TID3v1();
        unmarked = kept;
    }

    // How the tag's text is read (it declares no encoding); kept by Reset.
    UnmarkedText unmarked = UnmarkedText::Windows1251;
    bool exists = false;
    uint8_t version = 1;  // 1 = version 1.0, 2 = version 1.1
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    uint8_t track = 0;
    uint8_t genre = 255;
};

}  // namespace tarvel::library

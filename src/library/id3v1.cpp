#include "library/id3v1.h"

#include <cstring>
#include <string_view>

#include "library/id3_text.h"

namespace tarvel::library {
namespace {

std::string Field(const unsigned char* tag, size_t from, size_t length, UnmarkedText how) {
    const std::string_view raw(reinterpret_cast<const char*>(tag) + from, length);
    return UnmarkedToUtf8(TrimRightControls(BeforeNul(raw)), how);
}

}  // namespace

bool TID3v1::Read(const std::string& path) {
    Reset();
    auto source = OpenFileSource(path);
    return Read(*source);
}

bool TID3v1::Read(ByteSource& source) {
    Reset();
    if (!source.ok() || source.size() < kTagSize) {
        return false;
    }
    unsigned char tag[kTagSize];
    if (source.ReadAt(source.size() - kTagSize, tag, kTagSize) != static_cast<int64_t>(kTagSize)) {
        return false;
    }
    Parse(tag);
    return true;
}

void TID3v1::Parse(const unsigned char* tag) {
    Reset();
    if (std::memcmp(tag, "TAG", 3) != 0) {
        return;
    }
    exists = true;
    version = (tag[125] == 0 && tag[126] != 0) || (tag[125] == 0x20 && tag[126] != 0x20) ? 2 : 1;
    title = Field(tag, 3, 30, unmarked);
    artist = Field(tag, 33, 30, unmarked);
    album = Field(tag, 63, 30, unmarked);
    year = Field(tag, 93, 4, unmarked);
    if (version == 2) {
        comment = Field(tag, 97, 28, unmarked);
        track = tag[126];
    } else {
        comment = Field(tag, 97, 30, unmarked);
    }
    genre = tag[127];
}

}  // namespace tarvel::library

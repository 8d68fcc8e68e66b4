#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/formats/music_formats.h"

namespace TagLib {
class File;
}

namespace tarvel::library {

// What the tag library reads of one file. Texts are the program's internal text; a number or
// fact the file does not give is 0.
struct TaggedFacts {
    std::string artist;
    std::string album;
    std::string title;
    std::string genre;
    unsigned year = 0;
    unsigned track = 0;
    int bit_rate = 0;  // average, kbit/s
    int duration_ms = 0;
    int sample_rate = 0;
    int channels = 0;
};

// A music file of any format but MPEG audio, opened by the tag library (TagLib) as the format
// its name claims, its stream facts read in the library's fast style (from the headers, no
// audio decoded). Owns the open file; the file is closed when this goes.
class TaggedFile {
  public:
    TaggedFile(const std::string& path, formats::MusicFormat format);
    ~TaggedFile();
    TaggedFile(const TaggedFile&) = delete;
    TaggedFile& operator=(const TaggedFile&) = delete;

    // False when the file could not be read as its format (missing, unreadable, or holding
    // something else); nothing else may then be asked.
    bool valid() const;
    TaggedFacts Facts() const;
    // The first value of a tag field by its common name (such as "REPLAYGAIN_TRACK_GAIN"):
    // Vorbis comments, APE items, ID3 user texts, ASF attributes and MP4 freeform atoms. Empty
    // when the file has no such field.
    std::string Field(std::string_view name) const;

  private:
    std::unique_ptr<TagLib::File> file_;
};

}  // namespace tarvel::library

#pragma once

#include <optional>
#include <string>

#include "library/byte_source.h"
#include "library/id3v1.h"
#include "library/id3v2.h"
#include "library/mpeg_audio.h"
#include "library/song_record.h"

namespace tarvel::library {

// The three readers the scanner is given; they are made once and used for every file.
struct TagReaders {
    TID3v1 id3v1;
    TID3v2 id3v2;
    TMPEGaudio mpeg;

    // How both tag readers read text without a declared Unicode encoding.
    void SetUnmarked(UnmarkedText how) {
        id3v1.unmarked = how;
        id3v2.unmarked = how;
    }
};

// The song record the scanner writes for one file: the fields chosen from both tags (the
// version-2 value unless it says nothing, then the version-1 value, then the defaults), the
// stream facts from the MPEG header reader when it found a valid stream, and the path. A file
// that cannot be read gets the defaults. The file is opened once for all readers.
SongRecord ReadSongRecord(const std::string& path, TagReaders& readers);
// The same over bytes already at hand (the path is still used for the title and the path cell).
SongRecord ReadSongRecord(const std::string& path, ByteSource& source, TagReaders& readers);

// The record of a music file of any supported format. A name whose extension is another format
// than MP3 (formats::FormatOf) is read by the tag library: the fields from the file's own tags,
// the stream facts from its headers, with the same defaults; such a file that cannot be read as
// its format gives nothing, and `why` says why. Every other name is read as an MP3
// (ReadSongRecord) and always gives a record.
std::optional<SongRecord> ReadMusicFile(const std::string& path, TagReaders& readers,
                                        std::string& why);

// The title made from a file name: the name (after the last separator) without its last four
// characters (`cut` of them when given), every other character kept.
std::string TitleFromFileName(const std::string& path, size_t cut = 4);

}  // namespace tarvel::library

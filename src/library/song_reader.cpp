#include "library/song_reader.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "library/tagged_file.h"
#include "platform/formats/music_formats.h"
#include "platform/fs/file_ops.h"
#include "platform/text/unicode.h"

namespace tarvel::library {
namespace {

// The fields both tags can give, in the order they are merged.
struct TagValues {
    std::string title{kUnknown};
    std::string album{kUnknown};
    std::string artist{kUnknown};
    std::string year{kNoYear};
    std::string genre{kUnknown};
    std::string track{kNoNumber};
};

bool SaysNothing(const std::string& value) {
    return value.empty() || value == kUnknown || value == kNoYear || value == kNoNumber;
}

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void Merge(std::string& into, const std::string& version2, const std::string& version1,
           std::string_view fallback) {
    into = SaysNothing(version2) ? version1 : version2;
    if (into.empty()) {
        into = fallback;
    }
}

// The values a tag gives when it is read and exists; the starting values otherwise. The genre is
// never taken from a tag.
template <typename Reader>
TagValues ReadTag(bool readable, Reader& tag, ByteSource& source) {
    TagValues values;
    if (readable && tag.Read(source) && tag.exists) {
        values.title = tag.title;
        values.album = tag.album;
        values.artist = tag.artist;
        values.year = tag.year;
        values.track = std::to_string(tag.track);
    }
    return values;
}

std::string OrDefault(std::string value, std::string_view fallback) {
    return value.empty() ? std::string(fallback) : value;
}

std::string NumberOrZero(unsigned number, std::string_view zero) {
    return number == 0 ? std::string(zero) : std::to_string(number);
}

std::string ChannelModeOf(int channels) {
    switch (channels) {
        case 1:
            return "Mono";
        case 2:
            return "Stereo";
        default:
            return std::string(kUnknown);
    }
}

// The record of a file the tag library read. A genre of "CD" would make the row stand for an
// audio-CD track, so it is kept as an unknown genre.
SongRecord TaggedRecord(const std::string& path, const TaggedFacts& facts) {
    SongRecord record;
    record[kArtist] = OrDefault(facts.artist, kUnknown);
    record[kAlbum] = OrDefault(facts.album, kUnknown);
    record[kTitle] = OrDefault(facts.title, kUnknown);
    record[kYear] = NumberOrZero(facts.year, kNoYear);
    record[kGenre] =
        facts.genre == kCdGenre ? std::string(kUnknown) : OrDefault(facts.genre, kUnknown);
    record[kTrack] = NumberOrZero(facts.track, kNoNumber);
    record[kBitRate] = std::to_string(std::max(facts.bit_rate, 0));
    record[kDuration] = std::to_string(std::max(facts.duration_ms, 0));
    record[kSampleRate] = std::to_string(std::max(facts.sample_rate, 0));
    record[kChannelMode] = ChannelModeOf(facts.channels);
    if (record[kTitle] == kUnknown) {
        // The name without its extension, whatever its length.
        record[kTitle] = TitleFromFileName(path, formats::ExtensionOf(path).size());
    }
    record[kPath] = path;
    return record;
}

}  // namespace

std::optional<SongRecord> ReadMusicFile(const std::string& path, TagReaders& readers,
                                        std::string& why) {
    const auto format = formats::FormatOf(path);
    if (!format || *format == formats::MusicFormat::Mpeg) {
        return ReadSongRecord(path, readers);
    }
    const TaggedFile file(path, *format);
    const std::string_view claimed = formats::ExtensionOf(path).substr(1);
    if (!file.valid()) {
        why = fmt::format("cannot be read as {} music", claimed);
        return std::nullopt;
    }
    const TaggedFacts facts = file.Facts();
    if (facts.sample_rate <= 0 && facts.duration_ms <= 0) {
        why = fmt::format("no {} stream found in it", claimed);
        return std::nullopt;
    }
    return TaggedRecord(path, facts);
}

std::string TitleFromFileName(const std::string& path, size_t cut) {
    const std::string name = fs::FileNameOf(path);
    const size_t count = text::CharCount(name);
    return std::string(text::FirstChars(name, count > cut ? count - cut : 0));
}

SongRecord ReadSongRecord(const std::string& path, TagReaders& readers) {
    if (path.empty()) {
        MemorySource nothing({});
        return ReadSongRecord(path, nothing, readers);
    }
    auto source = OpenFileSource(path);
    return ReadSongRecord(path, *source, readers);
}

SongRecord ReadSongRecord(const std::string& path, ByteSource& source, TagReaders& readers) {
    const bool readable = !path.empty() && source.ok();

    TagValues v1 = ReadTag(readable, readers.id3v1, source);
    if (!AllDigits(v1.year)) {
        v1.year.clear();
    }
    const TagValues v2 = ReadTag(readable, readers.id3v2, source);

    SongRecord record;
    Merge(record[kTitle], v2.title, v1.title, kUnknown);
    Merge(record[kAlbum], v2.album, v1.album, kUnknown);
    Merge(record[kArtist], v2.artist, v1.artist, kUnknown);
    Merge(record[kYear], v2.year, v1.year, kNoYear);
    Merge(record[kGenre], v2.genre, v1.genre, kUnknown);
    Merge(record[kTrack], v2.track, v1.track, kNoNumber);

    record[kBitRate] = kNoNumber;
    record[kDuration] = kNoNumber;
    record[kSampleRate] = kNoNumber;
    record[kChannelMode] = kUnknown;
    TMPEGaudio& mpeg = readers.mpeg;
    if (readable && mpeg.Read(source) && mpeg.Valid()) {
        record[kBitRate] = std::to_string(mpeg.BitRate());
        record[kDuration] =
            std::to_string(static_cast<int64_t>(std::nearbyint(mpeg.Duration() * 1000)));
        record[kSampleRate] = std::to_string(mpeg.SampleRate());
        record[kChannelMode] = mpeg.ChannelMode();
    }

    if (record[kTitle] == kUnknown) {
        record[kTitle] = TitleFromFileName(path);
    }
    record[kPath] = path;
    return record;
}

}  // namespace tarvel::library

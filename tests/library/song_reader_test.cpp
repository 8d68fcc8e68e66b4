#include <gtest/gtest.h>

#include "library/mp3_bytes.h"
#include "library/song_reader.h"

namespace tarvel::library {
namespace {

using namespace tarvel::testing;

struct MergeCase {
    const char* what;
    std::string v2_frames;  // empty: no version-2 tag
    std::string v1_title;
    std::string v1_year;
    bool with_v1;
    const char* title;
    const char* year;
    const char* track;
};

// How the scanner chooses each field: the version-2 value unless it says nothing ("Unknown",
// "0000", "0" or empty), then the version-1 value, then the defaults; "Unknown" as the final
// title becomes the file name.
TEST(SongReader, MergesBothTagsFieldByField) {
    const MergeCase cases[] = {
        {"empty v2 title falls back to v1", Frame("TIT2", Latin1("")), "Track", "2001", true,
         "Track", "2001", "1"},
        {"Unknown in both tags gives the file name", Frame("TIT2", Latin1("Unknown")), "Unknown",
         "", true, "My Song", "0000", "1"},
        {"v1 year with a letter is dropped", {}, "T", "19a9", true, "T", "0000", "1"},
        {"v1 year with a space is dropped", {}, "T", "19 9", true, "T", "0000", "1"},
        {"v2 year wins over v1", Frame("TYER", Latin1("1977")), "T", "1999", true, "T", "1977",
         "1"},
        {"v2 year 0000 leaves the v1 year", Frame("TYER", Latin1("0000")), "T", "1999", true, "T",
         "1999", "1"},
        {"v2 track 0 leaves the v1 track", Frame("TRCK", Latin1("A7")), "T", "", true, "T", "0000",
         "1"},
        {"v2 track wins", Frame("TRCK", Latin1("5/9")), "T", "", true, "T", "0000", "5"},
        {"no tags: defaults and the file name", {}, "", "", false, "My Song", "0000", "0"},
    };
    TagReaders readers;
    for (const auto& c : cases) {
        std::string bytes;
        if (!c.v2_frames.empty()) {
            bytes += Id3v2(3, c.v2_frames);
        }
        bytes += std::string(200, '\0');
        if (c.with_v1) {
            bytes += Id3v1(c.v1_title, "", "", c.v1_year, 1);
        }
        MemorySource source(bytes);
        const SongRecord record = ReadSongRecord("/music/My Song.mp3", source, readers);
        EXPECT_EQ(record[kTitle], c.title) << c.what;
        EXPECT_EQ(record[kYear], c.year) << c.what;
        EXPECT_EQ(record[kTrack], c.track) << c.what;
        EXPECT_EQ(record[kArtist], "Unknown") << c.what;
        EXPECT_EQ(record[kGenre], "Unknown") << c.what;
        EXPECT_EQ(record[kBitRate], "0") << c.what;
    }
}

TEST(SongReader, TitlesFromFileNamesKeepTheirCharactersWithoutTheLastFour) {
    EXPECT_EQ(TitleFromFileName("/m/Кино - Звезда.mp3"), "Кино - Звезда");
    EXPECT_EQ(TitleFromFileName("/m/소녀시대.mp3"), "소녀시대");
    EXPECT_EQ(TitleFromFileName("/m/Кино.flac"), "Кино.");  // four characters, not bytes
    EXPECT_EQ(TitleFromFileName("/m/a.mp3"), "a");
    EXPECT_EQ(TitleFromFileName("/m/.mp3"), "");  // four characters or fewer: empty
    EXPECT_EQ(TitleFromFileName("/m/Vol.1"), "V");
}

}  // namespace
}  // namespace tarvel::library

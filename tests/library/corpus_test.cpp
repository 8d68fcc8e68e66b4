#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "library/song_reader.h"
#include "platform/fs/file_ops.h"

// Real files of other projects' test suites, probed as the scanner would record them. What each
// kind of file must give:
// - tagged files give their tag texts (version 2 before version 1, UTF-16 and UTF-8 frames whole,
//   text without an encoding as Windows-1251, a version-1 year that is not all digits dropped);
// - a stream confirmed by a second header gives its facts; a Xing or VBRI header with frames
//   gives the average rate and the frame-count duration (even where the file was cut short);
//   an "Info" header is not a Xing header, so such files count as constant rate;
// - tag-only files, files whose only frame runs to the end, streams that start beyond the two
//   search windows and streams shorter than 0.1 s record 0, 0, 0, "Unknown";
// - empty, tiny and hostile files (sizes past the end, garbage frame headers) give the defaults
//   and the title from the file name.
namespace tarvel::library {
namespace {

struct Expected {
    const char* file;
    const char* artist;  // UTF-8
    const char* title;   // UTF-8
    const char* bit_rate;
    const char* duration;
    const char* sample_rate;
    const char* channel_mode;
};

constexpr Expected kCorpus[] = {
    {"hsaudiotag/vbr_fhg.mp3", "Jeff Beck", "Jailhouse Rock", "160", "1493", "32000",
     "Joint Stereo"},
    {"hsaudiotag/with_footer.mp3", "Unknown", "with_footer", "0", "0", "0", "Unknown"},
    {"lofty/junk.mp3", "Unknown", "junk", "0", "0", "0", "Unknown"},
    {"lofty/junk_between_id3_and_mp3.mp3", "artist test", "title test", "64", "130", "44100",
     "Stereo"},
    {"mp3agic/notanmp3.mp3", "Unknown", "notanmp3", "0", "0", "0", "Unknown"},
    {"mp3agic/v1andv23tagswithalbumimage-utf16le.mp3", "ARTIST123456789012345678901234",
     "TITLE1234567890123456789012345", "146", "157", "44100", "Joint Stereo"},
    {"mp3agic/v1andv24tags.mp3", "ARTIST123456789012345678901234", "TITLE1234567890123456789012345",
     "146", "157", "44100", "Joint Stereo"},
    {"mp3agic/v1tagwithnotrack.mp3", "ARTIST123456789012345678901234",
     "TITLE1234567890123456789012345", "146", "157", "44100", "Joint Stereo"},
    {"music-metadata/Solace.mp3", "Amethystium", "Solace", "271", "280085", "44100", "Stereo"},
    {"music-metadata/id3-multi-02.mp3", "이소라", "Rain", "0", "0", "0", "Unknown"},
    {"music-metadata/id3v2.2.mp3", "Shiny Toy Guns", "You Are The One", "192", "364", "44100",
     "Stereo"},
    {"music-metadata/issue-795.mp3", "Unknown", "FDP (Clean Edit)", "320", "235", "44100",
     "Stereo"},
    {"music-metadata/issue-979.mp3", "Alexander Hacke", "Minnie & Me", "192", "235", "44100",
     "Stereo"},
    {"music-metadata/issue_77_empty_tag.mp3", "Radiohead", "Like Spinning Plates (Live)", "0", "0",
     "0", "Unknown"},
    {"music-metadata/pr-544-id3v24.mp3", "Unknown", "pr-544-id3v24", "8", "144", "8000",
     "Joint Stereo"},
    {"mutagen/apev2-lyricsv2.mp3", "Auth", "A song", "192", "2020", "44100", "Joint Stereo"},
    {"mutagen/audacious-trailing-id32-apev2.mp3", "Unknown", "audacious-trailing-id32-apev2", "19",
     "1080", "16000", "Mono"},
    {"mutagen/audacious-trailing-id32-id31.mp3", "Unknown", "audacious-trailing-id32-id31", "32",
     "3818", "44100", "Joint Stereo"},
    {"mutagen/bad-TYER-frame.mp3", "From 1.01 To 1.02",
     "This track has an invalid TYER frame, that used to be able to break Mutagen", "320", "940",
     "44100", "Joint Stereo"},
    {"mutagen/bad-xing.mp3", "Ito Kazunori", "09-28-2001", "48", "419", "44100", "Joint Stereo"},
    {"mutagen/emptyfile.mp3", "Unknown", "emptyfile", "0", "0", "0", "Unknown"},
    {"mutagen/id3v1v2-combined.mp3", "Anais Mitchell", "cosmic american", "160", "145", "44100",
     "Joint Stereo"},
    {"mutagen/id3v22-test.mp3", "Anais Mitchell", "cosmic american", "160", "145", "44100",
     "Joint Stereo"},
    {"mutagen/lame-peak.mp3", "Unknown", "lame-peak", "128", "130", "44100", "Joint Stereo"},
    {"mutagen/lame.mp3", "Unknown", "lame", "160", "104", "44100", "Joint Stereo"},
    {"mutagen/silence-44-s-mpeg2.mp3", "Unknown", "silence-44-s-mpeg2", "18", "3768", "24000",
     "Joint Stereo"},
    {"mutagen/silence-44-s-mpeg25.mp3", "Unknown", "silence-44-s-mpeg25", "9", "3840", "12000",
     "Joint Stereo"},
    {"mutagen/silence-44-s-v1.mp3", "piman", "Silence", "32", "3736", "44100", "Joint Stereo"},
    {"mutagen/silence-44-s.mp3", "jzig", "Silence", "32", "3736", "44100", "Joint Stereo"},
    {"mutagen/too-short.mp3", "Hieroglyph", "Track 10", "0", "0", "0", "Unknown"},
    {"mutagen/vbri.mp3", "Basshunter", "I Can Walk On Water I Can Fly", "233", "222198", "44100",
     "Stereo"},
    {"mutagen/xing.mp3", "Unknown", "xing", "32", "2052", "44100", "Joint Stereo"},
    {"taglib-sharp/sample_v2_3_ext_header.mp3", "Interpret v2", "Title v2", "192", "2717", "44100",
     "Stereo"},
    {"taglib-sharp/sample_v2_4_unsynch.mp3", "MP3 artist unicode (ኃይሌ ገብረሥላሴ)",
     "MP3 title unicode (ኢትዮጵያ)", "64", "1332", "44100", "Mono"},
    {"taglib/ape-id3v1.mp3", "Unknown", "Title", "32", "2073", "44100", "Joint Stereo"},
    {"taglib/compressed_id3_frame.mp3", "Unknown", "compressed_id3_frame", "0", "0", "0",
     "Unknown"},
    {"taglib/duplicate_id3v2.mp3", "ArtistXXXX", "TitleXXXX", "0", "0", "0", "Unknown"},
    {"taglib/excessive_alloc.mp3", "Unknown", "excessive_alloc", "0", "0", "0", "Unknown"},
    {"taglib/extended-header.mp3", "Excelsis", "Druids", "0", "0", "0", "Unknown"},
    {"taglib/garbage.mp3", "Unknown", "garbage", "64", "1019", "44100", "Mono"},
    {"taglib/invalid-frames2.mp3", "Unknown", "invalid-frames2", "192", "314", "44100", "Stereo"},
    {"taglib/invalid-frames3.mp3", "Unknown", "invalid-frames3", "320", "181", "44100",
     "Joint Stereo"},
    {"taglib/itunes10.mp3", "Artist", "iTunes10MP3", "0", "0", "0", "Unknown"},
    {"taglib/lame_vbr.mp3", "Unknown", "lame_vbr", "70", "1887164", "44100", "Mono"},
    {"taglib/mpeg2.mp3", "Unknown", "mpeg2", "25", "5387285", "22050", "Mono"},
    {"taglib/toc_many_children.mp3", "Unknown", "toc_many_children", "0", "0", "0", "Unknown"},
    {"tinytag/cbr.mp3", "Basshunter", "I Can Walk On Water I Can Fly", "128", "496", "44100",
     "Joint Stereo"},
    {"tinytag/chinese_id3.mp3", "ЛХФЖ", "ЅЗВдЦ®ёи", "0", "0", "0", "Unknown"},
    {"tinytag/id3_broken_frame_size.mp3", "Unknown", "title", "57", "131", "44100", "Mono"},
    {"tinytag/id3_xxx_lang.mp3", "A Perfect Circle",
     "Counting Bodies Like Sheep to the Rhythm of the War Drums", "192", "111", "44100",
     "Joint Stereo"},
    {"tinytag/id3v1-latin1.mp3", "Bjцrk", "Play Dead", "0", "0", "0", "Unknown"},
    {"tinytag/mpeg1_44_1khz.mp1", "Unknown", "mpeg1_44_1khz", "0", "0", "0", "Unknown"},
    {"tinytag/mpeg1_44khz.mp3", "Unknown", "mpeg1_44khz", "0", "0", "0", "Unknown"},
    {"tinytag/mpeg1_48khz_vbr.mp3", "Unknown", "mpeg1_48khz_vbr", "53", "144", "48000",
     "Joint Stereo"},
    {"tinytag/mpeg25_8khz_vbr.mp3", "Unknown", "mpeg25_8khz_vbr", "16", "288", "8000",
     "Joint Stereo"},
    {"tinytag/multi_value_utf16.mp3", "Unknown", "some title", "57", "131", "44100", "Mono"},
    {"tinytag/title_after_image.mp3", "Unknown", "title after image", "0", "0", "0", "Unknown"},
    {"tinytag/utf16_no_bom.mp3", "Unknown", "utf16_no_bom", "0", "0", "0", "Unknown"},
    {"tinytag/utf16be.mp3", "The B52s", "52-girls", "0", "0", "0", "Unknown"},
};

const std::string kCorpusDir = TARVEL_CORPUS_DIR "/mp3";

TEST(Corpus, EveryFileProbesAsExpected) {
    if (!fs::DirectoryExists(kCorpusDir)) {
        GTEST_SKIP() << "no corpus at " << kCorpusDir;
    }
    std::map<std::string, const Expected*> expected;
    for (const auto& e : kCorpus) {
        expected[e.file] = &e;
    }
    TagReaders readers;
    int probed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kCorpusDir)) {
        const std::string relative =
            std::filesystem::relative(entry.path(), kCorpusDir).generic_string();
        if (!entry.is_regular_file() || relative.find(".mp") == std::string::npos) {
            continue;
        }
        SCOPED_TRACE(relative);
        const auto found = expected.find(relative);
        ASSERT_NE(found, expected.end()) << "a corpus file the test does not know";
        const Expected& e = *found->second;
        const SongRecord record = ReadSongRecord(entry.path().string(), readers);
        EXPECT_EQ(record[kArtist], e.artist);
        EXPECT_EQ(record[kTitle], e.title);
        EXPECT_EQ(record[kBitRate], e.bit_rate);
        EXPECT_EQ(record[kDuration], e.duration);
        EXPECT_EQ(record[kSampleRate], e.sample_rate);
        EXPECT_EQ(record[kChannelMode], e.channel_mode);
        EXPECT_EQ(record[kPath], entry.path().string());
        ++probed;
    }
    EXPECT_EQ(probed, static_cast<int>(std::size(kCorpus)));
}

// The ID3v1 tag of that file holds Latin-1 text: read as the user chose, or guessed.
TEST(Corpus, LatinOneTagReadsAsTheUserChose) {
    const std::string file = kCorpusDir + "/tinytag/id3v1-latin1.mp3";
    if (!fs::FileExists(file)) {
        GTEST_SKIP() << "no corpus at " << kCorpusDir;
    }
    const struct {
        UnmarkedText how;
        const char* artist;
    } cases[] = {{UnmarkedText::Windows1251, "Bjцrk"},
                 {UnmarkedText::Latin1, "Björk"},
                 {UnmarkedText::Guess, "Björk"}};
    for (const auto& c : cases) {
        TagReaders readers;
        readers.SetUnmarked(c.how);
        EXPECT_EQ(ReadSongRecord(file, readers)[kArtist], c.artist);
    }
}

}  // namespace
}  // namespace tarvel::library

#include <gtest/gtest.h>

#include "library/id3_text.h"
#include "library/id3v1.h"
#include "library/id3v2.h"
#include "library/mp3_bytes.h"
#include "support/temp_dir.h"

namespace tarvel::library {
namespace {

using namespace tarvel::testing;

template <typename Reader>
Reader ReadTag(const std::string& bytes, bool* result = nullptr) {
    Reader reader;
    MemorySource source(bytes);
    const bool ok = reader.Read(source);
    if (result != nullptr) {
        *result = ok;
    }
    return reader;
}
TID3v1 ReadV1(const std::string& bytes, bool* result = nullptr) {
    return ReadTag<TID3v1>(bytes, result);
}
TID3v2 ReadV2(const std::string& bytes, bool* result = nullptr) {
    return ReadTag<TID3v2>(bytes, result);
}

TEST(Id3v1, ReadsVersion10And11Fields) {
    std::string tag10 = Id3v1("Title", "Artist", "Album", "1999");
    Put(tag10, 97, std::string(30, 'c'));
    const TID3v1 v10 = ReadV1(std::string(500, 'x') + tag10);
    EXPECT_TRUE(v10.exists);
    EXPECT_EQ(v10.version, 1);
    EXPECT_EQ(v10.title, "Title");
    EXPECT_EQ(v10.artist, "Artist");
    EXPECT_EQ(v10.album, "Album");
    EXPECT_EQ(v10.year, "1999");
    EXPECT_EQ(v10.comment, std::string(30, 'c'));
    EXPECT_EQ(v10.track, 0);
    EXPECT_EQ(v10.genre, 12);

    const TID3v1 v11 = ReadV1(Id3v1("T", "A", "B", "2001", 7));
    EXPECT_EQ(v11.version, 2);
    EXPECT_EQ(v11.track, 7);

    // A comment padded with spaces whose byte 126 is not a space is version 1.1 too.
    std::string spaced = Id3v1("T  ", "A", "B", "2001");
    Put(spaced, 97, std::string(29, ' ') + "\x05");
    const TID3v1 v11s = ReadV1(spaced);
    EXPECT_EQ(v11s.version, 2);
    EXPECT_EQ(v11s.track, 5);
    EXPECT_EQ(v11s.title, "T");
}

TEST(Id3v1, ShortFilesFailAndFilesWithoutATagSucceedEmpty) {
    bool result = true;
    const TID3v1 short_file = ReadV1(std::string(127, 'x'), &result);
    EXPECT_FALSE(result);
    EXPECT_FALSE(short_file.exists);

    const TID3v1 no_tag = ReadV1(std::string(128, 'x'), &result);
    EXPECT_TRUE(result);
    EXPECT_FALSE(no_tag.exists);
    EXPECT_EQ(no_tag.genre, 255);
    EXPECT_EQ(no_tag.version, 1);

    TID3v1 missing;
    EXPECT_FALSE(missing.Read(std::string("/nonexistent/x.mp3")));
    TempDir dir;
    EXPECT_FALSE(missing.Read(dir.path()));  // a folder is not a file
}

TEST(FrameText, FollowsTheEncodingByte) {
    const std::pair<std::string, std::string> cases[] = {
        {Latin1("  Hello  ") + std::string(20, '\0'), "Hello"},
        {Latin1("A\0B"), "A"},                              // a zero byte ends a text
        {Latin1("\xCA\xE8\xED\xEE"), "Кино"},               // no encoding: Windows-1251
        {Utf16(u"\u0410\u0411\u0412 x"), "АБВ x"},          // UTF-16, mark FF FE
        {Utf16(u"No mark \u0416", false), "No mark Ж"},     // low byte first by default
        {Utf16Be(u"Big \u0416"), "Big Ж"},                  // high byte first after FE FF
        {"\2" + Utf16Be(u"Be \uD55C").substr(3), "Be 한"},  // encoding 2: high byte first
        {Utf16(u"ab\u4E2Dcd \U0001F600"), "ab中cd 😀"},      // every character, pairs too
        {Utf16(u"ab\u00FFcd\u04FF"), "abÿcdӿ"},             // only the mark is passed over
        {Utf16(std::u16string{u'a', u'b', char16_t{0xD83D}, u'c'}), "ab\uFFFDc"},  // a broken pair
        {Utf16(u"ab") + std::string(2, '\0') + "c\0", "ab"},      // unit 0 ends the text
        {std::string("\3Sigur R\xC3\xB3s\0x", 13), "Sigur Rós"},  // UTF-8
        {std::string("\3\xEF\xBB\xBF\xEC\x86\x8C\xEB"), "소"},    // mark passed, cut end dropped
        {std::string("\1"), ""},
        {std::string(), ""},
    };
    for (const auto& [content, text] : cases) {
        EXPECT_EQ(FrameText(content), text) << content;
    }
}

TEST(FrameText, TextWithoutAnEncodingIsReadAsChosen) {
    struct Case {
        const char* bytes;
        const char* windows1251;
        const char* latin1;
        const char* guess;
    };
    const Case cases[] = {
        {"Bj\xF6rk", "Bjцrk", "Björk", "Björk"},
        {"\xA8\xEB\xEA\xE0", "Ёлка", "¨ëêà", "Ёлка"},
        {"DJ \xC3\xF0\xF3\xE2", "DJ Грув", "DJ Ãðóâ", "DJ Грув"},
        {"Gr\xF6\xDF"
         "e",
         "GrцЯe", "Größe", "Größe"},                    // a word mixing ASCII letters: Latin-1
        {"Bj\xC3\xB6rk", "BjГ¶rk", "BjÃ¶rk", "Björk"},  // valid UTF-8 is taken as it is
        {"Plain", "Plain", "Plain", "Plain"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnmarkedToUtf8(c.bytes, UnmarkedText::Windows1251), c.windows1251) << c.bytes;
        EXPECT_EQ(UnmarkedToUtf8(c.bytes, UnmarkedText::Latin1), c.latin1) << c.bytes;
        EXPECT_EQ(UnmarkedToUtf8(c.bytes, UnmarkedText::Guess), c.guess) << c.bytes;
    }
}

TEST(Id3v2, ReadsVersions22To24) {
    const std::string v23 = Id3v2(3,
                                  Frame("TIT2", Latin1("Song")) + Frame("TPE1", Latin1("Band")) +
                                      Frame("TALB", Latin1("Disc")) +
                                      Frame("TRCK", Latin1("7/12")) + Frame("TYER", Latin1("1984")),
                                  100);
    const TID3v2 a = ReadV2(v23 + std::string(300, '\0'));
    EXPECT_TRUE(a.exists);
    EXPECT_EQ(a.version, 3);
    EXPECT_EQ(a.tag_size, v23.size());
    EXPECT_EQ(a.title, "Song");
    EXPECT_EQ(a.artist, "Band");
    EXPECT_EQ(a.album, "Disc");
    EXPECT_EQ(a.track, 7);
    EXPECT_EQ(a.year, "1984");

    const std::string v22 = Id3v2(2, Frame22("TT2", Latin1("Old")) + Frame22("TP1", Latin1("P")) +
                                         Frame22("TAL", Latin1("L")) + Frame22("TRK", Latin1("3")) +
                                         Frame22("TYE", Latin1("1970")));
    const TID3v2 b = ReadV2(v22);
    EXPECT_EQ(b.version, 2);
    EXPECT_EQ(b.title, "Old");
    EXPECT_EQ(b.artist, "P");
    EXPECT_EQ(b.album, "L");
    EXPECT_EQ(b.track, 3);
    EXPECT_EQ(b.year, "1970");

    // Version 2.4: frame sizes read as plain numbers, TDRC gives the year's first four
    // characters when the year frame is empty, alternative frames fill empty fields.
    const std::string v24 =
        Id3v2(4, Frame("TYER", Latin1("")) + Frame("TDRC", Latin1("2003-05-01")) +
                     Frame("TIT2", Latin1("")) + Frame("TIT1", Latin1("Group")) +
                     Frame("TOPE", Utf16(u"Orig")) + Frame("TOAL", Latin1("OA")));
    const TID3v2 c = ReadV2(v24);
    EXPECT_EQ(c.year, "2003");
    EXPECT_EQ(c.title, "Group");
    EXPECT_EQ(c.artist, "Orig");
    EXPECT_EQ(c.album, "OA");
}

TEST(Id3v2, TrackTextRules) {
    const std::pair<const char*, int> cases[] = {
        {"7/12", 7}, {"A7", 0}, {"12", 12}, {"", 0}, {"/5", 0}, {"-3", 0}, {"70000", 0}, {"08", 8},
    };
    for (const auto& [text, track] : cases) {
        EXPECT_EQ(ReadV2(Id3v2(3, Frame("TRCK", Latin1(text)))).track, track) << text;
    }
}

TEST(Id3v2, ReadsEveryEncodingSkipsCompressedFramesAndKeepsTheLastOfAKind) {
    const TID3v2 tag = ReadV2(Id3v2(
        3, Frame("TIT2", Latin1("First")) + Frame("TIT2", Latin1("Second")) +
               Frame("TPE1", "\3UTF-8 \xC3\xA4rtist") + Frame("TALB", std::string("\2\0A\0B", 5)) +
               Frame("TYER", Latin1("1999"), 0x80) + Frame("TRCK", Latin1("4"), 0x40)));
    EXPECT_EQ(tag.title, "Second");
    EXPECT_EQ(tag.artist, "UTF-8 \xC3\xA4rtist");
    EXPECT_EQ(tag.album, "AB");
    EXPECT_EQ(tag.year, "");  // compressed
    EXPECT_EQ(tag.track, 0);  // encrypted

    // Version 2.4 marks compression and encryption with other bits and may put a data length
    // before the data.
    const TID3v2 v24 =
        ReadV2(Id3v2(4, Frame("TIT2", "\0\0\0\x20x\x9C", 0x09) +
                            Frame("TPE1", std::string("\0\0\0\x05", 4) + Latin1("Band"), 0x01)));
    EXPECT_EQ(v24.title, "");
    EXPECT_EQ(v24.artist, "Band");
}

TEST(Id3v2, CutsLongFramesTo500BytesAndGoesOnAtTheNextFrame) {
    const std::string long_title = std::string(600, 'L');
    const TID3v2 tag =
        ReadV2(Id3v2(3, Frame("TIT2", Latin1(long_title)) + Frame("TPE1", Latin1("After"))));
    EXPECT_EQ(tag.title, std::string(499, 'L'));
    EXPECT_EQ(tag.artist, "After");
}

TEST(Id3v2, SkipsAnExtendedHeader) {
    const std::string ext23 = BigEndian32(6) + std::string(6, '\0');
    EXPECT_EQ(ReadV2(Id3v2(3, ext23 + Frame("TIT2", Latin1("X")), 0, 0x40)).title, "X");
    const std::string ext24 = std::string("\0\0\0\x06\x01\0", 6);
    EXPECT_EQ(ReadV2(Id3v2(4, ext24 + Frame("TIT2", Latin1("Y")), 0, 0x40)).title, "Y");
}

TEST(Id3v2, HostileSizesEndTheReadCleanly) {
    bool result = true;
    // Shorter than 10 bytes.
    EXPECT_FALSE(ReadV2("ID3\3\0\0\0", &result).exists);
    EXPECT_FALSE(result);
    // The tag claims more than the file holds: tag size 0, no frame read.
    const std::string past_end =
        Id3v2Header(3, 5000) + Frame("TIT2", Latin1("Hidden")) + std::string(100, '\0');
    const TID3v2 a = ReadV2(past_end, &result);
    EXPECT_TRUE(result);
    EXPECT_TRUE(a.exists);
    EXPECT_EQ(a.tag_size, 0u);
    EXPECT_EQ(a.title, "");
    // A frame whose size points far past the tag (and past 4 GB of positions) ends the walk.
    const TID3v2 b = ReadV2(Id3v2(3, Frame("TIT2", Latin1("Kept")) +
                                         Frame("TPE1", Latin1("Big"), 0, 0xFFFFFFF0) +
                                         Frame("TALB", Latin1("Never"))));
    EXPECT_EQ(b.title, "Kept");
    // Its 500 bytes run on into the next frame, whose header then becomes part of the text.
    EXPECT_EQ(b.artist, "BigTALB");
    EXPECT_EQ(b.album, "");
    // A frame header cut by the end of the file.
    const std::string cut = Id3v2(3, Frame("TIT2", Latin1("T")) + "TPE");
    EXPECT_EQ(ReadV2(cut.substr(0, cut.size())).title, "T");
    // Unsupported versions: a tag exists, nothing is read.
    const TID3v2 v5 = ReadV2(Id3v2(5, Frame("TIT2", Latin1("T"))));
    EXPECT_TRUE(v5.exists);
    EXPECT_EQ(v5.title, "");
    // Padding ends the walk; a footer adds 10 bytes to the tag size.
    const std::string footed =
        Id3v2(4, Frame("TIT2", Latin1("F")), 20, 0x10) + std::string(10, 'x');
    EXPECT_EQ(ReadV2(footed).tag_size, footed.size());
}

// Version 2.4 frame sizes are synchsafe; a tag whose writer put plain numbers there is still
// read when only the plain reading leads to the next frame.
TEST(Id3v2, ReadsVersion24SynchsafeAndPlainFrameSizes) {
    const std::string big(300, 'p');  // 300 = synchsafe 00 00 02 2C, plain 00 00 01 2C
    const std::string synchsafe_size = std::string("\0\0\x02\x2C", 4);
    const std::string priv = "PRIV" + synchsafe_size + std::string(2, '\0') + big;
    EXPECT_EQ(ReadV2(Id3v2(4, priv + Frame("TIT2", Latin1("After")))).title, "After");
    const std::string plain = Frame("PRIV", big);
    EXPECT_EQ(ReadV2(Id3v2(4, plain + Frame("TIT2", Latin1("Plain")))).title, "Plain");
}

// Unsynchronisation puts a zero byte after every 0xFF; the reader takes it out again, for a
// whole version-2.3 tag and for single version-2.4 frames.
TEST(Id3v2, UndoesUnsynchronisation) {
    const std::string unsynced = std::string("\1\xFF\0\xFE", 4) + std::string("A\0B\0", 4);
    // A tag-wide unsynchronisation counts the frame sizes before it was applied.
    const TID3v2 v23 =
        ReadV2(Id3v2(3, Frame("TIT2", unsynced, 0, 7) + Frame("TPE1", Latin1("X")), 0, 0x80));
    EXPECT_EQ(v23.title, "AB");
    EXPECT_EQ(v23.artist, "X");
    const TID3v2 v24 = ReadV2(Id3v2(4, Frame("TIT2", unsynced, 0x02)));
    EXPECT_EQ(v24.title, "AB");
}

TEST(Id3v2, NoTagStillSucceeds) {
    bool result = false;
    const TID3v2 tag = ReadV2(std::string(20, 'x'), &result);
    EXPECT_TRUE(result);
    EXPECT_FALSE(tag.exists);
    EXPECT_EQ(tag.tag_size, 0u);
}

}  // namespace
}  // namespace tarvel::library

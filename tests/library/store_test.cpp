#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "library/duration_text.h"
#include "library/library_store.h"
#include "library/song_record.h"
#include "platform/error/app_error.h"
#include "support/temp_dir.h"

namespace tarvel::library {
namespace {

using tarvel::testing::ReadBytes;
using tarvel::testing::TempDir;
using tarvel::testing::WriteBytes;

SongRecord Record(const std::string& artist, const std::string& path) {
    return {artist, "Album",  "Title", "1999",   "Unknown", "3",
            "128",  "245000", "44100", "Stereo", path};
}

TEST(SongLine, IsEachFieldFollowedByItsMarkerEndingWithASpace) {
    EXPECT_EQ(SongLine(Record("ABBA", "/m/a.mp3")),
              "ABBA endart Album endalb Title endtit 1999 endyer Unknown endgen 3 endtrk "
              "128 endbit 245000 enddur 44100 endsmr Stereo endchm /m/a.mp3 endPth ");
    EXPECT_EQ(ArtistIndexLine("ABBA", "Artist1.tft"), "ABBA endart Artist1.tft endafn ");
}

TEST(SongLine, SplitsBackAndKeepsOtherFieldsMarkersButCutsAtItsOwn) {
    SongRecord plain = Record("ABBA", "/m/a.mp3");
    EXPECT_EQ(SplitSongLine(SongLine(plain)), plain);

    // A title holding the artist's and the path's markers reads back whole.
    SongRecord others = plain;
    others[kTitle] = "x endart y endPth z";
    EXPECT_EQ(SplitSongLine(SongLine(others)), others);

    // A line holding a value's own marker is cut there and every later field shifts.
    const std::string own = "ABBA endart A endalb B endalb Title endtit 1999 endyer ";
    const SongRecord back = SplitSongLine(own);
    EXPECT_EQ(back[kAlbum], "A");
    EXPECT_EQ(back[kTitle], "B endalb Title");
    EXPECT_EQ(back[kYear], "1999");
}

// A tag or a name holding its own field's marker cannot give the row other fields: the marker's
// spaces are written as '_', so the row reads back with its own fields; every other value keeps
// its bytes.
TEST(SongLine, AValueHoldingItsOwnMarkerCannotRewriteTheFieldsAfterIt) {
    const SongRecord plain = Record("ABBA", "/m/a.mp3");
    struct Case {
        SongField field;
        std::string value;
        std::string read_back;
    };
    const Case cases[] = {
        // A crafted title that would give the row another path and a day-long duration.
        {kTitle,
         "T endtit 0000 endyer x endgen 0 endtrk 0 endbit 99999999 enddur 0 endsmr Stereo "
         "endchm /evil.mp3 endPth ",
         "T_endtit_0000 endyer x endgen 0 endtrk 0 endbit 99999999 enddur 0 endsmr Stereo "
         "endchm /evil.mp3 endPth "},
        // A value ending in all of its marker but the last space, which the marker completes.
        {kAlbum, "Live endalb", "Live_endalb"},
        // Markers next to each other share a space: breaking the first breaks both.
        {kArtist, "a endart endart b", "a_endart_endart b"},
        {kPath, "/m/x endPth y.mp3", "/m/x_endPth_y.mp3"},
        {kArtist, " endart ", "_endart_"},
    };
    for (const Case& c : cases) {
        SongRecord record = plain;
        record[c.field] = c.value;
        SongRecord expected = plain;
        expected[c.field] = c.read_back;
        EXPECT_EQ(SplitSongLine(SongLine(record)), expected) << c.value;
        EXPECT_FALSE(FitsInASongLine(c.value, c.field)) << c.value;
        EXPECT_TRUE(FitsInASongLine(c.value, c.field == kTitle ? kAlbum : kTitle)) << c.value;
    }
    const std::string index = ArtistIndexLine("X endart Y", "Artist1.tft");
    EXPECT_EQ(SplitLine(index, kArtistIndexMarkers.data(), 2),
              (std::vector<std::string>{"X_endart_Y", "Artist1.tft"}));
    EXPECT_FALSE(FitsInASongLine("/m/a\rb.mp3", kPath));
    EXPECT_TRUE(FitsInASongLine("/m/endPth .mp3", kPath));
}

TEST(SongLine, WritesLineBreaksInsideValuesAsSpaces) {
    SongRecord record = Record("A\r\nB", "/m/x\ny.mp3");
    const std::string line = SongLine(record);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    const SongRecord back = SplitSongLine(line);
    EXPECT_EQ(back[kArtist], "A  B");
    EXPECT_EQ(back[kPath], "/m/x y.mp3");
}

TEST(SongLine, ALineWithoutSomeMarkersGivesWhatItHas) {
    const SongRecord back = SplitSongLine("ABBA endart Album endalb Tit");
    EXPECT_EQ(back[kArtist], "ABBA");
    EXPECT_EQ(back[kAlbum], "Album");
    EXPECT_EQ(back[kTitle], "Tit");
    EXPECT_EQ(back[kPath], "");
}

TEST(DurationText, RoundsSecondsTiesToEvenAndLeavesOutZeroDaysAndHours) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "00:00"},          {"245000", "04:05"}, {"3725000", "1:02:05"},
        {"86405000", "1:00:05"}, {"59499", "00:59"},  {"59500", "01:00"},
        {"60500", "01:00"},      {"61500", "01:02"},  {"90061000", "1:1:01:01"},
        {"999", "00:01"},        {"500", "00:00"},    {"", "00:00"},
        {"abc", "00:00"},        {"-5000", "00:00"},  {"360000000", "4:4:00:00"},
    };
    for (const auto& [ms, text] : cases) {
        EXPECT_EQ(DurationText(ms), text) << ms;
    }
}

TEST(SongTable, GrowsInStepsOfAHundredRowsOfThirteenCells) {
    masTag table;
    EXPECT_EQ(GrowForRow(table, 1), 101);
    EXPECT_EQ(GrowForRow(table, 99), 101);
    EXPECT_EQ(GrowForRow(table, 100), 200);
    for (const auto& row : table) {
        ASSERT_EQ(row.size(), 13u);
    }
}

// A file's rows are made room for at once; the capacity must be the one row-by-row growth gives.
TEST(SongTable, CapacityForRowsIsThatOfGrowingRowByRow) {
    for (const int start : {0, 1, 2, 3, 50, 101, 102, 180}) {
        for (const int rows : {0, 1, 2, 98, 99, 100, 101, 199, 250, 1000}) {
            masTag table;
            SizeTable(table, start, 1);
            for (int row = 1; row <= rows; ++row) {
                GrowForRow(table, row, 1);
            }
            EXPECT_EQ(CapacityForRows(start, rows), static_cast<int>(table.size()))
                << start << " " << rows;
        }
    }
}

class LibraryStoreTest : public ::testing::Test {
  protected:
    TempDir dir;
    LibraryStore store{dir.path()};
    std::string File(const std::string& name) { return dir / ("sort/" + name); }
};

TEST_F(LibraryStoreTest, AppendsRecordsToTheArtistFileThenToAllSongs) {
    store.EnsureSortFolder();
    store.AppendArtistIndexLine("ABBA", "Artist1.tft");
    store.AppendSongRecord("Artist1.tft", Record("ABBA", "/m/a.mp3"));
    store.AppendSongRecord("Artist1.tft", Record("abba", "/m/b.mp3"));
    const std::string first = SongLine(Record("ABBA", "/m/a.mp3")) + "\r\n";
    const std::string second = SongLine(Record("abba", "/m/b.mp3")) + "\r\n";
    EXPECT_EQ(ReadBytes(File("Artist1.tft")), first + second);
    EXPECT_EQ(ReadBytes(File("allsong.tft")), first + second);
    EXPECT_EQ(ReadBytes(File("ArtName.tan")), "ABBA endart Artist1.tft endafn \r\n");
}

TEST_F(LibraryStoreTest, RewritesAndReadsThePathList) {
    store.EnsureSortFolder();
    store.RewritePathList({"/m/a.mp3", "/m/b.mp3"});
    EXPECT_EQ(ReadBytes(File("path.tan")), "/m/a.mp3\r\n/m/b.mp3\r\n");
    EXPECT_THAT(store.ReadPathList(), ::testing::ElementsAre("/m/a.mp3", "/m/b.mp3"));
    store.RewritePathList({});
    EXPECT_EQ(ReadBytes(File("path.tan")), "");
}

TEST_F(LibraryStoreTest, AMissingPathListIsAnError) {
    store.EnsureSortFolder();
    EXPECT_THROW(store.ReadPathList(), AppError);
}

TEST_F(LibraryStoreTest, AnUnwritableLibraryFileIsAnErrorAndEarlierLinesStay) {
    store.EnsureSortFolder();
    store.AppendSongRecord("Artist1.tft", Record("A", "/m/a.mp3"));
    WriteBytes(File("Artist2.tft/blocker"), "");  // a folder where the file should be
    try {
        store.AppendSongRecord("Artist2.tft", Record("B", "/m/b.mp3"));
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("Artist2.tft"));
    }
    EXPECT_EQ(ReadBytes(File("allsong.tft")), SongLine(Record("A", "/m/a.mp3")) + "\r\n");
}

TEST_F(LibraryStoreTest, ReadsASongFileIntoRowsFromOne) {
    store.EnsureSortFolder();
    for (int i = 0; i < 150; ++i) {
        store.AppendSongRecord("Artist1.tft", Record("A", "/m/" + std::to_string(i) + ".mp3"));
    }
    masTag table;
    int capacity = 0;
    EXPECT_EQ(ReadSongFile(File("allsong.tft"), table, capacity), 150);
    EXPECT_EQ(capacity, 200);
    EXPECT_EQ(table[0][kPath], "");
    EXPECT_EQ(table[1][kPath], "/m/0.mp3");
    EXPECT_EQ(table[150][kPath], "/m/149.mp3");
    EXPECT_EQ(table[150][kDuration], "245000");
    EXPECT_EQ(table[150][11], "");
}

TEST_F(LibraryStoreTest, AMissingSongFileGivesNoRowsAndATableOfTheGivenCapacity) {
    masTag table;
    int capacity = 40;
    EXPECT_EQ(ReadSongFile(File("allsong.tft"), table, capacity), 0);
    EXPECT_EQ(table.size(), 40u);
    EXPECT_EQ(capacity, 40);
}

TEST_F(LibraryStoreTest, ReadsTheArtistIndexAndFindsTheLastExactMatch) {
    masTag table;
    int count = -1;
    EXPECT_FALSE(store.ReadArtistIndex(table, count));
    EXPECT_EQ(count, -1);

    store.EnsureSortFolder();
    WriteBytes(File("ArtName.tan"),
               "ABBA endart Artist1.tft endafn \r\nQueen endart Artist2.tft endafn \r\n"
               "ABBA endart Artist3.tft endafn \r\n");
    ASSERT_TRUE(store.ReadArtistIndex(table, count));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(table[2][0], "Queen");
    EXPECT_EQ(table[2][1], "Artist2.tft");
    EXPECT_EQ(ArtistFileOf(table, count, "ABBA"), "Artist3.tft");
    EXPECT_EQ(ArtistFileOf(table, count, "abba"), "");
    EXPECT_THAT(store.ReadArtistNames(), ::testing::ElementsAre("ABBA", "Queen", "ABBA"));
}

// Names Windows-1251 holds are written in it byte for byte; the first name it cannot hold turns
// the file into UTF-8 after a mark, its earlier lines with it. Paths are the file system's
// bytes in both forms. Every reader gives back the names exactly.
TEST_F(LibraryStoreTest, FilesStayWindows1251UntilANameNeedsUtf8) {
    const std::string path = "/m/\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE.mp3";  // UTF-8 on the disk
    store.EnsureSortFolder();
    store.AppendArtistIndexLine("Кино", "Artist1.tft");
    store.AppendSongRecord("Artist1.tft", Record("Кино", path));
    const std::string kino =
        "\xCA\xE8\xED\xEE endart Album endalb Title endtit 1999 endyer Unknown endgen 3 endtrk "
        "128 endbit 245000 enddur 44100 endsmr Stereo endchm " +
        path + " endPth \r\n";
    EXPECT_EQ(ReadBytes(File("allsong.tft")), kino);
    EXPECT_EQ(ReadBytes(File("ArtName.tan")), "\xCA\xE8\xED\xEE endart Artist1.tft endafn \r\n");

    store.AppendArtistIndexLine("소녀시대", "Artist2.tft");
    store.AppendSongRecord("Artist2.tft", Record("소녀시대", "/m/Σ.mp3"));
    store.AppendSongRecord("Artist1.tft", Record("Кино", path));
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_EQ(ReadBytes(File("allsong.tft")), mark + SongLine(Record("Кино", path)) + "\r\n" +
                                                  SongLine(Record("소녀시대", "/m/Σ.mp3")) +
                                                  "\r\n" + SongLine(Record("Кино", path)) + "\r\n");
    EXPECT_EQ(ReadBytes(File("Artist1.tft")), kino + kino);  // still Windows-1251
    EXPECT_EQ(ReadBytes(File("ArtName.tan")),
              mark + "Кино endart Artist1.tft endafn \r\n소녀시대 endart Artist2.tft endafn \r\n");

    masTag table;
    int capacity = 0;
    for (const char* file : {"allsong.tft", "Artist1.tft"}) {
        ASSERT_GE(ReadSongFile(File(file), table, capacity), 2) << file;
        EXPECT_EQ(table[1][kArtist], "Кино") << file;
        EXPECT_EQ(table[1][kPath], path) << file;
    }
    EXPECT_EQ(table[2][kArtist], "Кино");
    ReadSongFile(File("allsong.tft"), table, capacity);
    EXPECT_EQ(table[2][kArtist], "소녀시대");
    EXPECT_EQ(table[2][kPath], "/m/Σ.mp3");
    EXPECT_THAT(store.ReadArtistNames(), ::testing::ElementsAre("Кино", "소녀시대"));
    int count = 0;
    ASSERT_TRUE(store.ReadArtistIndex(table, count));
    EXPECT_EQ(table[2][0], "소녀시대");
}

}  // namespace
}  // namespace tarvel::library

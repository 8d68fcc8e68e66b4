#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/fs/line_file.h"
#include "playlist_rig.h"
#include "playlists/playlist_file.h"

namespace tarvel::testing {
namespace {

using playlists::ReadPlaylistFile;
using playlists::TPlayMasiv;
using playlists::TPlist;
using playlists::WritePlaylistFile;

const std::string kGoldenDir = std::string(TARVEL_TEST_DATA_DIR) + "/playlists/";

// The two rows of the golden file: a Cyrillic artist (Windows-1251 in the file) with a UTF-8 path,
// and a row of the scanner's "don't know" values.
TPlayMasiv GoldenPlaylist() {
    auto kino = Song("Кино", "Sun", 245360, 192);
    kino[library::kYear] = "1988";
    kino[library::kTrack] = "3";
    kino[library::kChannelMode] = "Joint Stereo";
    kino[library::kPath] = "/music/\xd0\x9a\xd0\xb8\xd0\xbd\xd0\xbe/03 Sun.mp3";
    auto moon = Song("Moon", "Rain", 83450, 128);
    moon[library::kAlbum] = "Night";
    moon[library::kYear] = "0000";
    moon[library::kGenre] = "Unknown";
    moon[library::kTrack] = "0";
    moon[library::kPath] = "/music/Moon/Rain.mp3";
    TPlayMasiv playlist;
    playlist.Work.Rows = Table({kino, moon});
    playlist.Work.Count = 2;
    playlist.Work.Current = 2;
    playlist.Work.PositionMs = 83450;
    playlist.Work.PlayState = 2;
    playlist.Work.MarkA = 1000;
    return playlist;
}

TEST(PlaylistFile, WritesTheGoldenFileByteForByteAndReadsItBack) {
    TempDir dir;
    const TPlayMasiv playlist = GoldenPlaylist();
    WritePlaylistFile(playlist, dir / "out.tpl");
    EXPECT_EQ(ReadBytes(dir / "out.tpl"), ReadBytes(kGoldenDir + "two_songs.tpl"));

    TPlist read;
    ASSERT_TRUE(ReadPlaylistFile(read, kGoldenDir + "two_songs.tpl"));
    EXPECT_EQ(read.Count, 2);
    EXPECT_EQ(read.Current, 2);
    EXPECT_EQ(read.PositionMs, 83450);
    EXPECT_EQ(read.PlayState, 0);  // play state, marks and undo copy are not kept
    for (int row = 1; row <= 2; ++row) {
        for (int cell = 0; cell < library::kSongFieldCount; ++cell) {
            EXPECT_EQ(read.Rows[row][cell], playlist.Work.Rows[row][cell]) << row << "/" << cell;
        }
    }
    EXPECT_GE(static_cast<int>(read.Rows.size()), read.Count + 2);
}

TEST(PlaylistFile, PositionSurvivesToTheMillisecond) {
    struct Case {
        int32_t ms;
        const char* line;
    };
    const Case cases[] = {{0, "0"},
                          {83450, "83.45"},
                          {1, "0.001"},
                          {999, "0.999"},
                          {60000, "60"},
                          {123457, "123.457"},
                          {2147483647, "2147483.647"}};
    TempDir dir;
    for (const Case& c : cases) {
        TPlayMasiv playlist = GoldenPlaylist();
        playlist.Work.PositionMs = c.ms;
        WritePlaylistFile(playlist, dir / "p.tpl");
        const auto lines = fs::SplitLines(ReadBytes(dir / "p.tpl"));
        EXPECT_EQ(lines[3], c.line);
        TPlist read;
        ASSERT_TRUE(ReadPlaylistFile(read, dir / "p.tpl"));
        EXPECT_EQ(read.PositionMs, c.ms) << c.line;
    }
    // A file written where the decimal separator is a comma.
    std::string bytes = ReadBytes(kGoldenDir + "two_songs.tpl");
    const size_t at = bytes.find("\r\n83.45\r\n");
    ASSERT_NE(at, std::string::npos);
    bytes[at + 4] = ',';
    WriteBytes(dir / "comma.tpl", bytes);
    TPlist read;
    ASSERT_TRUE(ReadPlaylistFile(read, dir / "comma.tpl"));
    EXPECT_EQ(read.PositionMs, 83450);
}

TEST(PlaylistFile, EmptyPlaylistIsTwoLinesAndLeavesAFilledStateAlone) {
    TempDir dir;
    TPlayMasiv empty;
    empty.Work.Current = 3;  // ignored: nothing but the two lines is written
    WritePlaylistFile(empty, dir / "e.tpl");
    EXPECT_EQ(ReadBytes(dir / "e.tpl"), ReadBytes(kGoldenDir + "empty.tpl"));

    TPlist state = GoldenPlaylist().Work;
    EXPECT_FALSE(ReadPlaylistFile(state, dir / "e.tpl"));
    EXPECT_EQ(state.Count, 2);
    EXPECT_EQ(state.Rows[1][library::kTitle], "Sun");
}

// Files that leave the state exactly as it was: missing, empty or unreadable, saying why (but
// nothing for a missing file or an empty playlist).
TEST(PlaylistFile, FilesWithoutRowsLeaveTheStateAsItWas) {
    const std::string header = playlists::kPlaylistHeader;
    struct Case {
        const char* name;
        std::string bytes;    // empty: no file at all
        const char* problem;  // empty: none
    };
    const Case cases[] = {
        {"missing", "", ""},
        {"header only", header + "\r\n", ""},
        {"header in another case",
         "tarvelplaylistfile&$$$!@@#!(&*&#^@%%@\r\nNoEmptyPlayList\r\n1\r\n0\r\n",
         "the first line is not the playlist header"},
        {"one wrong header byte",
         "T" + header.substr(1, 10) + "?" + header.substr(11) +
             "\r\nNoEmptyPlayList\r\n1\r\n0\r\nA endart \r\n",
         "the first line is not the playlist header"},
        {"binary", std::string("\0\xff\x01", 3), "the first line is not the playlist header"},
    };
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.tpl").c_str(), 0600), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir / (std::string(c.name) + ".tpl");
        if (!c.bytes.empty()) {
            WriteBytes(path, c.bytes);
        }
        TPlist state = GoldenPlaylist().Work;
        const playlists::PlaylistRead read = ReadPlaylistFile(state, path);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.problem.empty(), std::string(c.problem).empty()) << read.problem;
        EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
        if (!read.problem.empty()) {
            EXPECT_NE(read.problem.find(path), std::string::npos) << read.problem;
        }
        EXPECT_EQ(state.Count, 2);
        EXPECT_EQ(state.Current, 2);
        EXPECT_EQ(state.PositionMs, 83450);
        EXPECT_EQ(state.Rows[2][library::kTitle], "Rain");
    }
    // A named pipe in the file's place is refused at once.
    TPlist state = GoldenPlaylist().Work;
    const playlists::PlaylistRead read = ReadPlaylistFile(state, dir / "pipe.tpl");
    EXPECT_FALSE(read);
    EXPECT_NE(read.problem.find("not a regular file"), std::string::npos) << read.problem;
    EXPECT_EQ(state.Count, 2);
}

// A file whose number lines are bad still gives its rows, with no current song (or the start of
// it); a byte-order mark or CR-only line ends read as the same file.
TEST(PlaylistFile, RowsAreReadPastBadNumbersAndOddLineEnds) {
    const std::string header = playlists::kPlaylistHeader;
    const std::string rows = "A endart \r\nB endart \r\n";
    struct Case {
        const char* name;
        std::string bytes;
        int count, current, position_ms;
        const char* problem;  // empty: none
    };
    const Case cases[] = {
        {"current not a number", header + "\r\nNoEmptyPlayList\r\nfirst\r\n8.5\r\n" + rows, 2, 0,
         8500, "line 3 \"first\" is not a number"},
        {"position not a number", header + "\r\nNoEmptyPlayList\r\n2\r\n8,3.45\r\n" + rows, 2, 2, 0,
         "line 4 \"8,3.45\" is not a number"},
        {"position out of range", header + "\r\nNoEmptyPlayList\r\n1\r\n3e9\r\n" + rows, 2, 1, 0,
         "line 4 \"3e9\" is not a number"},
        {"cut after line 3", header + "\r\nNoEmptyPlayList\r\n1\r\n", 0, 0, 0,
         "line 4 \"\" is not a number"},
        {"byte-order mark", "\xEF\xBB\xBF" + header + "\r\nNoEmptyPlayList\r\n2\r\n1.5\r\n" + rows,
         2, 2, 1500, ""},
        {"CR-only line ends", header + "\rNoEmptyPlayList\r2\r1.5\rA endart \rB endart \r", 2, 2,
         1500, ""},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(dir / "p.tpl", c.bytes);
        TPlist state = GoldenPlaylist().Work;
        const playlists::PlaylistRead read = ReadPlaylistFile(state, dir / "p.tpl");
        EXPECT_TRUE(read);
        EXPECT_EQ(read.problem.empty(), std::string(c.problem).empty()) << read.problem;
        EXPECT_NE(read.problem.find(c.problem), std::string::npos) << read.problem;
        EXPECT_EQ(state.Count, c.count);
        EXPECT_EQ(state.Current, c.current);
        EXPECT_EQ(state.PositionMs, c.position_ms);
        if (c.count == 2) {
            EXPECT_EQ(state.Rows[2][library::kArtist], "B");
        }
    }
}

TEST(PlaylistFile, HostileRowsAndCurrentAreHeldInBounds) {
    TempDir dir;
    const std::string header = playlists::kPlaylistHeader;
    // A current row beyond the rows, a line without markers, an empty line, LF line ends.
    WriteBytes(dir / "h.tpl", header + "\nNoEmptyPlayList\n9\n1.5\njust text\n\n");
    TPlist state;
    ASSERT_TRUE(ReadPlaylistFile(state, dir / "h.tpl"));
    EXPECT_EQ(state.Count, 2);
    EXPECT_EQ(state.Current, 0);
    EXPECT_EQ(state.PositionMs, 1500);
    EXPECT_EQ(state.Rows[1][library::kArtist], "just text");
    EXPECT_EQ(state.Rows[1][library::kPath], "");
}

TEST(PlaylistFile, SavedNamesEndInTpl) {
    EXPECT_EQ(playlists::WithPlaylistExtension("/home/u/party"), "/home/u/party.tpl");
    EXPECT_EQ(playlists::WithPlaylistExtension("/home/u/party.tpl"), "/home/u/party.tpl");
    EXPECT_EQ(playlists::WithPlaylistExtension("/home/u/party.TPL"), "/home/u/party.TPL.tpl");
    EXPECT_EQ(playlists::WithPlaylistExtension("tpl"), "tpl.tpl");
}

}  // namespace
}  // namespace tarvel::testing

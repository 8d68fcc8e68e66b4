#include <gtest/gtest.h>

#include "platform/error/app_error.h"
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

// The two rows of the golden file: a Cyrillic artist (Windows-1251 bytes) with a UTF-8 path, and
// a row of the scanner's "don't know" values.
TPlayMasiv GoldenPlaylist() {
    auto kino = Song("\xca\xe8\xed\xee", "Sun", 245360, 192);
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

// Files that leave the state exactly as it was: missing, foreign or empty (no message), and
// broken numbers (an error naming the file).
TEST(PlaylistFile, UnreadableFilesLeaveTheStateAsItWas) {
    const std::string header = playlists::kPlaylistHeader;
    struct Case {
        const char* name;
        std::string bytes;  // empty: no file at all
        bool throws;
    };
    const Case cases[] = {
        {"missing", "", false},
        {"header in another case",
         "tarvelplaylistfile&$$$!@@#!(&*&#^@%%@\r\nNoEmptyPlayList\r\n1\r\n0\r\n", false},
        {"header only", header + "\r\n", false},
        {"current not a number", header + "\r\nNoEmptyPlayList\r\nfirst\r\n0\r\nA endart \r\n",
         true},
        {"position not a number", header + "\r\nNoEmptyPlayList\r\n1\r\n8,3.45\r\nA endart \r\n",
         true},
        {"position out of range", header + "\r\nNoEmptyPlayList\r\n1\r\n3e9\r\n", true},
        {"cut after line 3", header + "\r\nNoEmptyPlayList\r\n1\r\n", true},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir / (std::string(c.name) + ".tpl");
        if (!c.bytes.empty()) {
            WriteBytes(path, c.bytes);
        }
        TPlist state = GoldenPlaylist().Work;
        if (c.throws) {
            try {
                ReadPlaylistFile(state, path);
                ADD_FAILURE() << c.name << ": no error";
            } catch (const AppError& e) {
                EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
            }
        } else {
            EXPECT_FALSE(ReadPlaylistFile(state, path)) << c.name;
        }
        EXPECT_EQ(state.Count, 2) << c.name;
        EXPECT_EQ(state.Current, 2) << c.name;
        EXPECT_EQ(state.PositionMs, 83450) << c.name;
        EXPECT_EQ(state.Rows[2][library::kTitle], "Rain") << c.name;
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

// The library, a playlist and the settings as stored, then read back as the next start reads them
// and stored again: names within Windows-1251 keep the files byte for byte in it; names of other
// scripts turn the files holding them into UTF-8 with a mark. Both come back exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "config/config_fixture.h"
#include "library/library_writer.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"
#include "playlist_rig.h"
#include "playlists/playlist_file.h"

namespace tarvel::testing {
namespace {

using library::kAlbum;
using library::kArtist;
using library::kPath;
using library::kTitle;

const std::string kGoldenDir = std::string(TARVEL_TEST_DATA_DIR) + "/stored/";

// What one start finds: the library's songs, PL1 and the settings that name a folder and a preset.
struct Stored {
    std::vector<FixtureSong> songs;
    playlists::TPlayMasiv pl1;
    std::string copy_folder;
    std::string preset;
};

// The songs (artist, album, title), PL1 holding them all with the second one current, and the
// settings naming the copy folder and the equalizer preset.
Stored Names(const std::vector<std::array<const char*, 3>>& songs, std::string copy_folder,
             std::string preset) {
    Stored stored;
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < songs.size(); ++i) {
        const auto& [artist, album, title] = songs[i];
        FixtureSong song{artist, album, title};
        song.track = std::to_string(i + 1);
        song.path = "/music/" + std::string(artist) + "/" + title + ".mp3";
        stored.songs.push_back(song);
        auto row = Song(artist, title, 180000);
        row[kAlbum] = album;
        row[library::kTrack] = song.track;
        row[kPath] = song.path;
        rows.push_back(row);
    }
    stored.pl1.Work.Rows = Table(rows);
    stored.pl1.Work.Count = static_cast<int32_t>(rows.size());
    stored.pl1.Work.Current = 2;
    stored.pl1.Work.PositionMs = 61250;
    stored.copy_folder = std::move(copy_folder);
    stored.preset = std::move(preset);
    return stored;
}

void Store(const std::string& app, const Stored& stored) {
    WriteLibrary(app, stored.songs);
    playlists::WritePlaylistFile(stored.pl1, app + "/sort/PlayListMainPL1.tpl");
    config::Settings settings;
    settings.PachToCopyDir = stored.copy_folder;
    settings.PlEqNowFileName = stored.preset;
    config::EqGains gains;
    config::RecordingLinks links;
    config::ConfigFiles(app, settings, gains, links).WriteFirstRunFiles();
}

// What the next start reads back from the app dir.
Stored ReadBack(const std::string& app) {
    Stored read;
    library::masTag table;
    int capacity = 0;
    const int rows = library::ReadSongFile(app + "/sort/allsong.tft", table, capacity);
    for (int row = 1; row <= rows; ++row) {
        const auto& cells = table[static_cast<size_t>(row)];
        FixtureSong song{cells[kArtist], cells[kAlbum], cells[kTitle]};
        song.track = cells[library::kTrack];
        song.path = cells[kPath];
        read.songs.push_back(song);
    }
    EXPECT_TRUE(playlists::ReadPlaylistFile(read.pl1.Work, app + "/sort/PlayListMainPL1.tpl"));
    config::Settings settings;
    config::EqGains gains;
    config::RecordingLinks links;
    config::ConfigFiles(app, settings, gains, links).ReadConfig("conf.tcf");
    EXPECT_TRUE(links.reports.empty());
    read.copy_folder = settings.PachToCopyDir;
    read.preset = settings.PlEqNowFileName;
    return read;
}

// Every file of the golden folder is in the app dir with the same bytes, and the app dir's
// library and playlist files are all golden ones.
void ExpectGolden(const std::string& app, const std::string& golden) {
    int compared = 0;
    fs::WalkDirectory(golden, [&](const fs::DirEntry& entry) {
        if (entry.is_directory) {
            return;
        }
        const std::string relative = entry.path.substr(golden.size());
        EXPECT_EQ(ReadBytes(app + relative), ReadBytes(entry.path)) << relative;
        ++compared;
    });
    for (const fs::DirEntry& entry : fs::ListDirectory(app + "/sort")) {
        EXPECT_TRUE(fs::FileExists(golden + "/sort/" + entry.name)) << entry.name;
    }
    EXPECT_GT(compared, 0);
}

TEST(StoredFiles, KeepWindows1251UnlessANameNeedsUtf8AndSurviveARestartExactly) {
    const struct {
        const char* golden;
        Stored stored;
    } cases[] = {
        {"windows1251", Names({{"Кино", "Группа крови", "Звезда по имени Солнце"},
                               {"Кино", "Группа крови", "Кукушка"},
                               {"Ёлка", "Точки расставлены", "Прованс"},
                               {"Moon", "Night", "Rain"}},
                              "/home/user/Музыка", "Рок.teq")},
        {"utf8", Names({{"Кино", "Группа крови", "Звезда по имени Солнце"},
                        {"Кино", "Группа крови", "Кукушка"},
                        {"소녀시대", "Genie", "소원을 말해봐"},
                        {"Μίκης Θεοδωράκης", "Zorba", "Ζορμπάς"}},
                       "/home/user/음악 Μουσική Музыка", "Ροκ 락.teq")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        const std::string golden = kGoldenDir + c.golden;
        TempDir first;
        Store(first.path(), c.stored);
        ExpectGolden(first.path(), golden);

        const Stored read = ReadBack(first.path());
        ASSERT_EQ(read.songs.size(), c.stored.songs.size());
        for (size_t i = 0; i < read.songs.size(); ++i) {
            EXPECT_EQ(read.songs[i].artist, c.stored.songs[i].artist);
            EXPECT_EQ(read.songs[i].album, c.stored.songs[i].album);
            EXPECT_EQ(read.songs[i].title, c.stored.songs[i].title);
            EXPECT_EQ(read.songs[i].path, c.stored.songs[i].path);
        }
        ASSERT_EQ(read.pl1.Work.Count, c.stored.pl1.Work.Count);
        EXPECT_EQ(read.pl1.Work.Current, 2);
        EXPECT_EQ(read.pl1.Work.PositionMs, 61250);
        for (int row = 1; row <= read.pl1.Work.Count; ++row) {
            const auto& cells = read.pl1.Work.Rows[static_cast<size_t>(row)];
            const auto& stored = c.stored.pl1.Work.Rows[static_cast<size_t>(row)];
            EXPECT_TRUE(std::equal(stored.begin(), stored.begin() + library::kSongFieldCount,
                                   cells.begin()))
                << row;
        }
        EXPECT_EQ(read.copy_folder, c.stored.copy_folder);
        EXPECT_EQ(read.preset, c.stored.preset);

        // Stored again by the next run: the same bytes.
        TempDir second;
        Store(second.path(), read);
        ExpectGolden(second.path(), golden);
    }
}

}  // namespace
}  // namespace tarvel::testing

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "library/progress_display.h"
#include "library/scanner.h"
#include "playlist_rig.h"
#include "playlists/playlist_copy.h"
#include "support/temp_dir.h"

namespace tarvel::testing {
namespace {

using playlists::ExportOptions;
using playlists::FileName;
using playlists::FolderName;

// Records the gauge as the copy drives it: one entry per pass with its maximum and last
// progress, and whether the command box is back at the end.
class RecordingProgress : public library::ProgressDisplay {
  public:
    struct Pass {
        int64_t maximum = 0;
        int64_t progress = 0;
    };
    void SetBoxText(const std::string&) override {}
    void SetBoxVisible(bool visible) override { box_visible = visible; }
    void RepaintBox() override {}
    void SetGaugeMaximum(int64_t maximum) override { passes.push_back({maximum, -1}); }
    void SetGaugeProgress(int64_t progress) override { passes.back().progress = progress; }
    void SetGaugeVisible(bool visible) override { gauge_visible = visible; }
    void RepaintWindow() override { ++repaints; }

    std::vector<Pass> passes;
    bool box_visible = true;
    bool gauge_visible = false;
    int repaints = 0;
};

// A song row with the tags the export reads.
std::vector<std::string> Tagged(const std::string& artist, const std::string& album,
                                const std::string& year, const std::string& track,
                                const std::string& title, const std::string& path) {
    auto row = Song(artist, title);
    row[library::kAlbum] = album;
    row[library::kYear] = year;
    row[library::kTrack] = track;
    row[library::kPath] = path;
    return row;
}

playlists::TPlist ListOf(const std::vector<std::vector<std::string>>& rows) {
    playlists::TPlist list;
    list.Rows = Table(rows);
    list.Count = static_cast<int>(rows.size());
    return list;
}

// Every file below the folder, by its path relative to the folder, with its bytes.
std::map<std::string, std::string> TreeOf(const std::string& folder) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            tree[std::filesystem::relative(entry.path(), folder).string()] =
                ReadBytes(entry.path().string());
        }
    }
    return tree;
}

struct CopyRig {
    CopyRig() { settings.PachToCopyDir = dir / "out"; }

    // A source file with its own bytes.
    std::string Source(const std::string& name) {
        const std::string path = dir / ("music/" + name);
        WriteBytes(path, "bytes of " + name);
        return path;
    }

    TempDir dir;
    config::Settings settings;
    system::FakeSystemServices services;
    RecordingProgress progress;
    playlists::PlaylistCopy copy{settings, services, progress};
};

TEST(ExportNames, CleaningAndTrackTexts) {
    const struct {
        const char* name;
        const char* clean;
    } names[] = {
        {"AC/DC: Live", "AC,DC, Live"},
        {"The End.", "The End,"},
        {"  Spaced Out  ", "Spaced Out"},
        {"\tTabbed\x01\x7F", "Tabbed"},
        {"\"#$%&*./:;<>?@[\\]^`{|}~", ",,,,,,,,,,,,,,,,,,,,,,,"},
        {"Rock'n'Roll (Live) - 1, 2!", "Rock'n'Roll (Live) - 1, 2!"},
        {"   ", ""},
    };
    for (const auto& n : names) {
        EXPECT_EQ(playlists::CleanName(n.name), n.clean) << n.name;
    }
    EXPECT_EQ(playlists::TrackText("3"), "03");
    EXPECT_EQ(playlists::TrackText("12"), "12");
    EXPECT_EQ(playlists::TrackText("0"), "00");
    // Not a number (a hand-edited playlist): counts as 0 instead of stopping the copy.
    EXPECT_EQ(playlists::TrackText("A-side"), "00");
    EXPECT_EQ(playlists::TrackText(""), "00");
}

TEST(ExportTree, ArtistsAndAlbumsIgnoreCaseAndNamesFollowTheOptions) {
    const auto list = ListOf({
        Tagged("Motley", "First", "1990", "1", "One", "/m/a.mp3"),
        Tagged("AC/DC", "AC/DC: Live", "1992", "2", "Two", "/m/b.mp3"),
        Tagged("MOTLEY", "FIRST", "1999", "2", "Again", "/m/c.mp3"),
        Tagged("Motley", "Second", "", "10", "Ten.", "/m/d"),
        Tagged("ac/dc", "AC/DC: Live", "1992", "x", "Three", "/m/e.mp3"),
        // Cyrillic and Greek letters fold too.
        Tagged("Алиса", "Ночь", "2001", "1", "Y", "/m/f.mp3"),
        Tagged("аЛИСА", "нОЧЬ", "2001", "2", "Z", "/m/g.mp3"),
        Tagged("Σωκράτης", "Ένα", "2002", "3", "W", "/m/h.mp3"),
        Tagged("ΣΩΚΡΆΤΗΣ", "ένα", "2002", "4", "V", "/m/i.mp3"),
    });
    library::NoProgressDisplay none;
    auto tree = playlists::BuildExportTree(list, ExportOptions{}, none);
    playlists::CleanExportNames(tree, list.Count, none);
    ASSERT_EQ(tree.artists.size(), 4u);
    for (size_t artist : {2u, 3u}) {
        ASSERT_EQ(tree.artists[artist].albums.size(), 1u);
        EXPECT_EQ(tree.artists[artist].albums[0].songs.size(), 2u);
    }
    EXPECT_EQ(tree.artists[2].name, "Алиса");
    EXPECT_EQ(tree.artists[3].albums[0].folder, "2002 - Ένα");
    const auto& first = tree.artists[0];
    EXPECT_EQ(first.name, "Motley");
    ASSERT_EQ(first.albums.size(), 2u);
    EXPECT_EQ(first.albums[0].folder, "1990 - First");
    ASSERT_EQ(first.albums[0].songs.size(), 2u);
    EXPECT_EQ(first.albums[0].songs[1].file_name, "02 - Again");
    EXPECT_EQ(first.albums[0].songs[1].source, "/m/c.mp3");
    EXPECT_EQ(first.albums[1].folder, "0000 - Second");
    EXPECT_EQ(first.albums[1].songs[0].file_name, "10 - Ten,");
    EXPECT_EQ(first.year, "0000");  // the year of the song that opened the latest album
    const auto& second = tree.artists[1];
    EXPECT_EQ(second.name, "AC,DC");
    ASSERT_EQ(second.albums.size(), 1u);
    EXPECT_EQ(second.albums[0].folder, "1992 - AC,DC, Live");
    EXPECT_EQ(second.albums[0].songs[1].file_name, "00 - Three");

    const struct {
        ExportOptions options;
        const char* folder;
        const char* file;
    } options[] = {
        {{FolderName::Album, FileName::Title}, "First", "One"},
        {{FolderName::YearAlbum, FileName::NumTitle}, "1990 - First", "01 - One"},
        {{FolderName::Album, FileName::ArtistTitle}, "First", "Motley - One"},
        {{FolderName::Album, FileName::NumArtistTitle}, "First", "Motley - 01 - One"},
    };
    for (const auto& o : options) {
        const auto named = playlists::BuildExportTree(list, o.options, none);
        EXPECT_EQ(named.artists[0].albums[0].folder, o.folder);
        EXPECT_EQ(named.artists[0].albums[0].songs[0].file_name, o.file);
    }
}

TEST(PlaylistCopy, SpecialCopyWritesTheBlueHourTreeWithAGaugeForEachPass) {
    CopyRig rig;
    const std::string rain = rig.Source("rain.mp3");
    const std::string light = rig.Source("light.mp3");
    const auto list = ListOf({Tagged("Artist", "Blue Hour", "1998", "3", "Rain", rain),
                              Tagged("Artist", "Blue Hour", "1998", "12", "Morning Light", light)});
    rig.copy.Copy1Click(list);
    EXPECT_EQ(rig.copy.Copied(), 2);
    EXPECT_EQ(TreeOf(rig.settings.PachToCopyDir),
              (std::map<std::string, std::string>{
                  {"Artist/1998 - Blue Hour/03 - Rain.mp3", "bytes of rain.mp3"},
                  {"Artist/1998 - Blue Hour/12 - Morning Light.mp3", "bytes of light.mp3"}}));
    ASSERT_EQ(rig.progress.passes.size(), 3u);
    for (const auto& pass : rig.progress.passes) {
        EXPECT_EQ(pass.maximum, 2);
        EXPECT_EQ(pass.progress, 2);
    }
    EXPECT_FALSE(rig.progress.gauge_visible);
    EXPECT_TRUE(rig.progress.box_visible);
    EXPECT_TRUE(rig.services.Calls().empty());  // no message
}

TEST(PlaylistCopy, BadSourcesArePassedOverAndTheRestIsCopied) {
    CopyRig rig;
    const std::string good = rig.Source("good.mp3");
    const std::string later = rig.Source("later.mp3");
    const std::string folder_as_file = rig.dir / "music/folder.mp3";
    std::filesystem::create_directories(folder_as_file);
    const auto list = ListOf({Tagged("A", "B", "2000", "1", "Missing", rig.dir / "music/gone.mp3"),
                              Tagged("A", "B", "2000", "2", "Folder", folder_as_file),
                              Tagged("A", "B", "2000", "3", "Good", good),
                              Tagged("A", "B", "2000", "4", "Later", later)});
    rig.copy.Copy1Click(list);
    EXPECT_EQ(rig.copy.Copied(), 2);
    EXPECT_EQ(
        TreeOf(rig.settings.PachToCopyDir),
        (std::map<std::string, std::string>{{"A/2000 - B/03 - Good.mp3", "bytes of good.mp3"},
                                            {"A/2000 - B/04 - Later.mp3", "bytes of later.mp3"}}));
    EXPECT_EQ(rig.progress.passes.back().progress, 4);

    // The flat copy likewise, replacing a file already there.
    WriteBytes(rig.dir / "flat/good.mp3", "old");
    rig.settings.PachToCopyDir = rig.dir / "flat";
    rig.copy.MCopyClick(list);
    EXPECT_EQ(rig.copy.Copied(), 2);
    EXPECT_EQ(TreeOf(rig.dir / "flat"),
              (std::map<std::string, std::string>{{"good.mp3", "bytes of good.mp3"},
                                                  {"later.mp3", "bytes of later.mp3"}}));
}

TEST(PlaylistCopy, ACopyOntoItsOwnSourceLeavesTheSongIntact) {
    CopyRig rig;
    const std::string song = rig.Source("song.mp3");
    ::chmod(song.c_str(), 0640);
    rig.settings.PachToCopyDir = rig.dir / "music";
    const auto list = ListOf({Tagged("A", "B", "2000", "1", "Song", song)});
    rig.copy.MCopyClick(list);
    EXPECT_EQ(TreeOf(rig.dir / "music"),
              (std::map<std::string, std::string>{{"song.mp3", "bytes of song.mp3"}}));
    // A copy into another folder keeps the permission bits.
    rig.settings.PachToCopyDir = rig.dir / "other";
    std::filesystem::create_directories(rig.dir / "other");
    rig.copy.MCopyClick(list);
    struct stat st {};
    ASSERT_EQ(::stat((rig.dir / "other/song.mp3").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(PlaylistCopy, WithoutAFolderItAsksAndACancelledChoiceWritesNothing) {
    CopyRig rig;
    const auto list = ListOf({Tagged("A", "B", "2000", "1", "Song", rig.Source("song.mp3"))});
    rig.settings.PachToCopyDir.clear();
    rig.services.QueueAnswer("Ok");
    rig.services.QueueAnswer("");  // the folder choice is cancelled
    rig.copy.Copy1Click(list);
    EXPECT_EQ(rig.copy.Copied(), 0);
    EXPECT_EQ(
        rig.services.Calls(),
        (std::vector<std::string>{"MessageBox\tTarvel\tНе задан путь\tOk",
                                  std::string("ChooseFolder\t") + library::kChooseFolderCaption}));
    EXPECT_TRUE(rig.progress.passes.empty());
    EXPECT_EQ(rig.settings.MSetPathCaption(), "SetPach ()");

    // Chosen at the prompt: the copy goes there.
    rig.services.QueueAnswer("Ok");
    rig.services.QueueAnswer(rig.dir / "chosen");
    std::filesystem::create_directories(rig.dir / "chosen");
    rig.copy.MCopyClick(list);
    EXPECT_EQ(rig.copy.Copied(), 1);
    EXPECT_EQ(rig.settings.PachToCopyDir, rig.dir / "chosen");
    EXPECT_EQ(rig.settings.MSetPathCaption(), "SetPach (" + (rig.dir / "chosen") + ")");
    EXPECT_EQ(TreeOf(rig.dir / "chosen").size(), 1u);
    // A later cancelled choice keeps the folder.
    rig.copy.MSetPathClick();
    EXPECT_EQ(rig.settings.PachToCopyDir, rig.dir / "chosen");
}

}  // namespace
}  // namespace tarvel::testing

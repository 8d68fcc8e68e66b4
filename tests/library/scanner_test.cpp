#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "library/artist_list.h"
#include "library/mp3_bytes.h"
#include "library/path_list.h"
#include "library/scan_fixture.h"
#include "platform/fs/file_ops.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {
namespace {

using tarvel::testing::ReadBytes;
using tarvel::testing::WriteBytes;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The stream facts of ScanTest::Mp3's 20 frames of 128 kbit/s.
SongRecord Song(const std::string& artist, const std::string& title, const std::string& year,
                const std::string& track, const std::string& path,
                const std::string& album = "Album") {
    return {artist, album, title,   year,           "Unknown", track,
            "128",  "521", "44100", "Joint Stereo", path};
}
SongRecord Defaults(const std::string& title, const std::string& path) {
    return {"Unknown", "Unknown", title, "0000", "Unknown", "0", "0", "0", "0", "Unknown", path};
}
std::string Lines(const std::vector<SongRecord>& records) {
    std::string bytes;
    for (const auto& record : records) {
        bytes += SongLine(record) + "\r\n";
    }
    return bytes;
}

TEST_F(ScanTest, FullScanWritesEveryFileInPathOrderGroupedByArtist) {
    const std::string a = Music("a.mp3", Mp3("abba", "One", "1999"));
    const std::string b = Music("b/song2.mp3", Mp3("ABBA", "Two"));
    const std::string c = Music("c/d/untagged.MP3", Mp3("", ""));
    Music("notes.txt", "not music");
    services.QueueAnswer(music_dir);

    actions.AddFiles();

    EXPECT_THAT(services.Calls(),
                Contains("ChooseFolder\tУкажите путь к вашим музыкальным файлам"));
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(refills, 1);
    const SongRecord one = Song("abba", "One", "1999", "2", a);
    const SongRecord two = Song("ABBA", "Two", "0000", "2", b);
    const SongRecord three = Song("Unknown", "untagged", "0000", "0", c, "Unknown");
    EXPECT_EQ(LibraryBytes("allsong.tft"), Lines({one, two, three}));
    EXPECT_EQ(LibraryBytes("Artist1.tft"), Lines({one, two}));
    EXPECT_EQ(LibraryBytes("Artist2.tft"), Lines({three}));
    EXPECT_EQ(LibraryBytes("ArtName.tan"),
              "abba endart Artist1.tft endafn \r\nUnknown endart Artist2.tft endafn \r\n");
    EXPECT_EQ(LibraryBytes("path.tan"), a + "\r\n" + b + "\r\n" + c + "\r\n");

    // The search counts its finds, the sort shows round(n * n / 2), the files show 1..n.
    const auto& shown = display.calls;
    EXPECT_THAT(shown, Contains("box text Find music files: 3"));
    const auto sort_max = std::find(shown.begin(), shown.end(), "gauge max 4");
    ASSERT_NE(sort_max, shown.end());
    EXPECT_EQ(std::vector<std::string>(sort_max, shown.end()),
              (std::vector<std::string>{"gauge max 4", "gauge 0", "gauge 4", "gauge max 3",
                                        "gauge 0", "gauge 1", "gauge 2", "gauge 3", "box shown"}));
}

TEST_F(ScanTest, AddingScanOfTheSameFolderAddsNothingAndNewFilesGoLastInTheOrderGiven) {
    Music("a.mp3", Mp3("ABBA", "One"));
    Music("z.mp3", Mp3("Queen", "Two"));
    services.QueueAnswer(music_dir);
    actions.AddFiles();
    const std::string all_song = LibraryBytes("allsong.tft");
    const std::string path_list = LibraryBytes("path.tan");

    services.QueueAnswer(music_dir);
    actions.AddFiles();
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(refills, 2);
    EXPECT_EQ(LibraryBytes("allsong.tft"), all_song);
    EXPECT_EQ(LibraryBytes("path.tan"), path_list);
    EXPECT_EQ(display.calls.back(), "gauge hidden");

    // Dropped files: processed in the order dropped, the path list sorted again.
    const std::string late = Music("y.mp3", Mp3("Blur", "Late"));
    const std::string early = Music("b.mp3", Mp3("abba", "Early"));
    actions.DropItems({late, early, MusicPath("a.mp3")});
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(LibraryBytes("allsong.tft"),
              all_song + Lines({Song("Blur", "Late", "0000", "2", late),
                                Song("abba", "Early", "0000", "2", early)}));
    EXPECT_EQ(LibraryBytes("ArtName.tan"),
              "ABBA endart Artist1.tft endafn \r\nQueen endart Artist2.tft endafn \r\n"
              "Blur endart Artist3.tft endafn \r\n");
    EXPECT_EQ(LibraryBytes("path.tan"), MusicPath("a.mp3") + "\r\n" + early + "\r\n" + late +
                                            "\r\n" + MusicPath("z.mp3") + "\r\n");
}

TEST_F(ScanTest, APathGivenTwiceInOneAddingScanIsAddedTwice) {
    EXPECT_THAT(MergeNewPaths({"/a", "/c"}, {"/b", "/c", "/b"}),
                ElementsAre("/a", "/c", "/b", "/b"));
}

TEST_F(ScanTest, ClearingDeletesTheLibraryAndPlaylistFilesAndACancelLeavesItEmpty) {
    for (const char* name : {"allsong.tft", "Artist1.tft", "ArtName.tan", "path.tan",
                             "PlayListMainPL1.tpl", ".x", "keep/inner.tft"}) {
        WriteBytes(Library(name), "x");
    }
    actions.ClearLibraryAndAddFiles();  // the dialog is cancelled
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(refills, 1);
    for (const char* gone :
         {"allsong.tft", "Artist1.tft", "ArtName.tan", "path.tan", "PlayListMainPL1.tpl"}) {
        EXPECT_FALSE(fs::FileExists(Library(gone))) << gone;
    }
    EXPECT_TRUE(fs::FileExists(Library(".x")));  // names under three characters with a dot
    EXPECT_TRUE(fs::FileExists(Library("keep/inner.tft")));
    EXPECT_EQ(display.calls.back(), "gauge hidden");
}

TEST_F(ScanTest, DroppedItemsWithAnExtensionAreFilesWhateverTheyAre) {
    Music("Vol.1/inside.mp3", Mp3("ABBA", "Inside"));
    const std::string picture = Music("cover.jpg", "JFIF....");
    const std::string folder = Music("plain/x.mp3", Mp3("Queen", "X"));
    actions.DropItems({MusicPath("Vol.1"), picture, MusicPath("plain")});
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(LibraryBytes("allsong.tft"),
              Lines({Defaults("V", MusicPath("Vol.1")), Defaults("cover", picture),
                     Song("Queen", "X", "0000", "2", folder)}));
}

TEST_F(ScanTest, FilesWhosePathBreaksALineArePassedOver) {
    const std::string good = Music("good.mp3", Mp3("A", "Good"));
    const std::string bad = Music("bad\nname.mp3", Mp3("A", "Bad"));
    services.QueueAnswer(music_dir);
    actions.AddFiles();
    actions.DropItems({bad});
    EXPECT_EQ(LibraryBytes("allsong.tft"), Lines({Song("A", "Good", "0000", "2", good)}));
    EXPECT_EQ(LibraryBytes("path.tan"), good + "\r\n");
}

TEST_F(ScanTest, DroppedFoldersWithoutMusicOpenTheFolderDialog) {
    Music("empty/readme.txt", "x");
    actions.DropItems({MusicPath("empty")});
    EXPECT_THAT(services.Calls(), Contains(HasSubstr("ChooseFolder")));
    EXPECT_FALSE(fs::FileExists(Library("allsong.tft")));
    EXPECT_EQ(refills, 1);
}

TEST_F(ScanTest, UnreadableAndTinyFilesGetTheDefaults) {
    const std::string tiny = Music("tiny.mp3", "ID3");
    const std::string short_tag = Music("short.mp3", std::string(100, '\xFF'));
    const std::string broken = MusicPath("broken.mp3");
    ASSERT_EQ(::symlink("/nonexistent/target.mp3", broken.c_str()), 0);
    const std::string pipe = MusicPath("pipe.mp3");  // reading it must not wait for a writer
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // A version-2 size past the end of the file and frames larger than the tag.
    const std::string hostile = Music(
        "hostile.mp3", testing::Id3v2Header(3, 100000) + testing::Frame("TIT2", "\0X", 0, 1 << 30));
    actions.DropItems({tiny, short_tag, broken, hostile, pipe});
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(
        LibraryBytes("allsong.tft"),
        Lines({Defaults("broken", broken), Defaults("hostile", hostile), Defaults("pipe", pipe),
               Defaults("short", short_tag), Defaults("tiny", tiny)}));  // a full scan sorts
}

TEST_F(ScanTest, AnAddingScanWithoutAPathListFailsBeforeChangingAnyFile) {
    WriteBytes(Library("ArtName.tan"), "ABBA endart Artist1.tft endafn \r\n");
    Music("a.mp3", Mp3("ABBA", "One"));
    services.QueueAnswer(music_dir);
    actions.AddFiles();
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_THAT(Reports()[0], HasSubstr("path.tan"));
    EXPECT_EQ(refills, 0);
    EXPECT_FALSE(fs::FileExists(Library("allsong.tft")));
    EXPECT_EQ(LibraryBytes("ArtName.tan"), "ABBA endart Artist1.tft endafn \r\n");
}

TEST_F(ScanTest, AnUnwritableLibraryFileEndsTheScanAndKeepsWhatWasWritten) {
    const std::string a = Music("a.mp3", Mp3("A", "1"));
    const std::string b = Music("b.mp3", Mp3("B", "2"));
    Music("c.mp3", Mp3("C", "3"));
    WriteBytes(Library("Artist2.tft/blocker"), "");  // a folder where B's file should go
    services.QueueAnswer(music_dir);
    actions.AddFiles();
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_THAT(Reports()[0], HasSubstr("Artist2.tft"));
    EXPECT_EQ(refills, 0);
    EXPECT_EQ(LibraryBytes("allsong.tft"), Lines({Song("A", "1", "0000", "2", a)}));
    EXPECT_EQ(LibraryBytes("ArtName.tan"),
              "A endart Artist1.tft endafn \r\nB endart Artist2.tft endafn \r\n");
    EXPECT_EQ(LibraryBytes("path.tan"), a + "\r\n" + b + "\r\n");
}

TEST_F(ScanTest, AFolderThatCannotBeEnteredIsReported) {
    const std::string file_not_folder = Music("notafolder", "x");
    actions.DropItems({temp / "missing"});
    actions.DropItems({file_not_folder});
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_THAT(Reports()[0], HasSubstr("missing"));
    EXPECT_THAT(Reports()[1], HasSubstr("notafolder"));
    EXPECT_EQ(refills, 0);
}

TEST(PathOrder, TheFastSortGivesTheExchangeSortsOrder) {
    std::mt19937 random(7);
    const std::string alphabet = "aAbZ/.\xC0\xE0\xFF\x01 ";
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> paths(random() % 40);
        for (auto& path : paths) {
            const size_t length = random() % 5;
            for (size_t i = 0; i < length; ++i) {
                path += alphabet[random() % alphabet.size()];
            }
        }
        std::vector<std::string> literal = paths;
        ExchangeSortPaths(literal);
        NoProgressDisplay quiet;
        SortPaths(paths, quiet);
        ASSERT_EQ(paths, literal);
    }
    const std::pair<int64_t, int64_t> maxima[] = {{0, 0}, {1, 0}, {2, 2}, {3, 4}, {10, 50}};
    for (const auto& [n, maximum] : maxima) {
        EXPECT_EQ(SortGaugeMaximum(n), maximum) << n;
    }
}

TEST(ArtistNumbers, TheHashedLookupFindsWhatAWalkFromTheFirstArtistFinds) {
    std::mt19937 random(11);
    const std::string letters = "aAbB\xC0\xE0\xA8\xB8";  // А а Ё ё
    for (int round = 0; round < 100; ++round) {
        ArtistList list;
        std::vector<std::string> walked;
        for (int i = 0; i < 60; ++i) {
            std::string name;
            for (size_t k = random() % 3 + 1; k > 0; --k) {
                name += letters[random() % letters.size()];
            }
            int literal = 0;
            for (size_t n = 0; n < walked.size() && literal == 0; ++n) {
                if (text::EqualNoCase(walked[n], name)) {
                    literal = static_cast<int>(n) + 1;
                }
            }
            ASSERT_EQ(list.Find(name), literal) << name;
            // Sometimes add a name even when a case variant is there (a hand-edited index).
            if (literal == 0 || random() % 4 == 0) {
                walked.push_back(name);
                list.Add(name);
            }
        }
    }
}

}  // namespace
}  // namespace tarvel::library

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include <algorithm>
#include <random>

#include "library/artist_list.h"
#include "library/mp3_bytes.h"
#include "library/path_list.h"
#include "library/scan_fixture.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {
namespace {

// Makes writes past a size fail as they do on a full disk, for as long as it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }

  private:
    rlimit saved_{};
    void (*old_handler_)(int) = nullptr;
};

// A chain of folders whose path is `length` bytes long, made step by step below `base` (a path
// that long cannot be made or written by name), removed with its contents at the end.
class DeepFolder {
  public:
    DeepFolder(const std::string& base, size_t length) : base_(base), path_(base) {
        ::mkdir(base.c_str(), 0700);
        fd_ = ::open(base.c_str(), O_RDONLY | O_DIRECTORY);
        while (path_.size() + 1 < length) {
            const std::string name(std::min<size_t>(200, length - path_.size() - 1), 'd');
            ::mkdirat(fd_, name.c_str(), 0700);
            const int next = ::openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY);
            ::close(fd_);
            fd_ = next;
            path_ += "/" + name;
        }
    }
    ~DeepFolder() {
        ::close(fd_);
        std::system(("rm -rf '" + base_ + "'").c_str());
    }
    const std::string& path() const { return path_; }
    // Writes a file below the folder; a name with one folder in it makes that folder first.
    void Write(const std::string& name, const std::string& bytes) const {
        if (const size_t slash = name.find('/'); slash != std::string::npos) {
            ::mkdirat(fd_, name.substr(0, slash).c_str(), 0700);
        }
        const int file = ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(file, 0) << name;
        ASSERT_EQ(::write(file, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(file);
    }

  private:
    std::string base_;
    std::string path_;
    int fd_ = -1;
};

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
    EXPECT_EQ(LibraryBytes("allsong.tft"), SongLines({one, two, three}));
    EXPECT_EQ(LibraryBytes("Artist1.tft"), SongLines({one, two}));
    EXPECT_EQ(LibraryBytes("Artist2.tft"), SongLines({three}));
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
              all_song + SongLines({Song("Blur", "Late", "0000", "2", late),
                                    Song("abba", "Early", "0000", "2", early)}));
    EXPECT_EQ(LibraryBytes("ArtName.tan"),
              "ABBA endart Artist1.tft endafn \r\nQueen endart Artist2.tft endafn \r\n"
              "Blur endart Artist3.tft endafn \r\n");
    EXPECT_EQ(LibraryBytes("path.tan"), MusicPath("a.mp3") + "\r\n" + early + "\r\n" + late +
                                            "\r\n" + MusicPath("z.mp3") + "\r\n");
}

TEST_F(ScanTest, APathGivenTwiceIsAddedOnce) {
    EXPECT_THAT(MergeNewPaths({"/a", "/c"}, {"/b", "/c", "/b"}), ElementsAre("/a", "/c", "/b"));
    const std::string a = Music("a.mp3", Mp3("A", "One"));
    actions.DropItems({a, a});                                       // a full scan
    actions.DropItems({a, MusicPath("b.mp3"), MusicPath("b.mp3")});  // an adding scan
    EXPECT_EQ(LibraryBytes("path.tan"), a + "\r\n" + MusicPath("b.mp3") + "\r\n");
}

TEST_F(ScanTest, ClearingReplacesTheLibraryOnlyOnceAFolderWithMusicWasChosen) {
    const std::string kept = "PlayListMainPL1.tpl";
    WriteBytes(Library(kept), "playlist");
    WriteBytes(Library("notes.txt"), "mine");
    Music("old/x.mp3", Mp3("Old", "X"));
    Music("old/y.mp3", Mp3("Older", "Y"));
    services.QueueAnswer(MusicPath("old"));
    actions.AddFiles();
    const std::string old_songs = LibraryBytes("allsong.tft");
    ASSERT_TRUE(fs::FileExists(Library("Artist2.tft")));

    Music("empty/readme.txt", "x");
    actions.ClearLibraryAndAddFiles();  // the dialog is cancelled
    services.QueueAnswer(MusicPath("empty"));
    actions.ClearLibraryAndAddFiles();  // a folder without music
    EXPECT_EQ(LibraryBytes("allsong.tft"), old_songs);
    EXPECT_EQ(refills, 3);

    const std::string one = Music("new/one.mp3", Mp3("New", "One"));
    services.QueueAnswer(MusicPath("new"));
    actions.ClearLibraryAndAddFiles();
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(LibraryBytes("allsong.tft"), SongLines({Song("New", "One", "0000", "2", one)}));
    EXPECT_EQ(LibraryBytes("Artist1.tft"), SongLines({Song("New", "One", "0000", "2", one)}));
    EXPECT_EQ(LibraryBytes("ArtName.tan"), "New endart Artist1.tft endafn \r\n");
    EXPECT_EQ(LibraryBytes("path.tan"), one + "\r\n");
    EXPECT_FALSE(fs::FileExists(Library("Artist2.tft")));  // no longer part of the library
    EXPECT_EQ(LibraryBytes(kept), "playlist");
    EXPECT_EQ(LibraryBytes("notes.txt"), "mine");
    EXPECT_EQ(refills, 4);
}

TEST_F(ScanTest, DroppedItemsWithAnExtensionAreFilesWhateverTheyAre) {
    Music("Vol.1/inside.mp3", Mp3("ABBA", "Inside"));
    const std::string picture = Music("cover.jpg", "JFIF....");
    const std::string folder = Music("plain/x.mp3", Mp3("Queen", "X"));
    actions.DropItems({MusicPath("Vol.1"), picture, MusicPath("plain")});
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(LibraryBytes("allsong.tft"),
              SongLines({Defaults("V", MusicPath("Vol.1")), Defaults("cover", picture),
                         Song("Queen", "X", "0000", "2", folder)}));
}

TEST_F(ScanTest, FilesWhosePathBreaksALineArePassedOver) {
    const std::string good = Music("good.mp3", Mp3("A", "Good"));
    const std::string bad = Music("bad\nname.mp3", Mp3("A", "Bad"));
    services.QueueAnswer(music_dir);
    actions.AddFiles();
    actions.DropItems({bad});
    EXPECT_EQ(LibraryBytes("allsong.tft"), SongLines({Song("A", "Good", "0000", "2", good)}));
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
    EXPECT_EQ(
        LibraryBytes("allsong.tft"),
        SongLines({Defaults("broken", broken), Defaults("hostile", hostile),
                   Defaults("short", short_tag), Defaults("tiny", tiny)}));  // a full scan sorts
    // The pipe is passed over, and the scan says so.
    EXPECT_THAT(Reports(), ElementsAre(HasSubstr(pipe + ": not a plain file")));
}

TEST_F(ScanTest, WhatTheSearchPassesOverIsCountedAndNamed) {
    const std::string good = Music("good.mp3", Mp3("A", "Good"));
    const std::string pipe = MusicPath("pipe.mp3");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // A file whose path is one byte too long to open, and a folder whose path is.
    const DeepFolder deep(MusicPath("deep"), fs::kMaxPathBytes - 6);
    deep.Write("x.mp3", Mp3("A", "Deep"));
    deep.Write("subfolder/y.mp3", Mp3("A", "Deeper"));
    services.QueueAnswer(music_dir);
    actions.AddFiles();

    EXPECT_EQ(LibraryBytes("path.tan"), good + "\r\n");
    const auto calls = services.Calls();
    const auto message = std::find_if(calls.begin(), calls.end(), [](const std::string& call) {
        return call.starts_with("MessageBox");
    });
    ASSERT_NE(message, calls.end());
    EXPECT_THAT(*message, HasSubstr("Library scan: 1 file added. 3 entries were passed over:"));
    EXPECT_THAT(*message, HasSubstr(pipe + ": not a plain file"));
    EXPECT_THAT(*message, HasSubstr(deep.path() + "/x.mp3: its path is too long"));
    EXPECT_THAT(*message,
                HasSubstr(deep.path() + "/subfolder: folder cannot be opened: File name too long"));
}

TEST_F(ScanTest, AFullDiskEndsTheScanAndLeavesTheLibraryAsItWas) {
    Music("a.mp3", Mp3("A", "1"));
    services.QueueAnswer(music_dir);
    actions.AddFiles();
    const std::vector<std::string> names = {"allsong.tft", "Artist1.tft", "ArtName.tan",
                                            "path.tan"};
    std::vector<std::string> before;
    for (const auto& name : names) {
        before.push_back(LibraryBytes(name));
    }
    for (int i = 0; i < 40; ++i) {
        Music("more/" + std::to_string(i) + ".mp3", Mp3("Artist " + std::to_string(i), "Song"));
    }
    {
        // Writes past 4 KiB fail as they do on a full disk.
        const FileSizeLimit limit(4096);
        services.QueueAnswer(MusicPath("more"));
        actions.AddFiles();
    }
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_THAT(Reports()[0], HasSubstr("Cannot"));
    EXPECT_EQ(refills, 1);
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(LibraryBytes(names[i]), before[i]) << names[i];
    }
    EXPECT_FALSE(fs::FileExists(Library("Artist2.tft")));
    EXPECT_FALSE(fs::DirectoryExists(Library(".library.new")));
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

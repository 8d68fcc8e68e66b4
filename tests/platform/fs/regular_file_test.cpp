#include "platform/fs/regular_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/error/app_error.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/fast_copy.h"
#include "platform/fs/fd.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/large_buffer.h"
#include "platform/fs/line_file.h"
#include "platform/fs/random_access_file.h"
#include "support/temp_dir.h"

namespace tarvel::fs {
namespace {

using namespace tarvel::testing;
using ::testing::HasSubstr;

// Whatever stands in a file's place, reading it ends at once: a named pipe without a writer, a
// device that reads without end, a folder and the kernel's files under /proc (which claim a size
// of 0; /proc/kmsg waits for the next kernel message) are refused, named with the reason.
TEST(RegularFile, WhatIsNoStoredFileIsRefusedWithoutWaiting) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", (dir / "zero").c_str()), 0);
    ASSERT_EQ(::mkdir((dir / "folder").c_str(), 0700), 0);
    struct Case {
        std::string path;
        std::string reason;  // empty: any reason (/proc/kmsg is not open to every user)
    };
    const Case cases[] = {
        {dir / "pipe", kNotARegularFile},
        {dir / "zero", kNotARegularFile},
        {dir / "folder", kNotARegularFile},
        {"/proc/self/status", kKernelFile},
        {"/proc/kmsg", ""},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_FALSE(IsRegularFile(c.path, why)) << c.path;
        EXPECT_THAT(why, HasSubstr(c.reason)) << c.path;
        EXPECT_FALSE(RandomAccessFile(c.path).ok()) << c.path;
        for (auto read : {+[](const std::string& p) { ReadFile(p); },
                          +[](const std::string& p) { ReadLines(p); },
                          +[](const std::string& p) { ReadLargeFile(p); },
                          +[](const std::string& p) { CopyFileFast(p, p + ".copy"); }}) {
            try {
                read(c.path);
                ADD_FAILURE() << c.path << ": read";
            } catch (const AppError& e) {
                EXPECT_THAT(e.what(),
                            HasSubstr("Cannot open file \"" + c.path + "\": " + c.reason));
            }
        }
    }
    std::string why;
    WriteBytes(dir / "song.mp3", "ID3");
    EXPECT_TRUE(IsRegularFile(dir / "song.mp3", why)) << why;
}

// A file is measured before it is read whole: one above the limit is refused without reading it
// (a sparse file of a gigabyte takes no room and no time to make).
TEST(RegularFile, AFileAboveTheLimitIsRefusedBeforeItIsRead) {
    TempDir dir;
    WriteBytes(dir / "huge", "");
    ASSERT_EQ(::truncate((dir / "huge").c_str(), static_cast<off_t>(kLargestStoredFile + 1)), 0);
    for (auto read : {+[](const std::string& p) { ReadFile(p); },
                      +[](const std::string& p) { ReadLargeFile(p); }}) {
        try {
            read(dir / "huge");
            ADD_FAILURE() << "read";
        } catch (const AppError& e) {
            EXPECT_THAT(e.what(), HasSubstr("Cannot read file \"" + dir / "huge" + "\""));
            EXPECT_THAT(e.what(), HasSubstr("File too large"));
        }
    }
    WriteBytes(dir / "small", std::string(100, 'x'));
    EXPECT_EQ(ReadLines(dir / "small", 100).size(), 1u);
    EXPECT_THROW(ReadLines(dir / "small", 99), AppError);
}

// The temporary files a killed save left behind go; one a save is writing now (locked), and
// every other name, stay.
TEST(RegularFile, StaleTemporaryFilesOfTheAtomicReplaceAreRemoved) {
    TempDir dir;
    const std::string stale[] = {".conf.tcf.Ab12Cd", ".allsong.tft.XYZ123", "..x.000000"};
    const std::string kept[] = {"conf.tcf",         ".hidden",      ".conf.tcf.ab12c",
                                ".conf.tcf.ab_12c", "x.tcf.Ab12Cd", ".conf.tcf.Ab12Cd.x",
                                ".path.tan.Q1w2E3"};
    for (const auto& name : stale) {
        WriteBytes(dir / name, "left by a kill");
    }
    for (const auto& name : kept) {
        WriteBytes(dir / name, "x");
    }
    ASSERT_EQ(::mkdir((dir / ".sort.Ab12Cd").c_str(), 0700), 0);
    // Being written: the save holds its lock.
    Fd writing(::open((dir / ".path.tan.Q1w2E3").c_str(), O_RDONLY));
    ASSERT_EQ(::flock(writing.get(), LOCK_EX), 0);

    RemoveStaleTemporaries(dir.path());
    std::vector<std::string> left;
    for (const DirEntry& entry : ListDirectory(dir.path())) {
        left.push_back(entry.name);
    }
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected(std::begin(kept), std::end(kept));
    expected.push_back(".sort.Ab12Cd");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    EXPECT_NO_THROW(RemoveStaleTemporaries(dir / "missing"));

    // A replace leaves no temporary file of its own.
    WriteLines(dir / "conf.tcf", {"new"});
    RemoveStaleTemporaries(dir.path());
    EXPECT_EQ(ReadBytes(dir / "conf.tcf"), "new\r\n");
}

TEST(RegularFile, KeepBesideMovesWhateverIsThereToAFreeName) {
    TempDir dir;
    WriteBytes(dir / "p.tpl", "first");
    EXPECT_EQ(KeepBeside(dir / "p.tpl"), dir / "p.tpl.unreadable");
    WriteBytes(dir / "p.tpl", "second");
    EXPECT_EQ(KeepBeside(dir / "p.tpl"), dir / "p.tpl.unreadable.2");
    EXPECT_EQ(ReadBytes(dir / "p.tpl.unreadable"), "first");
    EXPECT_EQ(ReadBytes(dir / "p.tpl.unreadable.2"), "second");
    EXPECT_FALSE(EntryExists(dir / "p.tpl"));
    EXPECT_EQ(KeepBeside(dir / "p.tpl"), "");

    // A named pipe or a link moves as it is.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", (dir / "zero").c_str()), 0);
    EXPECT_EQ(KeepBeside(dir / "pipe"), dir / "pipe.unreadable");
    EXPECT_EQ(KeepBeside(dir / "zero"), dir / "zero.unreadable");
    struct stat st {};
    ASSERT_EQ(::lstat((dir / "pipe.unreadable").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::lstat((dir / "zero.unreadable").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

}  // namespace
}  // namespace tarvel::fs

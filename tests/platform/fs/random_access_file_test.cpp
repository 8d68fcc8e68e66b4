#include "platform/fs/random_access_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"

#include "platform/fs/dir_walk.h"
#include "support/temp_dir.h"

namespace tarvel::fs {
namespace {

using tarvel::testing::TempDir;
using tarvel::testing::WriteBytes;

TEST(RandomAccessFile, ReadsInsideAndBeyondTheHeadBlock) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 5000; ++i) {
        bytes += static_cast<char>(i % 251);
    }
    WriteBytes(dir / "f", bytes);
    RandomAccessFile file(dir / "f", 1024);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.size(), 5000u);
    char buffer[100];
    for (uint64_t offset : {0u, 1000u, 4950u}) {
        const int64_t expected = offset + 100 <= 5000 ? 100 : 5000 - static_cast<int64_t>(offset);
        ASSERT_EQ(file.ReadAt(offset, buffer, 100), expected) << offset;
        EXPECT_EQ(std::string(buffer, static_cast<size_t>(expected)),
                  bytes.substr(offset, static_cast<size_t>(expected)));
    }
    EXPECT_EQ(file.ReadAt(6000, buffer, 10), 0);
}

TEST(RandomAccessFile, MissingFilesAndFoldersAreNotOpened) {
    TempDir dir;
    char buffer[4];
    RandomAccessFile missing(dir / "nothing");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.ReadAt(0, buffer, 4), -1);
    EXPECT_FALSE(RandomAccessFile(dir.path()).ok());
    // A named pipe is not a file, and opening it does not wait for a writer.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(RandomAccessFile(dir / "pipe").ok());
    // Neither is a device, even one that reads without end.
    EXPECT_FALSE(RandomAccessFile("/dev/zero", 64).ok());
    // An empty file and a file of exactly one head block.
    WriteBytes(dir / "empty", "");
    RandomAccessFile empty(dir / "empty", 64);
    EXPECT_TRUE(empty.ok());
    EXPECT_EQ(empty.size(), 0u);
    WriteBytes(dir / "block", std::string(64, 'b'));
    RandomAccessFile block(dir / "block", 64);
    EXPECT_TRUE(block.ok());
    EXPECT_EQ(block.size(), 64u);
}

TEST(ListDirectory, GivesOneFolderLevelAndFailsOnAFile) {
    TempDir dir;
    WriteBytes(dir / "a.txt", "x");
    WriteBytes(dir / "sub/b.txt", "x");
    std::vector<std::string> names;
    for (const auto& entry : ListDirectory(dir.path())) {
        names.push_back(entry.name + (entry.is_directory ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "sub/"}));
    EXPECT_THROW(ListDirectory(dir / "a.txt"), AppError);
}

TEST(WalkDirectory, CallsLeaveAfterEachFolder) {
    TempDir dir;
    WriteBytes(dir / "sub/deep/c.txt", "x");
    std::vector<std::string> events;
    WalkDirectory(
        dir.path(), [&](const DirEntry& e) { events.push_back("visit " + e.name); },
        [&](const std::string& folder) { events.push_back("leave " + FileNameOf(folder)); });
    EXPECT_EQ(events,
              (std::vector<std::string>{"visit sub", "visit deep", "visit c.txt", "leave deep",
                                        "leave sub", "leave " + FileNameOf(dir.path())}));
}

}  // namespace
}  // namespace tarvel::fs

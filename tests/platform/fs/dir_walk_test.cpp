#include "platform/fs/dir_walk.h"

#include <dirent.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "support/temp_dir.h"

namespace tarvel::fs {
namespace {

using tarvel::testing::TempDir;
using tarvel::testing::WriteBytes;

// The names of a folder in the order the file system lists them.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    while (const dirent* e = ::readdir(dir)) {
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") {
            names.push_back(e->d_name);
        }
    }
    ::closedir(dir);
    return names;
}

TEST(DirWalk, VisitsInListingOrderAndDescendsWhenItMeetsAFolder) {
    TempDir dir;
    for (const char* f : {"b.mp3", "a/1.mp3", "a/deep/2.mp3", "c/3.MP3", "z.txt"}) {
        WriteBytes(dir / f, "x");
    }
    // What the walk must give: each folder's listing, a subfolder's entries right after it.
    std::vector<std::string> expected;
    std::function<void(const std::string&)> list = [&](const std::string& folder) {
        for (const auto& name : Listing(folder)) {
            expected.push_back(folder + "/" + name);
            if (DirectoryExists(folder + "/" + name)) {
                list(folder + "/" + name);
            }
        }
    };
    list(dir.path());

    std::vector<std::string> seen;
    WalkDirectory(dir.path(), [&](const DirEntry& e) {
        seen.push_back(e.path);
        EXPECT_EQ(e.is_directory, DirectoryExists(e.path));
        EXPECT_EQ(e.name, FileNameOf(e.path));
    });
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(seen.size(), 8u);
}

TEST(DirWalk, ALinkLoopIsWalkedOnceAndAMissingRootFails) {
    TempDir dir;
    WriteBytes(dir / "a/song.mp3", "x");
    ASSERT_EQ(::symlink(dir.path().c_str(), (dir / "a/loop").c_str()), 0);
    int files = 0;
    WalkDirectory(dir.path(), [&](const DirEntry& e) { files += e.is_directory ? 0 : 1; });
    EXPECT_EQ(files, 1);
    try {
        WalkDirectory(dir / "missing", [](const DirEntry&) {});
        ADD_FAILURE();
    } catch (const AppError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr(dir / "missing"));
    }
}

}  // namespace
}  // namespace tarvel::fs

#include "platform/fs/line_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/error/app_error.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/large_buffer.h"
#include "support/temp_dir.h"

namespace tarvel::fs {
namespace {

using namespace tarvel::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(LineFile, WritesCrLfBytesExactlyAndAppends) {
    TempDir dir;
    const std::string file = dir / "a.txt";
    WriteLines(file, {"one endart ", "", "\xC0\xFF"});
    EXPECT_EQ(ReadBytes(file), "one endart \r\n\r\n\xC0\xFF\r\n");
    AppendLine(file, "four");
    EXPECT_EQ(ReadBytes(file), "one endart \r\n\r\n\xC0\xFF\r\nfour\r\n");
    AppendLine(dir / "new.txt", "x");
    EXPECT_EQ(ReadBytes(dir / "new.txt"), "x\r\n");
    WriteLines(file, {});
    EXPECT_EQ(ReadBytes(file), "");
}

TEST(LineFile, ReadsCrLfLfCrAloneAndAnUnendedLastLineAfterAnyByteOrderMark) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"trailing \r\n", {"trailing "}},
        // CR alone ends a line too, and a byte-order mark before the first line is passed over:
        // an editor may have saved the file so.
        {"a\rb\r", {"a", "b"}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\r\n\rb\n\r", {"a", "", "b", ""}},
        {"\xEF\xBB\xBF"
         "a\r\nb\r\n",
         {"a", "b"}},
        {"\xEF\xBB\xBF", {}},
        {"x\xEF\xBB\xBF\r\n", {"x\xEF\xBB\xBF"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        WriteBytes(dir / "f", c.bytes);
        EXPECT_EQ(ReadLines(dir / "f"), c.lines) << c.bytes;
    }
}

// Files on both sides of the size from which the memory comes from the system, and a buffer
// growing across it: the bytes must be the file's, and the blocks given back must be the ones
// taken (a wrong size would fail or leak under the sanitizers).
TEST(LineFile, LargeFilesReadTheSameBytes) {
    TempDir dir;
    for (const size_t size :
         {size_t{0}, size_t{10}, kLargeBlock - 1, kLargeBlock, 3 * kLargeBlock + 7}) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>(i * 7 + i / 4099);
        }
        WriteBytes(dir / "big", bytes);
        const LargeVector<char> read = ReadLargeFile(dir / "big");
        ASSERT_EQ(std::string(read.begin(), read.end()), bytes) << size;
    }
    LargeVector<uint32_t> grown;
    for (uint32_t i = 0; i < kLargeBlock; ++i) {
        grown.push_back(i);
    }
    EXPECT_EQ(grown[12345], 12345u);
    EXPECT_EQ(grown.back(), kLargeBlock - 1);
    EXPECT_THROW(ReadLargeFile(dir / "missing"), AppError);
}

TEST(LineFile, ReplaceKeepsNoTemporaryFilesAndFailuresNameThePath) {
    TempDir dir;
    WriteLines(dir / "x.tcf", {"old"});
    WriteLines(dir / "x.tcf", {"new"});
    EXPECT_EQ(ReadBytes(dir / "x.tcf"), "new\r\n");

    const std::string missing = dir / "no such folder/file.txt";
    for (auto call : {+[](const std::string& p) { ReadLines(p); },
                      +[](const std::string& p) { WriteLines(p, {"x"}); },
                      +[](const std::string& p) { AppendLine(p, "x"); }}) {
        try {
            call(missing);
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_THAT(e.what(), HasSubstr(missing));
            EXPECT_THAT(e.what(), HasSubstr("No such file or directory"));
        }
    }
}

TEST(LineFile, AFailedReplaceLeavesTheTargetAndNoTemporaryFile) {
    TempDir dir;
    // The rename cannot put a file over a folder that has contents, even for root.
    WriteBytes(dir / "target/keep", "k");
    try {
        WriteLines(dir / "target", {"lost"});
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_THAT(e.what(), HasSubstr(dir / "target"));
    }
    EXPECT_EQ(ReadBytes(dir / "target/keep"), "k");
    int entries = 0;
    WalkDirectory(dir.path(), [&](const DirEntry&) { ++entries; });
    EXPECT_EQ(entries, 2);  // target and target/keep
}

TEST(FilePaths, NamesAndFolders) {
    EXPECT_EQ(FileNameOf("/music/a b/song.mp3"), "song.mp3");
    EXPECT_EQ(FileNameOf("song.mp3"), "song.mp3");
    EXPECT_EQ(FolderOf("/music/a b/song.mp3"), "/music/a b");
    EXPECT_EQ(FolderOf("/x"), "/");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
}

TEST(FilePaths, FindNoCasePrefersTheExactNameThenACaseBlindMatch) {
    TempDir dir;
    WriteBytes(dir / "conf.tcf", "a");
    EXPECT_EQ(FindNoCase(dir.path(), "Conf.tcf"), dir / "conf.tcf");
    EXPECT_EQ(FindNoCase(dir.path(), "conf.tcf"), dir / "conf.tcf");
    WriteBytes(dir / "Conf.tcf", "b");
    EXPECT_EQ(FindNoCase(dir.path(), "Conf.tcf"), dir / "Conf.tcf");
    EXPECT_EQ(FindNoCase(dir.path(), "conf.tcf"), dir / "conf.tcf");
    EXPECT_EQ(FindNoCase(dir.path(), "other.tcf"), dir / "other.tcf");
    EXPECT_EQ(FindNoCase(dir / "missing", "x"), dir / "missing/x");
}

}  // namespace
}  // namespace tarvel::fs

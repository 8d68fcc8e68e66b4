#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>

#include "platform/fs/file_ops.h"
#include "support/temp_dir.h"

// The tarvel-library command, run as a user runs it: in an application folder, on the small
// real MP3 files of the test data.
namespace tarvel::library {
namespace {

using tarvel::testing::ReadBytes;
using tarvel::testing::TempDir;
using ::testing::HasSubstr;

const std::string kTool = TARVEL_DIST_DIR "/tarvel-library";
const std::string kData = TARVEL_TEST_DATA_DIR "/library";

struct ToolRun {
    int status = -1;
    std::string output;  // stdout and stderr
};

ToolRun Tool(const std::string& app_dir, const std::string& arguments) {
    const std::string command =
        "cd '" + app_dir + "' && '" + kTool + "' --quiet " + arguments + " 2>&1";
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        run.output.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(LibraryTool, ProbesRealFiles) {
    TempDir app;
    const ToolRun run = Tool(app.path(), "probe '" + kData + "/cbr128_tags.mp3' '" + kData +
                                             "/vbr_mono_utf16.mp3' '" + kData + "/v1_only.mp3' '" +
                                             kData + "/untagged.mp3'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(
        run.output,
        "Tester\tFixtures\tSine\t2024\tUnknown\t3\t128\t1071\t44100\tJoint Stereo\t" + kData +
            "/cbr128_tags.mp3\n"
            "Кино\tАльбом\tГруппа крови\t1988\tUnknown\t1\t42\t2064\t22050\tMono\t" +
            kData +
            "/vbr_mono_utf16.mp3\n"
            "Old Tagger\tUnknown\tOnly v1\t1990\tUnknown\t9\t64\t1080\t24000\tJoint Stereo\t" +
            kData +
            "/v1_only.mp3\n"
            "Unknown\tUnknown\tuntagged\t0000\tUnknown\t0\t96\t1080\t32000\tJoint Stereo\t" +
            kData + "/untagged.mp3\n");
}

TEST(LibraryTool, ClearAddThenAddOfTheSameFolderChangesNothing) {
    TempDir app;
    ASSERT_EQ(Tool(app.path(), "clear-add '" + kData + "'").status, 0);
    const std::string all_song = ReadBytes(app / "sort/allsong.tft");
    const std::string path_list = ReadBytes(app / "sort/path.tan");
    EXPECT_EQ(path_list, kData + "/cbr128_tags.mp3\r\n" + kData + "/untagged.mp3\r\n" + kData +
                             "/v1_only.mp3\r\n" + kData + "/vbr_mono_utf16.mp3\r\n");
    // The artist index in Windows-1251: "Кино" is CA E8 ED EE.
    EXPECT_THAT(ReadBytes(app / "sort/ArtName.tan"),
                HasSubstr("\xCA\xE8\xED\xEE endart Artist4.tft endafn \r\n"));

    EXPECT_EQ(Tool(app.path(), "add '" + kData + "'").status, 0);
    EXPECT_EQ(ReadBytes(app / "sort/allsong.tft"), all_song);
    EXPECT_EQ(ReadBytes(app / "sort/path.tan"), path_list);

    // A relative path is stored as a full path.
    tarvel::testing::WriteBytes(app / "mine/new.mp3", ReadBytes(kData + "/untagged.mp3"));
    EXPECT_EQ(Tool(app.path(), "add mine/new.mp3").status, 0);
    EXPECT_THAT(ReadBytes(app / "sort/allsong.tft"), HasSubstr("untagged endtit"));
    EXPECT_THAT(ReadBytes(app / "sort/path.tan"), HasSubstr(app / "mine/new.mp3\r\n"));
}

TEST(LibraryTool, FailuresAndWrongUsageExitNonZero) {
    TempDir app;
    const ToolRun missing = Tool(app.path(), "clear-add '" + app / "missing" + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.output, HasSubstr("Cannot open folder"));

    EXPECT_EQ(Tool(app.path(), "frobnicate").status, 2);
    EXPECT_EQ(Tool(app.path(), "clear-add").status, 2);
    const ToolRun help = Tool(app.path(), "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.output, HasSubstr("clear-add DIR"));
}

}  // namespace
}  // namespace tarvel::library

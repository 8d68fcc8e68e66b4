#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fmt/format.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "library/mp3_bytes.h"
#include "platform/fs/dir_walk.h"
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

std::map<std::string, std::string> LibraryFiles(const std::string& app_dir);

// The library files of a folder of MP3s, byte for byte as the scanner has always written them
// (the data folder's path stands as @DATA@ in the golden files).
TEST(LibraryTool, AnMp3FolderGivesTheGoldenLibraryFiles) {
    TempDir app;
    ASSERT_EQ(Tool(app.path(), "clear-add '" + kData + "'").status, 0);
    const std::string golden = TARVEL_TEST_DATA_DIR "/library_golden";
    std::map<std::string, std::string> expected;
    fs::WalkDirectory(
        golden, [&](const fs::DirEntry& e) { expected["/sort/" + e.name] = ReadBytes(e.path); });
    std::map<std::string, std::string> written = LibraryFiles(app.path());
    for (auto& [name, bytes] : written) {
        for (size_t at = bytes.find(kData); at != std::string::npos; at = bytes.find(kData, at)) {
            bytes.replace(at, kData.size(), "@DATA@");
        }
    }
    EXPECT_EQ(written.size(), 7u);
    EXPECT_TRUE(written == expected);
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

// Starts the tool with its progress on a pipe, waits until it has written `bytes` bytes of
// progress (or ended), then kills it. Returns all the progress it wrote when it runs to its end.
std::string RunAndKill(const std::string& app_dir, const std::string& folder, size_t bytes) {
    int pipe_fds[2];
    EXPECT_EQ(::pipe(pipe_fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipe_fds[1], 2);
        ::close(pipe_fds[0]);
        if (::chdir(app_dir.c_str()) == 0) {
            ::execl(kTool.c_str(), kTool.c_str(), "add", folder.c_str(), nullptr);
        }
        ::_exit(127);
    }
    ::close(pipe_fds[1]);
    std::string progress;
    char buffer[256];
    while (progress.size() < bytes) {
        const ssize_t n = ::read(pipe_fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        progress.append(buffer, static_cast<size_t>(n));
    }
    ::kill(child, SIGKILL);
    ::close(pipe_fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    return progress;
}

// The library files of an application folder with their bytes.
std::map<std::string, std::string> LibraryFiles(const std::string& app_dir) {
    std::map<std::string, std::string> files;
    fs::WalkDirectory(app_dir + "/sort", [&](const fs::DirEntry& e) {
        files[e.path.substr(app_dir.size())] = e.is_directory ? "(folder)" : ReadBytes(e.path);
    });
    return files;
}

TEST(LibraryTool, ScansKilledAtAnyPointLeaveTheLibraryOfOneCleanScan) {
    TempDir music;
    // 20 000 small files of 200 artists; the second half comes after a first scan.
    for (int artist = 0; artist < 200; ++artist) {
        for (int song = 0; song < 100; ++song) {
            const std::string name =
                fmt::format("{}/a{}/{}.mp3", artist < 100 ? "first" : "second", artist, song);
            tarvel::testing::WriteBytes(
                music / name,
                tarvel::testing::Id3v2(
                    3, tarvel::testing::Frame("TPE1", tarvel::testing::Latin1(
                                                          fmt::format("Artist {}", artist % 150))) +
                           tarvel::testing::Frame(
                               "TIT2", tarvel::testing::Latin1(fmt::format("Song {}", song)))) +
                    tarvel::testing::AudioFrames(tarvel::testing::FrameKind{}, 417, 1));
        }
    }
    TempDir clean;
    ASSERT_EQ(Tool(clean.path(), "add '" + music / "first" + "'").status, 0);
    const std::string progress = RunAndKill(clean.path(), music.path(), SIZE_MAX);
    ASSERT_GT(progress.size(), 20u);

    TempDir killed;
    ASSERT_EQ(Tool(killed.path(), "add '" + music / "first" + "'").status, 0);
    for (size_t kill = 0; kill < 20; ++kill) {
        RunAndKill(killed.path(), music.path(), progress.size() * kill / 20);
    }
    ASSERT_EQ(Tool(killed.path(), "add '" + music.path() + "'").status, 0);
    const auto expected = LibraryFiles(clean.path());
    EXPECT_EQ(expected.size(), 153u);  // 150 artist files, the index, allsong and the path list
    EXPECT_TRUE(LibraryFiles(killed.path()) == expected);
}

}  // namespace
}  // namespace tarvel::library

// Real files of other formats, some deliberately broken, opened as a song would be: each is
// played to its end or refused with a SoundError, in a child process that has one second of
// processor time and 64 MB of memory beyond what it started with, so a hang, a crash or a huge
// allocation fails the file instead of the whole run.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/sound/decoders.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {
namespace {

namespace sfs = std::filesystem;

std::string CorpusDir() {
    const char* set = std::getenv("TARVEL_CORPUS_DIR");
    return std::string(set != nullptr ? set : TARVEL_CORPUS_DIR) + "/formats";
}

// The child's data size now, from /proc/self/status (kB).
std::uint64_t DataBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmData:")) {
            return std::stoull(line.substr(7)) * 1024;
        }
    }
    return 0;
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

constexpr int kPlayed = 0;
constexpr int kRefused = 3;

// What a child saw of one file: how it ended, and its report line.
struct Outcome {
    std::string how;  // "played", "refused", or what went wrong
    std::string said;
};

// Opens the file and reads it to its end in a child with limits; the child writes one line.
Outcome OpenInChild(const std::string& path) {
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0) {
        return {"no pipe", ""};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_ends[0]);
        const rlimit cpu{1, 2};
        ::setrlimit(RLIMIT_CPU, &cpu);
        if (!kSanitized) {
            const rlim_t data = DataBytes() + (64u << 20);
            const rlimit memory{data, data};
            ::setrlimit(RLIMIT_DATA, &memory);
        }
        ::alarm(20);  // a wait for something that never comes uses no processor time
        std::string report;
        int code = kPlayed;
        try {
            auto decoder = OpenStreamDecoder(path);
            const PcmFormat format = decoder->Format();
            std::vector<float> block(4096 * static_cast<std::size_t>(format.channels));
            std::int64_t frames = 0;
            while (const std::size_t got = decoder->Read(block.data(), 4096)) {
                frames += static_cast<std::int64_t>(got);
            }
            std::ostringstream line;
            line << frames << " " << format.rate << " " << format.channels << " "
                 << decoder->Length();
            report = line.str();
        } catch (const SoundError& e) {
            report = e.what();
            code = kRefused;
        } catch (const std::exception& e) {
            report = e.what();
            code = 4;
        }
        report += "\n";
        [[maybe_unused]] const auto written = ::write(pipe_ends[1], report.data(), report.size());
        ::_exit(code);
    }
    ::close(pipe_ends[1]);
    std::string said;
    char buffer[512];
    ssize_t got = 0;
    while ((got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0) {
        said.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipe_ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!said.empty() && said.back() == '\n') {
        said.pop_back();
    }
    if (WIFSIGNALED(status)) {
        return {WTERMSIG(status) == SIGXCPU ? "over a second of processor time"
                : WTERMSIG(status) == SIGALRM
                    ? "hung"
                    : "killed by signal " + std::to_string(WTERMSIG(status)),
                said};
    }
    const int code = WEXITSTATUS(status);
    return {code == kPlayed    ? "played"
            : code == kRefused ? "refused"
                               : "failed with exit code " + std::to_string(code),
            said};
}

// The files that hold no sound that can be decoded (libav's own tools fail on them too): cut
// short, a header alone, versions of a format nobody decodes, or data that breaks the format.
// Every other file plays.
const std::set<std::string> kRefusedFiles = {
    "64bit.mp4",     "excessive_alloc.aif",  "four_channels.wv", "ilst-is-last.m4a",
    "infloop.m4a",   "infloop.mpc",          "infloop.wv",       "invalid-chunk.wav",
    "longloop.ape",  "lowercase-fields.ogg", "mac-390-hdr.ape",  "real_example.wma",
    "segfault.aif",  "segfault.mpc",         "segfault.oga",     "segfault.wav",
    "segfault2.mpc", "sv4_header.mpc",       "sv5_header.mpc",   "zerodiv.ape",
    "zerodiv.mpc",
};

TEST(CorpusDecode, EveryFilePlaysOrIsRefusedWithinASecondAnd64MB) {
    const std::string dir = CorpusDir() + "/taglib";
    if (!sfs::is_directory(dir)) {
        GTEST_SKIP() << "no corpus at " << dir;
    }
    std::vector<std::string> files;
    for (const auto& entry : sfs::directory_iterator(dir)) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        const Outcome outcome = OpenInChild(dir + "/" + file);
        std::printf("%-40s %-8s %s\n", file.c_str(), outcome.how.c_str(), outcome.said.c_str());
        EXPECT_EQ(outcome.how, kRefusedFiles.contains(file) ? "refused" : "played")
            << file << ": " << outcome.said;
    }
}

}  // namespace
}  // namespace tarvel::sound

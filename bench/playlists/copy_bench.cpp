// Times the special copy of a playlist of FILES songs of MB megabytes each into another folder of
// the same file system, beside `cp -r` of the same files, in the same run and alternating so both
// meet the same cache. Each copy is removed before the next one. Prints every time and the
// medians in seconds, and their ratio.
//
// Usage: tarvel-bench-playlist-copy FOLDER [FILES [MB [RUNS]]]   (defaults 1000, 4, 3)
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "library/progress_display.h"
#include "playlists/playlist_export.h"

namespace {

using namespace tarvel;
using Clock = std::chrono::steady_clock;
namespace sfs = std::filesystem;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The source files, made once: bytes that do not compress, songs of 40 artists and 4 albums each.
playlists::TPlist MakeSongs(const std::string& folder, int files, int mb) {
    sfs::create_directories(folder);
    std::mt19937_64 random(7);
    std::vector<uint64_t> block(static_cast<size_t>(mb) * 1024 * 1024 / sizeof(uint64_t));
    playlists::TPlist list;
    list.Rows.assign(static_cast<size_t>(files) + 2, std::vector<std::string>(13));
    for (int i = 1; i <= files; ++i) {
        const std::string path = fmt::format("{}/song{:04}.mp3", folder, i);
        if (!sfs::exists(path) || sfs::file_size(path) != block.size() * sizeof(uint64_t)) {
            for (uint64_t& word : block) {
                word = random();
            }
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(block.data()),
                       static_cast<std::streamsize>(block.size() * sizeof(uint64_t)));
        }
        auto& row = list.Rows[static_cast<size_t>(i)];
        row[library::kArtist] = fmt::format("Artist {}", i % 40);
        row[library::kAlbum] = fmt::format("Album {}", i % 4);
        row[library::kTitle] = fmt::format("Song {}", i);
        row[library::kYear] = "2001";
        row[library::kTrack] = std::to_string(i % 20 + 1);
        row[library::kPath] = path;
    }
    list.Count = files;
    return list;
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvel-bench-playlist-copy FOLDER [FILES [MB [RUNS]]]\n");
        return 2;
    }
    const std::string folder = sfs::absolute(argv[1]).string();
    const int files = argc > 2 ? std::stoi(argv[2]) : 1000;
    const int mb = argc > 3 ? std::stoi(argv[3]) : 4;
    const int runs = argc > 4 ? std::stoi(argv[4]) : 3;
    const std::string source = folder + "/songs";
    const std::string target = folder + "/copy";
    const playlists::TPlist list = MakeSongs(source, files, mb);
    library::NoProgressDisplay progress;
    std::vector<double> cp_times;
    std::vector<double> copy_times;
    for (int run = 0; run < runs; ++run) {
        sfs::remove_all(target);
        std::system("sync");
        auto start = Clock::now();
        const std::string command = fmt::format("cp -r '{}' '{}'", source, target);
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "cp failed\n");
            return 1;
        }
        cp_times.push_back(Seconds(start));
        sfs::remove_all(target);
        std::system("sync");
        sfs::create_directories(target);
        start = Clock::now();
        const int copied =
            playlists::SpecialCopy(list, target, playlists::ExportOptions{}, progress);
        copy_times.push_back(Seconds(start));
        if (copied != files) {
            std::fprintf(stderr, "special copy wrote %d of %d files\n", copied, files);
            return 1;
        }
        std::printf("run %d: cp -r %.3f s, special copy %.3f s\n", run + 1, cp_times.back(),
                    copy_times.back());
    }
    sfs::remove_all(target);
    const double cp = Median(cp_times);
    const double copy = Median(copy_times);
    std::printf("%d files of %d MB: cp -r median %.3f s, special copy median %.3f s, ratio %.2f\n",
                files, mb, cp, copy, copy / cp);
    return 0;
}

// Reading a library's worth of files in another format than MP3: the scanner's record of each
// of N FLAC files (tags and stream facts through TagLib) beside TagLib's own reading loop over
// the same files (FileRef, fast properties, the same fields), and beside the scanner's record of
// N MP3 files. The files are copies of the test fixtures in a temporary folder, read once before
// timing so the cache is warm.
//
// Usage: tarvel-bench-formats [--files=N] [Google Benchmark options]

#include <benchmark/benchmark.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "library/song_reader.h"

namespace {

namespace stdfs = std::filesystem;
using namespace tarvel;

struct Folder {
    stdfs::path root;
    std::vector<std::string> flac;
    std::vector<std::string> mp3;
    ~Folder() { stdfs::remove_all(root); }
};

Folder* g_folder = nullptr;

std::vector<std::string> Copies(const stdfs::path& from, const stdfs::path& folder, int count,
                                const std::string& extension) {
    stdfs::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const stdfs::path to = folder / ("song" + std::to_string(i) + extension);
        stdfs::copy_file(from, to, stdfs::copy_options::overwrite_existing);
        paths.push_back(to.string());
    }
    return paths;
}

void Warm(const std::vector<std::string>& paths) {
    std::vector<char> buffer(1 << 16);
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
        }
    }
}

void BM_ScannerRecordsOfFlacFiles(benchmark::State& state) {
    library::TagReaders readers;
    for (auto _ : state) {
        for (const auto& path : g_folder->flac) {
            std::string why;
            benchmark::DoNotOptimize(library::ReadMusicFile(path, readers, why));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(g_folder->flac.size()));
}

void BM_TagLibLoopOverFlacFiles(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& path : g_folder->flac) {
            TagLib::FileRef file(path.c_str(), true, TagLib::AudioProperties::Fast);
            const TagLib::Tag* tag = file.tag();
            const TagLib::AudioProperties* audio = file.audioProperties();
            benchmark::DoNotOptimize(tag->artist().to8Bit(true));
            benchmark::DoNotOptimize(tag->album().to8Bit(true));
            benchmark::DoNotOptimize(tag->title().to8Bit(true));
            benchmark::DoNotOptimize(tag->genre().to8Bit(true));
            benchmark::DoNotOptimize(tag->year() + tag->track());
            benchmark::DoNotOptimize(audio->bitrate() + audio->lengthInMilliseconds() +
                                     audio->sampleRate() + audio->channels());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(g_folder->flac.size()));
}

void BM_ScannerRecordsOfMp3Files(benchmark::State& state) {
    library::TagReaders readers;
    for (auto _ : state) {
        for (const auto& path : g_folder->mp3) {
            std::string why;
            benchmark::DoNotOptimize(library::ReadMusicFile(path, readers, why));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(g_folder->mp3.size()));
}

BENCHMARK(BM_ScannerRecordsOfFlacFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TagLibLoopOverFlacFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScannerRecordsOfMp3Files)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    int files = 10000;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--files=", 8) == 0) {
            files = std::atoi(argv[i] + 8);
        } else {
            rest.push_back(argv[i]);
        }
    }
    char folder_template[] = "/tmp/tarvel-bench-formats-XXXXXX";
    Folder folder{stdfs::path(::mkdtemp(folder_template)), {}, {}};
    const stdfs::path data = TARVEL_TEST_DATA_DIR;
    folder.flac = Copies(data / "formats/tagged.flac", folder.root / "flac", files, ".flac");
    folder.mp3 = Copies(data / "library/cbr128_tags.mp3", folder.root / "mp3", files, ".mp3");
    Warm(folder.flac);
    Warm(folder.mp3);
    g_folder = &folder;

    int rest_count = static_cast<int>(rest.size());
    benchmark::Initialize(&rest_count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The tag and header readers alone, over bytes in memory: what reading one file costs without
// the system calls around it.

#include <benchmark/benchmark.h>

#include "library/mp3_bytes.h"
#include "library/song_reader.h"

namespace {

using namespace tarvel;
using namespace tarvel::testing;

std::string SmallSong() {
    return Id3v2(3,
                 Frame("TPE1", Utf16(u"\u041a\u0438\u043d\u043e")) + Frame("TIT2", Latin1("Song")) +
                     Frame("TALB", Latin1("Album")) + Frame("TRCK", Latin1("3")) +
                     Frame("TYER", Latin1("1988")),
                 64) +
           AudioFrames(FrameKind{}, 417, 8) + Id3v1("Song", "Kino", "Album", "1988", 3);
}

void BM_ReadSongRecord(benchmark::State& state) {
    const std::string bytes = SmallSong();
    library::TagReaders readers;
    for (auto _ : state) {
        library::MemorySource source(bytes);
        benchmark::DoNotOptimize(library::ReadSongRecord("/music/Kino/Song.mp3", source, readers));
    }
}
BENCHMARK(BM_ReadSongRecord);

void BM_SongLine(benchmark::State& state) {
    library::TagReaders readers;
    const std::string bytes = SmallSong();
    library::MemorySource source(bytes);
    const library::SongRecord record = library::ReadSongRecord("/music/Song.mp3", source, readers);
    for (auto _ : state) {
        benchmark::DoNotOptimize(library::SongLine(record));
    }
}
BENCHMARK(BM_SongLine);

}  // namespace

BENCHMARK_MAIN();

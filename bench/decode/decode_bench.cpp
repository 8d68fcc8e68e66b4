// Decodes a file of each format as fast as possible and prints the real-time factor (seconds of
// audio per second of work, the median of three runs) beside ffmpeg's on the same file
// (`ffmpeg -benchmark -i FILE -f null -`, one run, its own decoding time without its start-up).
// A short file is decoded many times over, by both, so that the times are long enough to read.
// WAV is decoded by libsndfile (which plays it) and by the libavformat decoder, for comparison.
// Set TARVEL_CORPUS_DIR to find the shared corpus somewhere other than beside the source tree.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "platform/sound/av_decoder.h"
#include "platform/sound/decoders.h"
#include "platform/sound/sndfile_decoder.h"

namespace {

using Clock = std::chrono::steady_clock;
using Opener = std::function<std::unique_ptr<tarvel::sound::Decoder>(const std::string&)>;

struct Item {
    std::string label;
    std::string path;
    int repeats;
    Opener open;
};

// Seconds of audio decoded in all repeats, and the seconds it took.
double Decode(const Item& item, double& audio_seconds) {
    const auto start = Clock::now();
    audio_seconds = 0;
    for (int i = 0; i < item.repeats; ++i) {
        auto decoder = item.open(item.path);
        const auto format = decoder->Format();
        std::vector<float> block(4096 * static_cast<std::size_t>(format.channels));
        std::int64_t frames = 0;
        while (const std::size_t got = decoder->Read(block.data(), 4096)) {
            frames += static_cast<std::int64_t>(got);
        }
        audio_seconds += static_cast<double>(frames) / format.rate;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// ffmpeg's own decoding time of the file, summed over as many runs as repeats, or a negative
// number. (Its -stream_loop cannot stand in: not every demuxer goes back to the start.)
double FfmpegSeconds(const Item& item) {
    const std::string command =
        "ffmpeg -nostdin -hide_banner -nostats -benchmark -i '" + item.path + "' -f null - 2>&1";
    double total = 0;
    for (int i = 0; i < item.repeats; ++i) {
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return -1;
        }
        std::string said;
        char buffer[4096];
        while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) {
            said.append(buffer, got);
        }
        pclose(pipe);
        std::smatch match;
        if (!std::regex_search(said, match, std::regex("rtime=([0-9.]+)s"))) {
            return -1;
        }
        total += std::stod(match[1]);
    }
    return total;
}

}  // namespace

int main() {
    const std::string dir = BENCH_DECODE_DIR;
    const char* corpus_set = std::getenv("TARVEL_CORPUS_DIR");
    const std::string corpus =
        std::string(corpus_set != nullptr ? corpus_set : BENCH_CORPUS_DIR) + "/formats/taglib";
    const Opener stream = [](const std::string& p) { return tarvel::sound::OpenStreamDecoder(p); };
    const std::vector<Item> items = {
        {"FLAC", dir + "/two_minutes.flac", 1, stream},
        {"Ogg Vorbis", dir + "/two_minutes.ogg", 1, stream},
        {"Opus", dir + "/two_minutes.opus", 1, stream},
        {"AAC (M4A)", dir + "/two_minutes.m4a", 1, stream},
        {"ALAC (M4A)", dir + "/two_minutes_alac.m4a", 1, stream},
        {"WMA", dir + "/two_minutes.wma", 1, stream},
        {"WavPack", dir + "/two_minutes.wv", 1, stream},
        {"APE (corpus, 3.5 s x 40)", corpus + "/mac-399.ape", 40, stream},
        {"Musepack SV8 (corpus, 1.5 s x 80)", corpus + "/sv8_header.mpc", 80, stream},
        {"MP3 (libmpg123)", dir + "/two_minutes.mp3", 1, stream},
        {"WAV (libsndfile)", dir + "/two_minutes.wav", 1,
         [](const std::string& p) { return tarvel::sound::OpenSndfileDecoder(p); }},
        {"WAV (libavformat)", dir + "/two_minutes.wav", 1,
         [](const std::string& p) { return tarvel::sound::OpenAvDecoder(p); }},
    };
    std::printf("%-36s %8s %14s %14s\n", "format", "audio s", "Tarvel", "ffmpeg -f null");
    for (const Item& item : items) {
        std::vector<double> factors;
        double audio = 0;
        try {
            for (int run = 0; run < 3; ++run) {
                const double took = Decode(item, audio);
                factors.push_back(audio / took);
            }
        } catch (const std::exception& e) {
            std::printf("%-36s cannot decode: %s\n", item.label.c_str(), e.what());
            continue;
        }
        std::sort(factors.begin(), factors.end());
        const double ffmpeg = FfmpegSeconds(item);
        std::printf("%-36s %8.1f %13.0fx %13.0fx\n", item.label.c_str(), audio, factors[1],
                    ffmpeg > 0 ? audio / ffmpeg : 0.0);
    }
    return 0;
}

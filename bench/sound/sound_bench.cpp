// Renders a five-minute 192 kbps MP3 through the sound core as fast as possible and prints the
// real-time factor (seconds of audio per second of work, median of five runs) and peak memory.
//   decode only          libmpg123 through the MP3 decoder, nothing else
//   full chain           decoder -> resampler -> 16 EQ bands -> mix -> manual output, with one
//                        FFT of the channel per 20 ms of audio
// The 44.1 kHz file needs no resampling; the 48 kHz one goes through libsoxr.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sound/decoders.h"
#include "platform/sound/engine.h"
#include "platform/sound/output.h"
#include "platform/sound/fft_bins.h"

namespace {

using Clock = std::chrono::steady_clock;
using tarvel::sound::Engine;

constexpr int kRuns = 5;
const float kGains[16] = {3, -2, 4, 1, -3, 2, 5, -4, 6, -1, 2, -5, 3, 1, -2, 4};
const int kCentres[16] = {80,   140,  230,  390,  560,   720,   880,   1200,
                          2000, 4000, 6000, 8000, 10000, 12000, 14000, 16000};

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Seconds of audio decoded, and the time it took.
double DecodeOnly(const std::string& path, double& audio_seconds) {
    const auto start = Clock::now();
    auto decoder = tarvel::sound::OpenStreamDecoder(path);
    const auto format = decoder->Format();
    std::vector<float> block(4096 * static_cast<std::size_t>(format.channels));
    std::int64_t frames = 0;
    while (const std::size_t got = decoder->Read(block.data(), 4096)) {
        frames += static_cast<std::int64_t>(got);
    }
    audio_seconds = static_cast<double>(frames) / format.rate;
    return Seconds(start);
}

double FullChain(const std::string& path, double& audio_seconds) {
    Engine engine(tarvel::sound::CreateOutput("manual"));
    auto& out = *engine.Manual();
    const auto start = Clock::now();
    const auto id = engine.Open(tarvel::sound::OpenStreamDecoder(path));
    for (int band = 0; band < 16; ++band) {
        const auto index = engine.AddEqBand(id);
        engine.SetEqBand(
            id, *index,
            tarvel::sound::EqBandParams{static_cast<float>(kCentres[band]), 10.0f, kGains[band]});
    }
    engine.Play(id);
    float bins[tarvel::sound::kFftBins];
    float sink = 0;
    while (engine.State(id) == tarvel::sound::PlayState::Playing) {
        out.Advance(20);
        engine.Spectrum(id, bins);
        sink += bins[23];
    }
    audio_seconds = static_cast<double>(engine.Position(id)) / 44100.0;
    const double took = Seconds(start);
    if (sink < 0) {
        std::printf("impossible\n");
    }
    return took;
}

template <typename Run>
void Report(const char* name, const std::string& path, Run run) {
    std::vector<double> factors;
    double audio = 0;
    for (int i = 0; i < kRuns; ++i) {
        const double took = run(path, audio);
        factors.push_back(audio / took);
    }
    std::sort(factors.begin(), factors.end());
    std::printf("%-34s audio %6.1f s  real-time factor median %7.1fx  (min %.1fx, max %.1fx)\n",
                name, audio, factors[kRuns / 2], factors.front(), factors.back());
}

}  // namespace

int main() {
    const std::string dir = BENCH_SOUND_DIR;
    const std::string mp3_44 = dir + "/five_minutes_44100.mp3";
    const std::string mp3_48 = dir + "/five_minutes_48000.mp3";
    Report("decode only, 44.1 kHz", mp3_44, DecodeOnly);
    Report("full chain, 44.1 kHz", mp3_44, FullChain);
    Report("decode only, 48 kHz", mp3_48, DecodeOnly);
    Report("full chain, 48 kHz (resampled)", mp3_48, FullChain);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory (max resident set): %.1f MB\n",
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}

// One Draw of the main window's analyser strip (288 x 17, bars 3 wide, cap 15): the frame
// cleared, 129 bars with their peaks, and the copy onto the target. Run with
// --benchmark_repetitions=20 --benchmark_report_aggregates_only=true for the median.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "audio/analyser.h"

namespace {

using tarvel::audio::TSpectrum;

// The strip as the BASS engine sets it up for PaintFrame.
TSpectrum Strip() {
    TSpectrum spectrum(288, 17);
    spectrum.BarWidth = 3;
    spectrum.MaxHeight = 15;
    spectrum.BarFall = 2;
    spectrum.PeakFall = 1;
    return spectrum;
}

// A music-like spectrum that moves from frame to frame, so bars rise, fall and cap.
void FillFft(float* data, int frame) {
    for (int k = 0; k < 513; ++k) {
        const double falloff = 0.06 / (1.0 + k / 12.0);
        data[k] = static_cast<float>(falloff * (0.6 + 0.4 * std::sin(0.37 * k + 0.9 * frame)));
    }
}

void BM_DrawStripToImage(benchmark::State& state) {
    TSpectrum spectrum = Strip();
    QImage target(288, 17, QImage::Format_RGB32);
    QPainter painter(&target);
    float frames[8][513];
    for (int f = 0; f < 8; ++f) {
        FillFft(frames[f], f);
    }
    int frame = 0;
    for (auto _ : state) {
        spectrum.Draw(painter, frames[frame++ & 7], 1, 1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawStripToImage);

// The quiet strip: every bar at 0, what the strip costs with nothing playing.
void BM_DrawQuietStrip(benchmark::State& state) {
    TSpectrum spectrum = Strip();
    QImage target(288, 17, QImage::Format_RGB32);
    QPainter painter(&target);
    float zeros[513] = {};
    for (auto _ : state) {
        spectrum.Draw(painter, zeros, 1, 1);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawQuietStrip);

}  // namespace

BENCHMARK_MAIN();

#include "audio/analyser.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tarvel::audio {

namespace {
constexpr int kBars = 129;
constexpr int kDataSize = 513;
constexpr int kFirstBin = 5;  // bins 0..4 are never shown
}  // namespace

TSpectrum::TSpectrum(int width, int height)
    : Frame(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    Frame.fill(BackColor);
}

void TSpectrum::Fill(int left, int top, int right, int bottom, QRgb colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, Frame.width());
    bottom = std::min(bottom, Frame.height());
    for (int y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(Frame.scanLine(y));
        std::fill(line + left, line + std::max(left, right), colour);
    }
}

void TSpectrum::Draw(QPainter& target, const float* FFTData, int X, int Y) {
    float data[kDataSize];
    std::copy(FFTData, FFTData + kDataSize, data);
    const int H = Frame.height();
    if (ClearFrame) {
        Frame.fill(BackColor);
    }
    for (int i = 0; i < kBars; ++i) {
        const int index = i * Step + kFirstBin;
        const float v = index >= 0 && index < kDataSize ? std::fabs(data[index]) : 0.0f;
        // Single precision, as the data: 0.03 x 500 gives 15, not 14.999...
        const float scaled = v * 500.0f;
        // Truncated toward zero and capped; a broken value (NaN) draws nothing.
        int y = scaled >= static_cast<float>(MaxHeight)
                    ? MaxHeight
                    : (scaled > 0 ? static_cast<int>(scaled) : 0);
        Peaks[i] = y >= Peaks[i] ? y : Peaks[i] - PeakFall;
        Levels[i] = y >= Levels[i] ? y : Levels[i] - BarFall;
        Peaks[i] = std::max(Peaks[i], 0);
        Levels[i] = std::max(Levels[i], 0);
        const int left = X + i * (BarWidth + 1);
        if (ShowPeak) {
            const int row = H + Y - Peaks[i];
            Fill(left, row, left + BarWidth, row + 1, PeakColor.rgb());
        }
        Fill(left, H + Y - Levels[i], left + BarWidth, H + Y, BarColor.rgb());
    }
    target.drawImage(0, 0, Frame);
}

}  // namespace tarvel::audio

#pragma once

#include <QColor>
#include <QImage>
#include <array>
#include <cstdint>

class QPainter;

namespace tarvel::audio {

// The one-line spectrum analyser: 129 bars of FFT magnitudes with falling levels and peak marks,
// drawn into the off-screen Frame and copied to the target in one step (no flicker).
class TSpectrum {
  public:
    TSpectrum(int width, int height);

    // FFTData: 513 floats, the first 512 FFT magnitudes. X, Y: drawing offset of the bars.
    void Draw(QPainter& target, const float* FFTData, int X, int Y);

    QImage Frame;
    QColor BackColor{0, 0, 0};
    int Mode = 1;  // bars
    int MaxHeight = 100;
    QColor BarColor{255, 255, 255};
    QColor PeakColor{255, 255, 0};
    int Step = 1;
    bool ClearFrame = true;
    int PeakFall = 1;
    int BarFall = 3;
    int BarWidth = 5;
    bool ShowPeak = true;
    std::array<std::int32_t, 129> Peaks{};
    std::array<std::int32_t, 129> Levels{};

  private:
    // Fills [left, right) x [top, bottom) clipped to the frame.
    void Fill(int left, int top, int right, int bottom, QRgb colour);
};

}  // namespace tarvel::audio

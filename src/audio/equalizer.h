#pragma once

#include <cstdint>

namespace tarvel::config {
struct EqGains;
}

namespace tarvel::audio {

class CBassEngine;

// The equalizer's operations over the program-wide gain table and the BASS engine's bands, as
// the equalizer window's sliders and pictures drive them. A slider position p (0 at the top,
// 30 at the bottom) is the gain 15 - p dB.
class Equalizer {
  public:
    static constexpr int kBands = 16;
    static constexpr int kSliderMax = 30;
    static constexpr int kFlatPosition = 15;

    Equalizer(config::EqGains& gains, CBassEngine& bass) : gains_(gains), bass_(bass) {}

    static int GainOf(int position) { return kFlatPosition - position; }
    static int PositionOf(int gain) { return kFlatPosition - gain; }

    // A slider moved by the user: the band's gain in the table and on the engine.
    void BandChanged(int band, int position);
    // Switches the equalizer on or off; returns the picture that shows the new state (1 on,
    // 2 off). The gains stay in the table, so switching back on restores them.
    int ToggleEnabled();
    // Every band flat, in the table and on the engine.
    void Reset();

  private:
    config::EqGains& gains_;
    CBassEngine& bass_;
};

}  // namespace tarvel::audio

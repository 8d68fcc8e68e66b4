#include "audio/equalizer.h"

#include "audio/bass_engine.h"
#include "config/eq_preset.h"

namespace tarvel::audio {

void Equalizer::BandChanged(int band, int position) {
    const int gain = GainOf(position);
    gains_[band] = gain;
    bass_.SetEQBand(band, gain);
}

int Equalizer::ToggleEnabled() {
    const bool on = !bass_.GetEQEnabled();
    bass_.SetEQEnabled(on);
    return on ? 1 : 2;
}

void Equalizer::Reset() {
    for (int band = 1; band <= kBands; ++band) {
        bass_.SetEQBand(band, 0);
        gains_[band] = 0;
    }
}

}  // namespace tarvel::audio

#pragma once

#include <QImage>
#include <string>

#include "audio/equalizer.h"
#include "config/eq_preset.h"
#include "windows/skin_window.h"

namespace tarvel {

// What the equalizer window works on: the gain table and the BASS engine of the main window,
// and the main window's bar pictures its sliders show.
struct EqualizerParts {
    config::EqGains& gains;
    audio::CBassEngine& bass;
    std::string app_dir;
    QImage bar_band;   // ImgPalkaForSkroll, stretched over the band
    QImage bar_thumb;  // ImgSkroll, the thumb at its natural size
    windows::Report report;
};

// The 16-band equalizer window: borderless, dragged by its background, with a slider per band
// (the gain 15 - position dB), the on/off picture, the reset picture and the close picture.
// A loaded preset moves its sliders and sets the engine's bands.
class TEqualizer : public windows::SkinWindowOf<controls::Eq>, public config::EqualizerTarget {
    Q_OBJECT
  public:
    explicit TEqualizer(const EqualizerParts& parts, QWidget* parent = nullptr);

    // Slider n = 1..16; 17 is the slider left of the bands.
    controls::TKVRScrollerVr& Slider(int n) const;

    // config::EqualizerTarget: where a loaded preset is shown and heard.
    void SetSliderPosition(int band, int position) override;
    void SetEQBand(int band, int gain) override;

    void ImgEnabledClick();
    void ImgPresetClick();
    void ImgCloseClick() { hide(); }

  private:
    audio::CBassEngine& bass_;
    audio::Equalizer equalizer_;
};

}  // namespace tarvel

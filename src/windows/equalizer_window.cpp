#include "windows/equalizer_window.h"

#include "audio/bass_engine.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"

namespace tarvel {
namespace {

using controls::Eq;

constexpr QSize kClient(367, 187);
constexpr quint8 kThumbSize = 63;

}  // namespace

TEqualizer::TEqualizer(const EqualizerParts& parts, QWidget* parent)
    : SkinWindowOf(kClient, controls::ToQRect(controls::RecordOf(Eq::ImgFonEq).rect), {}, parent),
      bass_(parts.bass),
      equalizer_(parts.gains, parts.bass) {
    setWindowTitle("Equalizer");
    for (int n = 1; n <= 17; ++n) {
        controls::TKVRScrollerVr& slider = Slider(n);
        slider.SetMax(audio::Equalizer::kSliderMax);
        slider.SetPosition(audio::Equalizer::kFlatPosition);
        slider.SetThumbSize(kThumbSize);
        if (!parts.bar_band.isNull() && !parts.bar_thumb.isNull()) {
            slider.SetPictures(parts.bar_band, parts.bar_thumb);
        }
        // The slider left of the bands sets band 16, which its own slider does not show.
        const int band = n == 17 ? 16 : n;
        connect(&slider, &controls::TKVRScrollerVr::OnChange, this,
                [this, band](int position) { equalizer_.BandChanged(band, position); });
    }
    Slider(17).SetLargeChange(0);
    LoadSkin(parts.app_dir, parts.report);
    connect(&Image(Eq::ImgEnabled), &controls::TMegaImage::OnClick, this,
            &TEqualizer::ImgEnabledClick);
    connect(&Image(Eq::ImgPreset), &controls::TMegaImage::OnClick, this,
            &TEqualizer::ImgPresetClick);
    connect(&Image(Eq::ImgClose), &controls::TMegaImage::OnClick, this, &TEqualizer::ImgCloseClick);
}

controls::TKVRScrollerVr& TEqualizer::Slider(int n) const {
    return VerticalBar(controls::Numbered(Eq::KVRScrollerVr1, n));
}

void TEqualizer::SetSliderPosition(int band, int position) {
    Slider(band).SetPosition(position);
}

void TEqualizer::SetEQBand(int band, int gain) {
    bass_.SetEQBand(band, gain);
}

void TEqualizer::ImgEnabledClick() {
    Image(Eq::ImgEnabled).ShowPicture(equalizer_.ToggleEnabled());
}

void TEqualizer::ImgPresetClick() {
    equalizer_.Reset();
    for (int band = 1; band <= audio::Equalizer::kBands; ++band) {
        Slider(band).SetPosition(audio::Equalizer::kFlatPosition);
    }
}

}  // namespace tarvel

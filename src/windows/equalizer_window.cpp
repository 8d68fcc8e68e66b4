#include "windows/equalizer_window.h"

#include <string>

#include "audio/bass_engine.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"

namespace tarvel {
namespace {

using windows::ControlKind;

constexpr QSize kClient(367, 187);
constexpr QRect kBackground(8, 4, 351, 158);
constexpr quint8 kThumbSize = 63;

constexpr QRect SliderRect(int n) {
    return n == 17 ? QRect(30, 34, 10, 108) : QRect(60 + 18 * (n - 1), 34, 10, 108);
}

constexpr windows::WindowControl kControls[] = {
    {"ImgFonEq", ControlKind::Background, kBackground, ""},
    {"ImgEnabled", ControlKind::Picture, {240, 12, 47, 15}, ""},
    {"ImgPreset", ControlKind::Button, {286, 12, 44, 15}, ""},
    {"ImgClose", ControlKind::Button, {331, 9, 19, 19}, "Close"},
    {"KVRScrollerVr1", ControlKind::VerticalBar, SliderRect(1), ""},
    {"KVRScrollerVr2", ControlKind::VerticalBar, SliderRect(2), ""},
    {"KVRScrollerVr3", ControlKind::VerticalBar, SliderRect(3), ""},
    {"KVRScrollerVr4", ControlKind::VerticalBar, SliderRect(4), ""},
    {"KVRScrollerVr5", ControlKind::VerticalBar, SliderRect(5), ""},
    {"KVRScrollerVr6", ControlKind::VerticalBar, SliderRect(6), ""},
    {"KVRScrollerVr7", ControlKind::VerticalBar, SliderRect(7), ""},
    {"KVRScrollerVr8", ControlKind::VerticalBar, SliderRect(8), ""},
    {"KVRScrollerVr9", ControlKind::VerticalBar, SliderRect(9), ""},
    {"KVRScrollerVr10", ControlKind::VerticalBar, SliderRect(10), ""},
    {"KVRScrollerVr11", ControlKind::VerticalBar, SliderRect(11), ""},
    {"KVRScrollerVr12", ControlKind::VerticalBar, SliderRect(12), ""},
    {"KVRScrollerVr13", ControlKind::VerticalBar, SliderRect(13), ""},
    {"KVRScrollerVr14", ControlKind::VerticalBar, SliderRect(14), ""},
    {"KVRScrollerVr15", ControlKind::VerticalBar, SliderRect(15), ""},
    {"KVRScrollerVr16", ControlKind::VerticalBar, SliderRect(16), ""},
    {"KVRScrollerVr17", ControlKind::VerticalBar, SliderRect(17), ""},
};

}  // namespace

std::span<const windows::WindowControl> TEqualizer::LayoutTable() {
    return kControls;
}

TEqualizer::TEqualizer(const EqualizerParts& parts, QWidget* parent)
    : SkinWindow("TEqualizer", kClient, kBackground, kControls, {}, parent),
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
    connect(&Image("ImgEnabled"), &controls::TMegaImage::OnClick, this,
            &TEqualizer::ImgEnabledClick);
    connect(&Image("ImgPreset"), &controls::TMegaImage::OnClick, this, &TEqualizer::ImgPresetClick);
    connect(&Image("ImgClose"), &controls::TMegaImage::OnClick, this, &TEqualizer::ImgCloseClick);
}

controls::TKVRScrollerVr& TEqualizer::Slider(int n) const {
    return VerticalBar("KVRScrollerVr" + std::to_string(n));
}

void TEqualizer::SetSliderPosition(int band, int position) {
    Slider(band).SetPosition(position);
}

void TEqualizer::SetEQBand(int band, int gain) {
    bass_.SetEQBand(band, gain);
}

void TEqualizer::ImgEnabledClick() {
    Image("ImgEnabled").ShowPicture(equalizer_.ToggleEnabled());
}

void TEqualizer::ImgPresetClick() {
    equalizer_.Reset();
    for (int band = 1; band <= audio::Equalizer::kBands; ++band) {
        Slider(band).SetPosition(audio::Equalizer::kFlatPosition);
    }
}

}  // namespace tarvel

#include "audio/analyser_switch.h"

#include "audio/bass_engine.h"

namespace tarvel::audio {

namespace {
constexpr int kOff = 1;
constexpr int kOn = 2;
}  // namespace

void SpectrumSwitch::Click() {
    if (!on_) {
        Create();
        on_ = true;
        view_.ShowSwitch(kOn);
        view_.SetBoxVisible(false);
    } else {
        bass_.FreeSpectrum();
        on_ = false;
        view_.ShowSwitch(kOff);
        view_.SetBoxVisible(true);
        view_.RepaintStrip();
    }
}

void SpectrumSwitch::Rebuild() {
    if (on_) {
        Create();
        view_.RepaintStrip();
    }
}

void SpectrumSwitch::Create() {
    bass_.CreateSpectrum(view_.StripWidth(), view_.StripHeight());
}

}  // namespace tarvel::audio

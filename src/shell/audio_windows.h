#pragma once

#include "windows/equalizer_window.h"
#include "windows/skin_window.h"

namespace tarvel {

namespace system {
class SystemServices;
}

// The equalizer window (ImgEqualizer) of the audio engines on the main window.
namespace shell {

class PlayerRun;

// Failures the secondary windows cannot act on go to the general error report.
windows::Report ErrorReportOf(system::SystemServices& services);

// What the equalizer window works on: the run's gains and BASS engine, the main window's bar
// pictures.
EqualizerParts EqualizerPartsOf(PlayerRun& run);
// ImgEqualizer opens the equalizer of the chosen engine, and a loaded preset moves the
// equalizer window's sliders; they show the gains loaded before.
void ConnectEqualizer(PlayerRun& run, TEqualizer& equalizer);

}  // namespace shell
}  // namespace tarvel

#pragma once

#include "windows/equalizer_window.h"
#include "windows/skin_window.h"

namespace tarvel {

class TForm1;
class TSFoptions;

// The windows and the strip of the audio engines on the main window: the analyser in the
// command box's place (ImgAn), the equalizer window (ImgEqualizer) and the shuffle options.
namespace shell {

// Failures the secondary windows cannot act on go to the main window's error report.
windows::Report ErrorReportOf(TForm1& form);

// The analyser strip over PaintFrame, switched by ImgAn and drawn on every tick of Timer2.
void ConnectSpectrum(TForm1& form);

// What the equalizer window works on: the main window's gains, BASS engine and bar pictures.
EqualizerParts EqualizerPartsOf(TForm1& form);
// ImgEqualizer opens the equalizer of the chosen engine, and a loaded preset moves the
// equalizer window's sliders; they show the gains loaded before.
void ConnectEqualizer(TForm1& form, TEqualizer& equalizer);

// The shuffle menu's Options (and the playlist menu's) open the shuffle options window.
void ConnectShuffleOptions(TForm1& form, TSFoptions& options);

}  // namespace shell
}  // namespace tarvel

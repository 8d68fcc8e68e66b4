#pragma once

namespace tarvel::audio {
class CBassEngine;
}

namespace tarvel::shell {

class MainControls;
class MainDisplay;
class PlayerCommands;

// The analyser strip over PaintFrame, switched by ImgAn and drawn on every tick of Timer2.
class AnalyserStrip {
  public:
    virtual ~AnalyserStrip() = default;
    // ImgAn: the strip on or off.
    virtual void Click() = 0;
    virtual bool On() const = 0;
    // Made again for a new size of PaintFrame.
    virtual void Rebuild() = 0;
};

// Makes the strip (owned by PaintFrame), connects ImgAn to it and lets the display draw on it.
AnalyserStrip& ConnectSpectrum(MainControls& controls, MainDisplay& display,
                               audio::CBassEngine& bass, PlayerCommands& commands);

}  // namespace tarvel::shell

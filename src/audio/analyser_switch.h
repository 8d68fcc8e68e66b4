#pragma once

namespace tarvel::audio {

class CBassEngine;

// What switching the analyser changes on the main window besides the engine's spectrum: the
// switch picture ImgAn, the command box the strip lies under, and the strip PaintFrame.
class SpectrumView {
  public:
    virtual ~SpectrumView() = default;
    virtual int StripWidth() const = 0;
    virtual int StripHeight() const = 0;
    // ImgAn's state and picture: 2 on, 1 off.
    virtual void ShowSwitch(int state) = 0;
    virtual void SetBoxVisible(bool visible) = 0;
    // Paints the strip again: a frame while the analyser is on, cleared when it is off.
    virtual void RepaintStrip() = 0;
};

// The analyser switch (ImgAnClick): on, the engine draws its spectrum into the strip at the
// strip's size with every tick of the main window's fast timer; off, the command box is back.
class SpectrumSwitch {
  public:
    SpectrumSwitch(CBassEngine& bass, SpectrumView& view) : bass_(bass), view_(view) {}

    void Click();
    bool On() const { return on_; }
    // After the strip changed size: an analyser that is on starts again at the new size.
    void Rebuild();

  private:
    void Create();

    CBassEngine& bass_;
    SpectrumView& view_;
    bool on_ = false;
};

}  // namespace tarvel::audio

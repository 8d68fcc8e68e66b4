// The analyser strip: a widget over PaintFrame into which the BASS engine draws its spectrum on
// every tick of Timer2, and the switch ImgAn that turns it on and off.
#include <QHBoxLayout>
#include <QPainter>
#include <algorithm>

#include "audio/analyser.h"
#include "audio/analyser_switch.h"
#include "audio/bass_engine.h"
#include "controls/mega_image.h"
#include "shell/analyser_strip.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/on_screen.h"
#include "shell/player_commands.h"

namespace tarvel::shell {
namespace {

// Fills PaintFrame. A tick draws one frame straight onto the strip: the engine's spectrum is
// drawn off-screen and copied once. Other repaints (the window uncovered) copy the last frame
// again without moving the bars; with the analyser off the strip shows PaintFrame's own colour.
// It is a view of the main display, which asks it whether it is on and tells it when a frame is
// due. It lives as long as the window, whose display it is attached to.
class SpectrumStrip : public QWidget,
                      public audio::SpectrumView,
                      public AnalyserStrip,
                      public DisplayView {
  public:
    SpectrumStrip(MainControls& controls, audio::CBassEngine& bass)
        : QWidget(controls.PaintFrame), controls_(controls), bass_(bass), switch_(bass, *this) {
        auto* fill = new QHBoxLayout(controls.PaintFrame);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(this);
    }

    void Click() override { switch_.Click(); }
    bool On() const override { return switch_.On(); }
    void Rebuild() override { switch_.Rebuild(); }

    // DisplayView
    bool SpectrumOn() const override { return switch_.On(); }
    void DrawSpectrum() override {
        due_ = true;
        repaint();
    }
    bool SpectrumShown() const override { return OnScreen(*this); }
    bool SpectrumAtRest() const override {
        const audio::TSpectrum* spectrum = bass_.Spectrum();
        const auto fallen = [](const auto& heights) {
            return std::all_of(heights.begin(), heights.end(), [](int h) { return h == 0; });
        };
        return spectrum == nullptr || (bass_.GetState() != 1 /* playing */ &&
                                       fallen(spectrum->Levels) && fallen(spectrum->Peaks));
    }

    int StripWidth() const override { return controls_.PaintFrame->width(); }
    int StripHeight() const override { return controls_.PaintFrame->height(); }
    void ShowSwitch(int state) override {
        controls::TMegaImage& an = controls_.Image(controls::Main::ImgAn);
        an.SetNomPicRealVid(state);
        an.ShowPicture(state);
    }
    void SetBoxVisible(bool visible) override { controls_.CmdSearch->setVisible(visible); }
    void RepaintStrip() override { update(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        const audio::TSpectrum* spectrum = bass_.Spectrum();
        if (!switch_.On() || spectrum == nullptr) {
            return;
        }
        QPainter painter(this);
        if (due_) {
            due_ = false;
            bass_.DrawSpectrum(painter);
        } else {
            painter.drawImage(0, 0, spectrum->Frame);
        }
    }

  private:
    MainControls& controls_;
    audio::CBassEngine& bass_;
    audio::SpectrumSwitch switch_;
    bool due_ = false;
};

}  // namespace

AnalyserStrip& ConnectSpectrum(MainControls& controls, MainDisplay& display,
                               audio::CBassEngine& bass, PlayerCommands& commands) {
    auto* strip = new SpectrumStrip(controls, bass);
    display.Attach(*strip);
    QObject::connect(&controls.Image(controls::Main::ImgAn), &controls::TMegaImage::OnClick, strip,
                     [strip, &display, &commands] {
                         commands.Run([strip] { strip->Click(); });
                         display.ShownChanged();
                     });
    return *strip;
}

}  // namespace tarvel::shell

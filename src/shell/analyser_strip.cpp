// The analyser strip: a widget over PaintFrame into which the BASS engine draws its spectrum on
// every tick of Timer2, and the switch ImgAn that turns it on and off.
#include <QHBoxLayout>
#include <QPainter>

#include "audio/analyser.h"
#include "audio/analyser_switch.h"
#include "audio/bass_engine.h"
#include "controls/mega_image.h"
#include "platform/system/system_services.h"
#include "shell/audio_windows.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"

namespace tarvel::shell {
namespace {

// Fills PaintFrame. A tick draws one frame straight onto the strip: the engine's spectrum is
// drawn off-screen and copied once. Other repaints (the window uncovered) copy the last frame
// again without moving the bars; with the analyser off the strip shows PaintFrame's own colour.
class SpectrumStrip : public QWidget, public audio::SpectrumView {
  public:
    explicit SpectrumStrip(TForm1& form)
        : QWidget(form.Controls().PaintFrame), form_(form), switch_(form.Bass(), *this) {
        auto* fill = new QHBoxLayout(form.Controls().PaintFrame);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(this);
    }

    audio::SpectrumSwitch& Switch() { return switch_; }

    void Tick() {
        due_ = true;
        repaint();
    }

    int StripWidth() const override { return form_.Controls().PaintFrame->width(); }
    int StripHeight() const override { return form_.Controls().PaintFrame->height(); }
    void ShowSwitch(int state) override {
        controls::TMegaImage& an = form_.Controls().Image("ImgAn");
        an.SetNomPicRealVid(state);
        an.ShowPicture(state);
    }
    void SetBoxVisible(bool visible) override { form_.Controls().CmdSearch->setVisible(visible); }
    void RepaintStrip() override { update(); }

  protected:
    void paintEvent(QPaintEvent*) override {
        const audio::TSpectrum* spectrum = form_.Bass().Spectrum();
        if (!switch_.On() || spectrum == nullptr) {
            return;
        }
        QPainter painter(this);
        if (due_) {
            due_ = false;
            form_.Bass().DrawSpectrum(painter);
        } else {
            painter.drawImage(0, 0, spectrum->Frame);
        }
    }

  private:
    TForm1& form_;
    audio::SpectrumSwitch switch_;
    bool due_ = false;
};

}  // namespace

void ConnectSpectrum(TForm1& form) {
    auto* strip = new SpectrumStrip(form);
    form.ImgAnClick = [strip] { strip->Switch().Click(); };
    form.SpectrumOn = [strip] { return strip->Switch().On(); };
    form.SpectrumRebuild = [strip] { strip->Switch().Rebuild(); };
    form.Display().hooks.spectrum_on = form.SpectrumOn;
    form.Display().hooks.draw_spectrum = [strip] { strip->Tick(); };
    QObject::connect(&form.Controls().Image("ImgAn"), &controls::TMegaImage::OnClick, strip,
                     [&form] { form.Commands().Run(form.ImgAnClick); });
}

}  // namespace tarvel::shell

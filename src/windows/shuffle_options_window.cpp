#include "windows/shuffle_options_window.h"

#include <QLabel>
#include <array>

#include "controls/bar_look.h"
#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "controls/skin_palette.h"
#include "playlists/shuffle_shares.h"

namespace tarvel {
namespace {

using controls::Shuffle;

constexpr QSize kClient(364, 182);
// The bars lie in the five rows the background picture draws, 24 pixels apart.
constexpr std::array<Shuffle, 5> kBars = {Shuffle::ScrollBar1, Shuffle::ScrollBar2,
                                          Shuffle::ScrollBar3, Shuffle::ScrollBar4,
                                          Shuffle::ScrollBar5};
// The thumb shows the position in thousandths: the share in percent, with its decimals.
constexpr double kThumbFactor = 0.001;
constexpr quint8 kThumbSize = 44;

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

}  // namespace

TSFoptions::TSFoptions(config::Settings& settings, const std::string& app_dir,
                       const windows::Report& report, QWidget* parent)
    : SkinWindowOf(kClient, QRect(QPoint(0, 0), kClient), Qt::WindowStaysOnTopHint, parent),
      settings_(settings) {
    setWindowTitle("Shuffle options");
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    for (Shuffle label :
         {Shuffle::Label1, Shuffle::Label2, Shuffle::Label3, Shuffle::Label4, Shuffle::Label5}) {
        Control(label).setFont(font);
        SetTextColour(Control(label), controls::palette::kCaption);
    }
    font.setPixelSize(9);
    font.setBold(true);
    for (Shuffle name : kBars) {
        controls::TKVRScrollerH& bar = HorizontalBar(name);
        bar.SetMax(playlists::kShareBarMax);
        bar.SetVkoef(kThumbFactor);
        bar.SetRoundThumb(false);
        bar.SetThumbSize(kThumbSize);
        controls::ApplyBarLook(bar, controls::MainBarLook());
        bar.setFont(font);
    }
    LoadSkin(app_dir, report);
    connect(&Image(Shuffle::ImgSave), &controls::TMegaImage::OnClick, this,
            &TSFoptions::ImgSaveClick);
    connect(&Image(Shuffle::ImgClose), &controls::TMegaImage::OnClick, this,
            &TSFoptions::ImgCloseClick);
}

void TSFoptions::Options2Click() {
    const playlists::ShareBars positions = playlists::ShareBarPositions(settings_);
    for (size_t k = 0; k < kBars.size(); ++k) {
        HorizontalBar(kBars[k]).SetPosition(positions[k]);
    }
    show();
    raise();
}

void TSFoptions::ImgSaveClick() {
    playlists::ShareBars positions{};
    for (size_t k = 0; k < kBars.size(); ++k) {
        positions[k] = HorizontalBar(kBars[k]).Position();
    }
    playlists::StoreShares(settings_, positions);
    hide();
}

void TSFoptions::ImgCloseClick() {
    hide();
}

}  // namespace tarvel

#include "windows/shuffle_options_window.h"

#include <QLabel>
#include <array>

#include "controls/bar_look.h"
#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "playlists/shuffle_shares.h"

namespace tarvel {
namespace {

using windows::ControlKind;

constexpr QSize kClient(364, 182);
// The bars lie in the five rows the background picture draws, 24 pixels apart.
constexpr windows::WindowControl kControls[] = {
    {"imgfon", ControlKind::Background, {0, 0, 364, 182}, ""},
    {"Label1", ControlKind::Label, {18, 34, 114, 16}, "From All Library:"},
    {"Label2", ControlKind::Label, {18, 58, 114, 16}, "From Rus Artist:"},
    {"Label3", ControlKind::Label, {18, 82, 114, 16}, "From Eng Artist"},
    {"Label4", ControlKind::Label, {18, 106, 114, 16}, "From Active Art:"},
    {"Label5", ControlKind::Label, {18, 130, 114, 16}, "From Active Alb:"},
    {"ScrollBar1", ControlKind::HorizontalBar, {134, 34, 214, 16}, ""},
    {"ScrollBar2", ControlKind::HorizontalBar, {134, 58, 214, 16}, ""},
    {"ScrollBar3", ControlKind::HorizontalBar, {134, 82, 214, 16}, ""},
    {"ScrollBar4", ControlKind::HorizontalBar, {134, 106, 214, 16}, ""},
    {"ScrollBar5", ControlKind::HorizontalBar, {134, 130, 214, 16}, ""},
    {"ImgSave", ControlKind::Button, {302, 157, 52, 19}, ""},
    {"ImgClose", ControlKind::Button, {339, 4, 19, 19}, "Close"},
};
constexpr std::array<const char*, 5> kBars = {"ScrollBar1", "ScrollBar2", "ScrollBar3",
                                              "ScrollBar4", "ScrollBar5"};
// The thumb shows the position in thousandths: the share in percent, with its decimals.
constexpr double kThumbFactor = 0.001;
constexpr quint8 kThumbSize = 44;

// The labels' text on the skin's graphite.
const QColor kText(0xC8, 0xC9, 0xCC);

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

}  // namespace

TSFoptions::TSFoptions(config::Settings& settings, const std::string& app_dir,
                       const windows::Report& report, QWidget* parent)
    : SkinWindow("TSFoptions", kClient, QRect(QPoint(0, 0), kClient), kControls,
                 Qt::WindowStaysOnTopHint, parent),
      settings_(settings) {
    setWindowTitle("Shuffle options");
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    for (const char* label : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
        Control(label).setFont(font);
        SetTextColour(Control(label), kText);
    }
    font.setPixelSize(9);
    font.setBold(true);
    for (const char* name : kBars) {
        controls::TKVRScrollerH& bar = HorizontalBar(name);
        bar.SetMax(playlists::kShareBarMax);
        bar.SetVkoef(kThumbFactor);
        bar.SetRoundThumb(false);
        bar.SetThumbSize(kThumbSize);
        controls::ApplyBarLook(bar, controls::MainBarLook());
        bar.setFont(font);
    }
    LoadSkin(app_dir, report);
    connect(&Image("ImgSave"), &controls::TMegaImage::OnClick, this, &TSFoptions::ImgSaveClick);
    connect(&Image("ImgClose"), &controls::TMegaImage::OnClick, this, &TSFoptions::ImgCloseClick);
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

#include "shell/main_controls.h"

#include <QLabel>
#include <cassert>

#include "controls/bar_look.h"
#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/skin_palette.h"
#include "shell/list_view.h"

namespace tarvel::shell {
namespace {

QFont SkinFont(int pixel_size, bool bold = false) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

void SetColors(QWidget& widget, const QColor& back, const QColor& text) {
    QPalette colours = widget.palette();
    colours.setColor(QPalette::Window, back);
    colours.setColor(QPalette::Base, back);
    colours.setColor(QPalette::WindowText, text);
    colours.setColor(QPalette::Text, text);
    widget.setPalette(colours);
}

void LookOfList(controls::TCListBox& list) {
    list.setFont(SkinFont(11));
    SetColors(list, controls::palette::kList, controls::palette::kListText);
    QPalette colours = list.palette();
    colours.setColor(QPalette::Highlight, controls::palette::kRoseDark);
    colours.setColor(QPalette::HighlightedText, Qt::white);
    list.setPalette(colours);
}

void LookOfText(QLabel& label, Main id) {
    label.setFont(SkinFont(10));
    label.setAlignment(Qt::AlignCenter);
    SetColors(label, Qt::black, controls::palette::kCaption);
    if (id == Main::MarkL || id == Main::MarkR) {
        label.setAutoFillBackground(true);
        SetColors(label, controls::palette::kRose, controls::palette::kRose);
    }
}

}  // namespace

MainControls::MainControls(QWidget& window) : SkinControls(window) {
    for (const ControlEntry& entry : Table()) {
        const auto id = static_cast<Main>(entry.id);
        switch (entry.kind) {
            case ControlKind::Label:
                LookOfText(Label(id), id);
                break;
            case ControlKind::List:
                LookOfList(SkinControls::List(id));
                break;
            case ControlKind::VerticalBar:
                VerticalBar(id).SetThumbSize(63);
                VerticalBar(id).SetMax(0);
                break;
            case ControlKind::HorizontalBar:
                HorizontalBar(id).setFont(SkinFont(9, true));
                controls::ApplyBarLook(HorizontalBar(id), controls::MainBarLook());
                break;
            default:
                break;
        }
    }
    TimeSKRL = &HorizontalBar(Main::TimeSKRL);
    VolumeSKRL = &HorizontalBar(Main::VolumeSKRL);
    Gauge1 = &Gauge(Main::Gauge1);
    controls::ApplyMainGaugeLook(*Gauge1);
    PaintFrame = &Widget(Main::PaintFrame);
    PaintFrame->setAutoFillBackground(true);
    SetColors(*PaintFrame, controls::palette::kField, controls::palette::kRose);
    CmdSearch = &Edit(Main::CmdSearch);
    CmdSearch->setFrame(false);
    CmdSearch->setFont(SkinFont(11));
    SetColors(*CmdSearch, controls::palette::kField, Qt::white);
    Label3 = &Strip(Main::Label3);
    for (int n = 1; n <= 5; ++n) {
        SyncListAndBar(List(n), ListBar(n));
    }
    // The gauge, the analyser and the command box share one rectangle: the gauge lies over the
    // analyser, so the progress of a long operation shows whether the analyser is on or off,
    // and under the command box, which covers it while visible.
    Gauge1->stackUnder(CmdSearch);
}

void MainControls::Apply(const Layout& layout) {
    for (const ControlEntry& entry : Table()) {
        const auto found = layout.find(entry.name);
        if (found != layout.end()) {
            const Rect& rect = found->second;
            At(static_cast<size_t>(entry.id))
                .setGeometry(rect.left, rect.top, rect.width, rect.height);
        }
    }
}

void MainControls::AfterSkinLoaded() {
    const QImage& play = Image(Main::imgPl).Picture(1);
    const QImage& pause = Image(Main::ImgPz).Picture(1);
    const QImage& band = Image(Main::ImgPalkaForSkroll).Picture(1);
    const QImage& thumb = Image(Main::ImgSkroll).Picture(1);
    for (int n = 1; n <= 5; ++n) {
        List(n).SetMarkPictures(play, pause);
        if (!band.isNull() && !thumb.isNull()) {
            ListBar(n).SetPictures(band, thumb);
        }
    }
}

}  // namespace tarvel::shell

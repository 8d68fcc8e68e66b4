#include "shell/main_controls.h"

#include <QLabel>
#include <cassert>

#include "controls/bar_look.h"
#include "controls/bgr_color.h"
#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "shell/list_view.h"

namespace tarvel::shell {
namespace {

// The skin's colours: the frame body, the list text, the title strip's rose.
const QColor kBand(0x12, 0x13, 0x17);
const QColor kRose(0xB4, 0x5D, 0x62);
const QColor kRoseDark(0x82, 0x3f, 0x45);
const QColor kTimeText(0xC8, 0xC9, 0xCC);
constexpr uint32_t kListText = 13421000;  // blue-green-red

QFont SkinFont(int pixel_size, bool bold = false) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixel_size);
    font.setBold(bold);
    return font;
}

void SetColors(QWidget& widget, const QColor& back, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    widget.setPalette(palette);
}

controls::TCListBox* MakeList(QWidget& window) {
    auto* list = new controls::TCListBox(&window);
    list->setFont(SkinFont(11));
    SetColors(*list, Qt::black, controls::ColorFromBgr(kListText));
    QPalette palette = list->palette();
    palette.setColor(QPalette::Highlight, kRoseDark);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    list->setPalette(palette);
    return list;
}

controls::TKVRScrollerH* MakeBar(QWidget& window) {
    auto* bar = new controls::TKVRScrollerH(&window);
    bar->setFont(SkinFont(9, true));
    controls::ApplyBarLook(*bar, controls::MainBarLook());
    return bar;
}

QLabel* MakeText(QWidget& window, const ControlEntry& entry) {
    auto* label = new QLabel(QString::fromUtf8(entry.text.data(), entry.text.size()), &window);
    label->setFont(SkinFont(10));
    label->setAlignment(Qt::AlignCenter);
    SetColors(*label, Qt::black, kTimeText);
    if (entry.name == "MarkL" || entry.name == "MarkR") {
        label->setAutoFillBackground(true);
        SetColors(*label, kRose, kRose);
    }
    return label;
}

int ListNumber(std::string_view name, std::string_view prefix) {
    return name.starts_with(prefix) ? name.back() - '0' : 0;
}

}  // namespace

MainControls::MainControls(QWidget& window) {
    for (const ControlEntry& entry : MainWindowControls()) {
        QWidget* widget = Make(entry, window);
        widget->setObjectName(QString::fromUtf8(entry.name.data(), entry.name.size()));
        if (!entry.hint.empty()) {
            widget->setToolTip(QString::fromUtf8(entry.hint.data(), entry.hint.size()));
        }
        widget->setGeometry(entry.rect.left, entry.rect.top, entry.rect.width, entry.rect.height);
        widget->setVisible(entry.visible);
        by_name_.emplace(std::string(entry.name), widget);
    }
    for (int n = 1; n <= 5; ++n) {
        SyncListAndBar(List(n), ListBar(n));
    }
    // The gauge, the analyser and the command box share one rectangle: the gauge lies over the
    // analyser, so the progress of a long operation shows whether the analyser is on or off,
    // and under the command box, which covers it while visible.
    Gauge1->stackUnder(CmdSearch);
}

QWidget* MainControls::Make(const ControlEntry& entry, QWidget& window) {
    switch (entry.kind) {
        case ControlKind::Image:
        case ControlKind::SkinButton: {
            auto* image = new controls::TMegaImage(&window);
            image->SetChangePictures(entry.kind == ControlKind::SkinButton);
            return image;
        }
        case ControlKind::Label:
            if (entry.name == "Label3") {
                Label3 = new TitleStripWidget(&window);
                return Label3;
            }
            return MakeText(window, entry);
        case ControlKind::StaticText:
            return MakeText(window, entry);
        case ControlKind::List: {
            controls::TCListBox* list = MakeList(window);
            lists_.at(static_cast<size_t>(ListNumber(entry.name, "ListBox") - 1)) = list;
            return list;
        }
        case ControlKind::VerticalBar: {
            auto* bar = new controls::TKVRScrollerVr(&window);
            bar->SetThumbSize(63);
            bar->SetMax(0);
            list_bars_.at(static_cast<size_t>(ListNumber(entry.name, "KVRScrollerVr") - 1)) = bar;
            return bar;
        }
        case ControlKind::HorizontalBar: {
            controls::TKVRScrollerH* bar = MakeBar(window);
            (entry.name == "TimeSKRL" ? TimeSKRL : VolumeSKRL) = bar;
            return bar;
        }
        case ControlKind::Gauge:
            Gauge1 = new controls::TGauge(&window);
            controls::ApplyMainGaugeLook(*Gauge1);
            return Gauge1;
        case ControlKind::PaintBox:
            PaintFrame = new QWidget(&window);
            PaintFrame->setAutoFillBackground(true);
            SetColors(*PaintFrame, kBand, kRose);
            return PaintFrame;
        case ControlKind::EditBox:
            CmdSearch = new QLineEdit(&window);
            CmdSearch->setFrame(false);
            CmdSearch->setFont(SkinFont(11));
            SetColors(*CmdSearch, kBand, Qt::white);
            return CmdSearch;
    }
    assert(false);
    return nullptr;
}

QWidget& MainControls::Widget(std::string_view name) const {
    const auto found = by_name_.find(name);
    assert(found != by_name_.end());
    return *found->second;
}

controls::TMegaImage& MainControls::Image(std::string_view name) const {
    auto* image = qobject_cast<controls::TMegaImage*>(&Widget(name));
    assert(image != nullptr);
    return *image;
}

void MainControls::Apply(const Layout& layout) {
    for (const auto& [name, rect] : layout) {
        const auto found = by_name_.find(name);
        if (found != by_name_.end()) {
            found->second->setGeometry(rect.left, rect.top, rect.width, rect.height);
        }
    }
}

void MainControls::AfterSkinLoaded() {
    const QImage& play = Image("imgPl").Picture(1);
    const QImage& pause = Image("ImgPz").Picture(1);
    const QImage& band = Image("ImgPalkaForSkroll").Picture(1);
    const QImage& thumb = Image("ImgSkroll").Picture(1);
    for (int n = 1; n <= 5; ++n) {
        List(n).SetMarkPictures(play, pause);
        if (!band.isNull() && !thumb.isNull()) {
            ListBar(n).SetPictures(band, thumb);
        }
    }
}

}  // namespace tarvel::shell

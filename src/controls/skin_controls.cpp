#include "controls/skin_controls.h"

#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/title_strip.h"

namespace tarvel::controls {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* Make(QWidget& window, const ControlRecord& record) {
    switch (record.kind) {
        case ControlKind::Image:
        case ControlKind::SkinButton:
        case ControlKind::Background: {
            auto* image = new TMegaImage(&window);
            image->SetChangePictures(record.kind == ControlKind::SkinButton);
            return image;
        }
        case ControlKind::Label:
            return new QLabel(Text(record.text), &window);
        case ControlKind::TitleStrip:
            return new TitleStrip(&window);
        case ControlKind::List:
            return new TCListBox(&window);
        case ControlKind::VerticalBar:
            return new TKVRScrollerVr(&window);
        case ControlKind::HorizontalBar:
            return new TKVRScrollerH(&window);
        case ControlKind::Gauge:
            return new TGauge(&window);
        case ControlKind::PaintBox:
            return new QWidget(&window);
        case ControlKind::EditBox:
            return new QLineEdit(&window);
    }
    assert(false);
    return nullptr;
}

}  // namespace

QRect ToQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

std::vector<QWidget*> BuildControls(QWidget& window, std::span<const ControlRecord> table) {
    std::vector<QWidget*> widgets;
    widgets.reserve(table.size());
    for (const ControlRecord& record : table) {
        QWidget* widget = Make(window, record);
        widget->setObjectName(Text(record.name));
        if (!record.hint.empty()) {
            widget->setToolTip(Text(record.hint));
        }
        widget->setGeometry(ToQRect(record.rect));
        widget->setVisible(record.visible);
        widgets.push_back(widget);
    }
    return widgets;
}

}  // namespace tarvel::controls

#include "windows/skin_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QWindow>
#include <cassert>

#include "controls/c_list_box.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/skin_loader.h"
#include "controls/title_strip.h"
#include "controls/window_outline.h"
#include "platform/error/app_error.h"

namespace tarvel::windows {
namespace {

constexpr int kOutlineCorner = 5;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename Control>
Control& As(QWidget& widget) {
    auto* control = qobject_cast<Control*>(&widget);
    assert(control != nullptr);
    return *control;
}

}  // namespace

SkinWindow::SkinWindow(std::string_view window_class, QSize client, QRect outline,
                       std::span<const WindowControl> table, Qt::WindowFlags flags, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | flags), window_class_(window_class) {
    setObjectName(Text(window_class));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setFixedSize(client);
    for (const WindowControl& entry : table) {
        QWidget* widget = Make(entry);
        widget->setObjectName(Text(entry.name));
        widget->setGeometry(entry.rect);
        if (entry.kind != ControlKind::Label && !entry.text.empty()) {
            widget->setToolTip(Text(entry.text));
        }
        by_name_.emplace(std::string(entry.name), widget);
    }
    SetOutline(outline);
}

void SkinWindow::SetOutline(const QRect& outline) {
    setMask(controls::RoundedOutline(outline, kOutlineCorner));
}

QWidget* SkinWindow::Make(const WindowControl& entry) {
    switch (entry.kind) {
        case ControlKind::Background:
        case ControlKind::Picture:
        case ControlKind::Button: {
            auto* image = new controls::TMegaImage(this);
            image->SetChangePictures(entry.kind == ControlKind::Button);
            if (entry.kind == ControlKind::Background) {
                connect(image, &controls::TMegaImage::OnMouseDown, this, [this](QMouseEvent* e) {
                    if (e->button() == Qt::LeftButton) {
                        MoveWindow();
                    }
                });
            }
            return image;
        }
        case ControlKind::VerticalBar:
            return new controls::TKVRScrollerVr(this);
        case ControlKind::HorizontalBar:
            return new controls::TKVRScrollerH(this);
        case ControlKind::Label:
            return new QLabel(Text(entry.text), this);
        case ControlKind::TitleStrip:
            return new controls::TitleStrip(this);
        case ControlKind::List:
            return new controls::TCListBox(this);
    }
    assert(false);
    return nullptr;
}

QWidget& SkinWindow::Control(std::string_view name) const {
    const auto found = by_name_.find(name);
    assert(found != by_name_.end());
    return *found->second;
}

controls::TMegaImage& SkinWindow::Image(std::string_view name) const {
    return As<controls::TMegaImage>(Control(name));
}

controls::TKVRScrollerVr& SkinWindow::VerticalBar(std::string_view name) const {
    return As<controls::TKVRScrollerVr>(Control(name));
}

controls::TKVRScrollerH& SkinWindow::HorizontalBar(std::string_view name) const {
    return As<controls::TKVRScrollerH>(Control(name));
}

controls::TitleStrip& SkinWindow::Strip(std::string_view name) const {
    return As<controls::TitleStrip>(Control(name));
}

controls::TCListBox& SkinWindow::ListBox(std::string_view name) const {
    return As<controls::TCListBox>(Control(name));
}

void SkinWindow::LoadSkin(const std::string& app_dir, const Report& report) {
    try {
        controls::LoadWindowSkin(*this, window_class_, app_dir);
    } catch (const AppError& e) {
        if (report) {
            report(e.what());
        }
    }
}

void SkinWindow::MoveWindow() {
    if (QWindow* window = windowHandle()) {
        window->startSystemMove();
    }
}

void SkinWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        MoveWindow();
    }
}

}  // namespace tarvel::windows

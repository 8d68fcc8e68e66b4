#include "windows/skin_window.h"

#include <QMouseEvent>
#include <QWindow>

#include "controls/mega_image.h"
#include "controls/skin_loader.h"
#include "controls/window_outline.h"
#include "platform/error/app_error.h"

namespace tarvel::windows {
namespace {

constexpr int kOutlineCorner = 5;

}  // namespace

SkinWindow::SkinWindow(std::string_view window_class, QSize client, Qt::WindowFlags flags,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | flags), window_class_(window_class) {
    setObjectName(
        QString::fromUtf8(window_class.data(), static_cast<qsizetype>(window_class.size())));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    setFixedSize(client);
}

void SkinWindow::SetOutline(const QRect& outline) {
    setMask(controls::RoundedOutline(outline, kOutlineCorner));
}

void SkinWindow::DragsWindow(controls::TMegaImage& background) {
    connect(&background, &controls::TMegaImage::OnMouseDown, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton) {
            MoveWindow();
        }
    });
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

#include "platform/desktop/real_desktop.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarvel::desktop {
namespace {

QPixmap DrawnIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB4, 0x5D, 0x62));  // the title strip's 0x625DB4 (blue-green-red)
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.22, s * 0.22);
    QPainterPath play;
    play.moveTo(s * 0.36, s * 0.24);
    play.lineTo(s * 0.78, s * 0.50);
    play.lineTo(s * 0.36, s * 0.76);
    play.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(play);
    return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
    QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        return icon;
    }
    for (int size : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(DrawnIcon(size));
    }
    return icon;
}

RealDesktop::RealDesktop() = default;

RealDesktop::~RealDesktop() {
    UnregisterHotkeys();
}

bool RealDesktop::RegisterHotkeys(HotkeyHandler handler) {
    return hotkeys_.Register(std::move(handler));
}

void RealDesktop::UnregisterHotkeys() {
    hotkeys_.Unregister();
}

bool RealDesktop::TrayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void RealDesktop::AddTrayIcon(const std::string& tip) {
    if (!tray_) {
        tray_ = std::make_unique<QSystemTrayIcon>(ApplicationIcon());
        QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::DoubleClick && on_double_click_) {
                                 on_double_click_();
                             } else if (reason == QSystemTrayIcon::Context && on_right_click_) {
                                 const QPoint at = QCursor::pos();
                                 on_right_click_({at.x(), at.y()});
                             }
                         });
    }
    tray_->setToolTip(QString::fromStdString(tip));
    tray_->show();
}

void RealDesktop::DeleteTrayIcon() {
    if (tray_) {
        tray_->hide();
    }
}

void RealDesktop::SetTrayTip(const std::string& tip) {
    if (tray_ && tray_->isVisible()) {
        tray_->setToolTip(QString::fromStdString(tip));
    }
}

void RealDesktop::OnTrayDoubleClick(std::function<void()> handler) {
    on_double_click_ = std::move(handler);
}

void RealDesktop::OnTrayRightClick(std::function<void(ScreenPoint)> handler) {
    on_right_click_ = std::move(handler);
}

}  // namespace tarvel::desktop

#include "shell/main_window.h"

#include <QCloseEvent>
#include <QPalette>

#include "platform/system/system_services.h"

namespace tarvel {

TForm1::TForm1(system::SystemServices& services, std::string app_dir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      services_(services),
      app_dir_(std::move(app_dir)) {
    setObjectName("TForm1");
    setWindowTitle("Tarvel");
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    resize(kDesignWidth, kDesignHeight);
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!closed_) {
        closed_ = true;
        emit Closed();
    }
}

}  // namespace tarvel

// The reference for the main window's start-up benchmark: a bare Qt window of the main window's
// size (692 x 513, frameless, black) that reports its first paint like tarvel does.
//
// Usage: TARVEL_REPORT_FIRST_PAINT=1|quit tarvel-bench-bare-window

#include <QApplication>
#include <QWidget>

#include "shell/first_paint_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    QPalette black = window.palette();
    black.setColor(QPalette::Window, Qt::black);
    window.setPalette(black);
    window.setAutoFillBackground(true);
    window.resize(692, 513);
    tarvel::shell::ReportFirstPaint(window);
    window.show();
    return app.exec();
}

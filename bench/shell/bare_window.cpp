// The reference for the main window benchmarks: a bare Qt window of the main window's size
// (692 x 513, frameless, black) that reports its first paint like tarvel does. With --scroll it
// also scrolls a text picture through a strip of the title strip's size and place, one pixel
// every 20 ms, the least a scrolling title can cost.
//
// Usage: TARVEL_REPORT_FIRST_PAINT=1|quit tarvel-bench-bare-window [--scroll]

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstring>

#include "shell/first_paint_probe.h"

namespace {

class ScrollingStrip : public QWidget {
  public:
    explicit ScrollingStrip(QWidget& window) : QWidget(&window) {
        setGeometry(64, 12, 471, 15);
        setAttribute(Qt::WA_OpaquePaintEvent);
        const QString text =
            "The Long Named Orchestra of the Benchmark - Album 1 - A Title Long "
            "Enough to Scroll Across the Strip - 1970 - 192 kbps - 01:00";
        QFont font("Verdana");
        font.setPointSize(10);
        picture_ =
            QImage(QFontMetrics(font).horizontalAdvance(text), height(), QImage::Format_RGB32);
        picture_.fill(QColor(0xB4, 0x5D, 0x62));
        QPainter painter(&picture_);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(picture_.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
        x_ = width();
        connect(&timer_, &QTimer::timeout, this, [this] {
            x_ = x_ <= -picture_.width() ? width() : x_ - 1;
            update();
        });
        timer_.start(20);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xB4, 0x5D, 0x62));
        painter.drawImage(x_, 0, picture_);
    }

  private:
    QImage picture_;
    QTimer timer_;
    int x_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    QPalette black = window.palette();
    black.setColor(QPalette::Window, Qt::black);
    window.setPalette(black);
    window.setAutoFillBackground(true);
    window.resize(692, 513);
    if (argc > 1 && std::strcmp(argv[1], "--scroll") == 0) {
        new ScrollingStrip(window);
    }
    tarvel::shell::ReportFirstPaint(window);
    window.show();
    return app.exec();
}

// Draws the program's icon (an SVG) as PNG files of the desktop's usual sizes:
// tarvel-icon SVG OUT_DIR writes OUT_DIR/NxN/apps/tarvel.png for each size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvel-icon SVG OUT_DIR\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "tarvel-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        if (!QDir().mkpath(dir) || !image.save(dir + "/tarvel.png")) {
            std::fprintf(stderr, "tarvel-icon: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}

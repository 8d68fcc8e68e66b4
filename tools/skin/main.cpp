// Writes the skin pictures of every window into a Pictures folder:
//   tarvel-skin PICTURES_DIR [--sheet CONTACT_SHEET.png]
// Each picture is drawn with QPainter at the size of the control it fills and written as JPEG
// through libjpeg (the two mark pictures as bitmaps: their red is a transparency key).
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <set>

#include "controls/jpeg_image.h"
#include "controls/skin_files.h"
#include "pieces.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "skin_style.h"

namespace {

using tarvel::skin::Picture;

// Every file the windows load must be drawn, and nothing else.
bool CoversTheTables(const std::vector<Picture>& pictures) {
    std::set<std::string> drawn;
    for (const Picture& p : pictures)
        drawn.insert(p.file);
    bool ok = drawn.size() == pictures.size();
    if (!ok)
        std::fprintf(stderr, "tarvel-skin: a picture is drawn twice\n");
    const std::vector<std::string> wanted = tarvel::controls::AllSkinFiles();
    for (const std::string& file : wanted) {
        if (!drawn.count(file)) {
            std::fprintf(stderr, "tarvel-skin: no picture drawn for %s\n", file.c_str());
            ok = false;
        }
    }
    const std::set<std::string> wanted_set(wanted.begin(), wanted.end());
    for (const std::string& file : drawn) {
        if (!wanted_set.count(file)) {
            std::fprintf(stderr, "tarvel-skin: %s is in no window's table\n", file.c_str());
            ok = false;
        }
    }
    return ok;
}

void Write(const Picture& picture, const std::string& folder) {
    const std::string path = tarvel::fs::JoinPath(folder, picture.file);
    if (picture.file.ends_with(".bmp")) {
        tarvel::fs::CreateDirectories(tarvel::fs::FolderOf(path));
        if (!picture.image.convertToFormat(QImage::Format_RGB888)
                 .save(QString::fromStdString(path), "BMP")) {
            throw tarvel::AppError("Cannot write " + path);
        }
        return;
    }
    tarvel::controls::SaveJpeg(picture.image, path, 94);
}

// All pictures on one sheet: the composed main window, then every picture at twice its size
// (large backgrounds at their own size), each with its file name.
QImage ContactSheet(const std::vector<Picture>& pictures) {
    const int width = 1180;
    const QImage main = tarvel::skin::ComposeMainWindow(pictures);
    struct Cell {
        const Picture* picture;
        QRect at;
    };
    std::vector<Cell> cells;
    QFont label = tarvel::skin::SkinFont(9, false, true);
    int x = 700, y = 8, row_h = 0;
    auto place = [&](const Picture& p, int left_limit) {
        const int scale = p.image.width() <= 70 && p.image.height() <= 70 ? 2 : 1;
        const QSize size = p.image.size() * scale;
        const int cell_w = std::max(size.width(), 60) + 8;
        if (x + cell_w > width) {
            x = left_limit;
            y += row_h + 16;
            row_h = 0;
        }
        cells.push_back({&p, QRect(QPoint(x, y), size)});
        x += cell_w;
        row_h = std::max(row_h, size.height());
    };
    std::vector<const Picture*> small, large;
    for (const Picture& p : pictures) {
        (p.image.width() > 70 || p.image.height() > 70 ? large : small).push_back(&p);
    }
    for (const Picture* p : small)
        place(*p, y + row_h + 16 > main.height() + 8 ? 8 : 700);
    x = width;  // large ones start a new row under everything
    for (const Picture* p : large)
        place(*p, 8);
    const int height = std::max(y + row_h + 18, main.height() + 16);
    QImage sheet(QSize(width, height), QImage::Format_RGB32);
    sheet.fill(QColor(0x0b, 0x0b, 0x0e));
    QPainter painter(&sheet);
    painter.drawImage(8, 8, main);
    painter.setFont(label);
    for (const Cell& cell : cells) {
        painter.drawImage(cell.at, cell.picture->image);
        painter.setPen(QColor(0x90, 0x93, 0x9c));
        const QString name = QString::fromStdString(cell.picture->file).section('/', -1);
        painter.drawText(
            QRect(cell.at.left(), cell.at.bottom() + 2, std::max(cell.at.width(), 60) + 6, 12),
            Qt::AlignLeft | Qt::AlignTop, name);
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
        std::fprintf(stderr, "usage: tarvel-skin PICTURES_DIR [--sheet CONTACT_SHEET.png]\n");
        return 2;
    }
    try {
        const std::vector<Picture> pictures = tarvel::skin::RenderSkin();
        if (!CoversTheTables(pictures))
            return 1;
        for (const Picture& picture : pictures)
            Write(picture, argv[1]);
        if (argc == 4 && !ContactSheet(pictures).save(QString::fromLocal8Bit(argv[3]))) {
            std::fprintf(stderr, "tarvel-skin: cannot write %s\n", argv[3]);
            return 1;
        }
    } catch (const tarvel::AppError& e) {
        std::fprintf(stderr, "tarvel-skin: %s\n", e.what());
        return 1;
    }
    return 0;
}

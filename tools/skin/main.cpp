// Writes the skin pictures of every window into a Pictures folder:
//   tarvel-skin PICTURES_DIR [--sheet CONTACT_SHEET.png]
// Each picture is drawn with QPainter at the size of the control it fills and written as JPEG
// through libjpeg (the two mark pictures as bitmaps: their red is a transparency key).
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <set>

#include "controls/bar_look.h"
#include "controls/jpeg_image.h"
#include "controls/skin_files.h"
#include "pieces.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "skin_checks.h"
#include "skin_style.h"
#include "window_layouts.h"

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

// Every window composed from its pictures: grounds that match, nothing hidden under a neighbour,
// a rim inside each outline; and arrows that read on the bar body.
bool FitsTheWindows(const std::vector<Picture>& pictures) {
    tarvel::skin::PictureMap by_file;
    for (const Picture& p : pictures)
        by_file[p.file] = p.image;
    std::vector<std::string> faults =
        tarvel::skin::CheckArrowContrast(tarvel::controls::MainBarLook().body);
    for (const tarvel::skin::WindowLayout& layout : tarvel::skin::WindowLayouts()) {
        for (std::string& fault : tarvel::skin::CheckWindow(layout, by_file, tarvel::skin::kRim))
            faults.push_back(std::move(fault));
    }
    for (const std::string& fault : faults)
        std::fprintf(stderr, "tarvel-skin: %s\n", fault.c_str());
    return faults.empty();
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

// All pictures on one sheet: the composed main window, then the buttons at twice their size
// (families side by side), the window pieces and the backgrounds, each with its file name.
class SheetLayout {
  public:
    SheetLayout(int width, QRect reserved) : width_(width), reserved_(reserved) {}

    void Section(const QString& title) {
        NewRow();
        headings_.push_back({QPoint(8, y_), title});
        y_ += 18;
    }
    // Starts a new row when the item does not fit in the current one.
    void Place(const Picture& p, int scale) {
        const QSize size = p.image.size() * scale;
        const int cell_w = std::max(size.width(), 70) + 8;
        if (x_ + cell_w > width_)
            NewRow();
        cells_.push_back({&p, QRect(QPoint(x_, y_), size)});
        x_ += cell_w;
        row_h_ = std::max(row_h_, size.height() + 14);
    }
    void NewRow() {
        if (row_h_ > 0)
            y_ += row_h_ + 6;
        row_h_ = 0;
        x_ = y_ < reserved_.bottom() + 8 ? reserved_.right() + 16 : 8;
    }

    QImage Paint(const QImage& main) {
        NewRow();
        QImage sheet(QSize(width_, y_ + 4), QImage::Format_RGB32);
        sheet.fill(QColor(0x0b, 0x0b, 0x0e));
        QPainter painter(&sheet);
        painter.drawImage(reserved_.topLeft(), main);
        painter.setFont(tarvel::skin::SkinFont(12, true));
        painter.setPen(tarvel::skin::kRoseLight);
        for (const auto& [at, title] : headings_)
            painter.drawText(at + QPoint(0, 13), title);
        painter.setFont(tarvel::skin::SkinFont(9, false, true));
        painter.setPen(QColor(0x90, 0x93, 0x9c));
        for (const Cell& cell : cells_) {
            painter.drawImage(cell.at, cell.picture->image);
            const QString name = QString::fromStdString(cell.picture->file).section('/', -1);
            painter.drawText(QRect(cell.at.left(), cell.at.bottom() + 2, 84, 12),
                             Qt::AlignLeft | Qt::AlignTop, name);
        }
        return sheet;
    }

  private:
    struct Cell {
        const Picture* picture;
        QRect at;
    };
    int width_;
    QRect reserved_;
    int x_ = 0, y_ = 8, row_h_ = 0;
    std::vector<Cell> cells_;
    std::vector<std::pair<QPoint, QString>> headings_;
};

QImage ContactSheet(const std::vector<Picture>& pictures) {
    const QImage window = tarvel::skin::ComposeMainWindow(pictures);
    const QImage mini = tarvel::skin::ComposeMiniPlayer(pictures);
    QImage main(QSize(std::max(window.width(), mini.width()), window.height() + 12 + mini.height()),
                QImage::Format_RGB32);
    main.fill(QColor(0x0b, 0x0b, 0x0e));
    {
        QPainter p(&main);
        p.drawImage(0, 0, window);
        p.drawImage(0, window.height() + 12, mini);
    }
    std::vector<const Picture*> buttons, pieces, backgrounds;
    for (const Picture& p : pictures) {
        const bool large = p.image.width() > 150 || p.image.height() > 60;
        if (large) {
            backgrounds.push_back(&p);
        } else if (p.file.starts_with("forms/") || p.file.starts_with("art_alb")) {
            pieces.push_back(&p);
        } else {
            buttons.push_back(&p);
        }
    }
    // Families side by side: buttons by folder and name, backgrounds tallest first so the tall
    // narrow side pieces share a row with the window backgrounds.
    std::sort(buttons.begin(), buttons.end(), [](const Picture* a, const Picture* b) {
        return QString::fromStdString(a->file).compare(QString::fromStdString(b->file),
                                                       Qt::CaseInsensitive) < 0;
    });
    std::stable_sort(
        backgrounds.begin(), backgrounds.end(),
        [](const Picture* a, const Picture* b) { return a->image.height() > b->image.height(); });
    SheetLayout layout(1200, QRect(QPoint(8, 8), main.size()));
    layout.NewRow();
    for (const Picture* p : buttons)
        layout.Place(*p, 2);
    layout.Section(QStringLiteral("Window pieces (small ones at 2x)"));
    for (const Picture* p : pieces)
        layout.Place(*p, p->image.width() <= 20 ? 2 : 1);
    layout.Section(QStringLiteral("Backgrounds"));
    for (const Picture* p : backgrounds)
        layout.Place(*p, 1);
    const std::vector<Picture> windows = {
        {"Equalizer", tarvel::skin::ComposeEqualizer(pictures)},
        {"Small playlist", tarvel::skin::ComposeSmallPlaylist(pictures)},
        {"Shuffle options", tarvel::skin::ComposeShuffleOptions(pictures)},
    };
    layout.Section(QStringLiteral("Secondary windows, cut to their outlines"));
    for (const Picture& p : windows)
        layout.Place(p, 1);
    return layout.Paint(main);
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
        if (!CoversTheTables(pictures) || !FitsTheWindows(pictures))
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

#include "skin_checks.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "controls/bar_look.h"
#include "controls/skin_files.h"
#include "controls/window_tables.h"

namespace tarvel::skin {
namespace {

using Kind = LayoutItem::Kind;

// Grounds are flat fills, so a small margin only absorbs the anti-aliasing at a picture's very
// edge; an icon, a caption or another ground differs by far more.
constexpr int kGroundTolerance = 24;
constexpr int kRimTolerance = 20;
constexpr int kRimDepth = 3;

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

std::string Hex(QRgb colour) {
    return QColor(colour).name().toStdString();
}

std::string Where(QPoint at) {
    return "(" + std::to_string(at.x()) + ", " + std::to_string(at.y()) + ")";
}

const QImage* Find(const PictureMap& pictures, const std::string& file) {
    const auto it = pictures.find(file);
    return it == pictures.end() ? nullptr : &it->second;
}

// Draws one item onto the canvas: its chosen picture, or the colour a painted item is filled with.
void DrawItem(QPainter& painter, const WindowLayout& layout, const LayoutItem& item,
              const PictureMap& pictures, int slot) {
    if (item.kind == Kind::Painted) {
        painter.fillRect(item.at, item.colour);
        return;
    }
    const std::vector<std::string> files = ControlFiles(layout.window, item.control);
    if (files.empty())
        return;
    const std::size_t index = std::clamp<std::size_t>(slot - 1, 0, files.size() - 1);
    if (const QImage* picture = Find(pictures, files[index]))
        painter.drawImage(item.at, *picture);
}

QImage Canvas(const WindowLayout& layout) {
    QImage canvas(layout.size, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    return canvas;
}

// The window composed from the items before `end`, controls in slot 1.
QImage ComposeBelow(const WindowLayout& layout, const PictureMap& pictures, std::size_t end) {
    QImage canvas = Canvas(layout);
    QPainter painter(&canvas);
    for (std::size_t i = 0; i < end; ++i)
        DrawItem(painter, layout, layout.items[i], pictures, 1);
    return canvas;
}

// Whether an item after `index` covers the window point.
bool CoveredLater(const WindowLayout& layout, std::size_t index, QPoint at) {
    for (std::size_t i = index + 1; i < layout.items.size(); ++i) {
        if (layout.items[i].at.contains(at))
            return true;
    }
    return false;
}

void CheckControl(const WindowLayout& layout, const PictureMap& pictures, std::size_t index,
                  std::vector<std::string>& faults) {
    const LayoutItem& item = layout.items[index];
    const QImage ground = ComposeBelow(layout, pictures, index);
    const std::string name = std::string(layout.window) + "." + item.control + ": ";
    for (const std::string& file : ControlFiles(layout.window, item.control)) {
        const QImage* found = Find(pictures, file);
        if (!found) {
            faults.push_back(name + file + " is not drawn");
            continue;
        }
        const QImage picture = found->convertToFormat(QImage::Format_RGB32);
        if (picture.size() != item.at.size()) {
            faults.push_back(name + file + " is " + std::to_string(picture.width()) + " x " +
                             std::to_string(picture.height()) + ", the control " +
                             std::to_string(item.at.width()) + " x " +
                             std::to_string(item.at.height()));
            continue;
        }
        const QPoint corners[] = {{0, 0},
                                  {picture.width() - 1, 0},
                                  {0, picture.height() - 1},
                                  {picture.width() - 1, picture.height() - 1}};
        for (const QPoint corner : corners) {
            const QPoint at = item.at.topLeft() + corner;
            if (CoveredLater(layout, index, at))
                continue;
            const QRgb mine = picture.pixel(corner);
            const QRgb under = ground.pixel(at);
            if (!Near(mine, under, kGroundTolerance)) {
                faults.push_back(name + file + " corner " + Where(corner) + " is " + Hex(mine) +
                                 ", the ground under it " + Hex(under));
            }
        }
        int hidden = 0;
        QPoint first;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QPoint at = item.at.topLeft() + QPoint(x, y);
                if (!CoveredLater(layout, index, at))
                    continue;
                if (!Near(picture.pixel(x, y), ground.pixel(at), kGroundTolerance) &&
                    hidden++ == 0) {
                    first = QPoint(x, y);
                }
            }
        }
        if (hidden > 0) {
            faults.push_back(name + file + " draws " + std::to_string(hidden) +
                             " pixels under a later control, the first at " + Where(first));
        }
    }
}

// From the middle of each side of the outline, inwards: a rim pixel within kRimDepth pixels.
void CheckRim(const WindowLayout& layout, const PictureMap& pictures, const QColor& rim,
              std::vector<std::string>& faults) {
    const QImage window = ComposeBelow(layout, pictures, layout.items.size());
    const QRect r = layout.region;
    const QPoint middle = r.center();
    struct Side {
        const char* name;
        QPoint edge;
        QPoint inwards;
    };
    const Side sides[] = {{"top", {middle.x(), r.top()}, {0, 1}},
                          {"bottom", {middle.x(), r.bottom()}, {0, -1}},
                          {"left", {r.left(), middle.y()}, {1, 0}},
                          {"right", {r.right(), middle.y()}, {-1, 0}}};
    for (const Side& side : sides) {
        bool found = false;
        for (int depth = 0; depth < kRimDepth && !found; ++depth)
            found = Near(window.pixel(side.edge + side.inwards * depth), rim.rgb(), kRimTolerance);
        if (!found) {
            faults.push_back(std::string(layout.window) + ": no rim inside the outline's " +
                             side.name + " edge at " + Where(side.edge));
        }
    }
}

}  // namespace

std::vector<std::string> ControlFiles(const char* window, const char* control) {
    std::vector<std::string> files;
    const controls::WindowTable* table = controls::FindWindowTable(window);
    if (table == nullptr)
        return files;
    for (const controls::ControlRecord& entry : table->controls) {
        if (entry.name != std::string_view(control))
            continue;
        for (std::string_view file : entry.pictures) {
            if (file.empty())
                continue;
            const std::string path = controls::PicturesRelative(file);
            if (std::find(files.begin(), files.end(), path) == files.end())
                files.push_back(path);
        }
    }
    return files;
}

QImage ComposeWindow(const WindowLayout& layout, const PictureMap& pictures,
                     const std::map<std::string, int>& shown) {
    QImage canvas = Canvas(layout);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath outline;
        outline.addRoundedRect(QRectF(layout.region), 2.5, 2.5);
        painter.setClipPath(outline);
        for (const LayoutItem& item : layout.items) {
            const auto it = shown.find(item.control);
            DrawItem(painter, layout, item, pictures, it == shown.end() ? 1 : it->second);
        }
    }
    return canvas;
}

std::vector<std::string> CheckWindow(const WindowLayout& layout, const PictureMap& pictures,
                                     const QColor& rim) {
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < layout.items.size(); ++i) {
        if (layout.items[i].kind == Kind::Control)
            CheckControl(layout, pictures, i, faults);
    }
    CheckRim(layout, pictures, rim, faults);
    return faults;
}

std::vector<std::string> CheckArrowContrast(const QColor& body) {
    const double ratio = controls::ContrastRatio(Qt::black, body);
    if (ratio >= controls::kArrowContrast)
        return {};
    return {"the scroll bar body " + body.name().toStdString() + " gives the black arrows only " +
            std::to_string(ratio) + " : 1"};
}

}  // namespace tarvel::skin

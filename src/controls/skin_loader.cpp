#include "controls/skin_loader.h"

#include <fmt/format.h>
#include <QBuffer>
#include <QImageReader>
#include <algorithm>

#include "controls/jpeg_image.h"
#include "controls/mega_image.h"
#include "controls/skin_files.h"
#include "controls/window_tables.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::controls {

std::string SkinFilePath(const std::string& app_dir, std::string_view name) {
    // The window definitions name files as a case-blind file system finds them; each part of the
    // path is matched that way, so a skin saved as "play/Play1.JPG" still loads.
    std::string path = fs::FindNoCase(app_dir, "Pictures");
    const std::string relative = PicturesRelative(name);
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        path = fs::FindNoCase(path, relative.substr(start, end - start));
        start = end + 1;
    }
    return path;
}

namespace {

bool HasPictures(const ControlRecord& control) {
    return std::any_of(control.pictures.begin(), control.pictures.end(),
                       [](std::string_view file) { return !file.empty(); });
}

bool IsBitmap(std::string_view name) {
    return name.ends_with(".bmp");
}

QImage LoadBitmap(const std::string& path) {
    const std::string bytes = fs::ReadFile(path);
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    // Read as a bitmap only: guessing the format from the contents would load every image
    // format plugin installed, and the SVG one brings a whole library with it.
    QImageReader reader(&buffer, "BMP");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull()) {
        throw AppError(fmt::format("Cannot read picture \"{}\": not a bitmap", path));
    }
    return image;
}

}  // namespace

QImage LoadSkinPicture(const std::string& app_dir, std::string_view name) {
    const std::string path = SkinFilePath(app_dir, name);
    return IsBitmap(name) ? LoadBitmap(path) : LoadJpeg(path);
}

WindowSkin ReadWindowSkin(std::string_view window_class, const std::string& app_dir,
                          const std::function<bool(std::string_view control)>& has_control) {
    WindowSkin skin;
    skin.app_dir = app_dir;
    const WindowTable* table = FindWindowTable(window_class);
    if (table == nullptr)
        return skin;
    try {
        for (const ControlRecord& entry : table->controls) {
            if (!HasPictures(entry) || !has_control(entry.name))
                continue;
            const std::string control(entry.name);
            for (int k = 1; k <= TMegaImage::kSlots; ++k) {
                const std::string_view file = entry.pictures[static_cast<std::size_t>(k - 1)];
                if (file.empty())
                    continue;
                if (IsBitmap(file))
                    skin.steps.push_back({control, k, QImage(), std::string(file)});
                else
                    skin.steps.push_back({control, k, LoadJpeg(SkinFilePath(app_dir, file)), {}});
            }
            skin.steps.push_back({control, 0, QImage(), {}});
        }
    } catch (const AppError& e) {
        skin.error = e.what();
    }
    return skin;
}

void ApplyWindowSkin(QWidget& window, const WindowSkin& skin) {
    for (const WindowSkin::Step& step : skin.steps) {
        auto* image = window.findChild<TMegaImage*>(QString::fromStdString(step.control));
        if (step.slot == 0) {
            if (image != nullptr)
                image->ShowPicture(1);
            continue;
        }
        const QImage picture =
            step.bitmap.empty() ? step.image : LoadSkinPicture(skin.app_dir, step.bitmap);
        if (image != nullptr)
            image->SetPicture(step.slot, picture);
    }
    if (!skin.error.empty())
        throw AppError(skin.error);
}

void LoadWindowSkin(QWidget& window, std::string_view window_class, const std::string& app_dir) {
    ApplyWindowSkin(window, ReadWindowSkin(window_class, app_dir, [&window](std::string_view c) {
                        return window.findChild<TMegaImage*>(QString::fromUtf8(
                                   c.data(), static_cast<qsizetype>(c.size()))) != nullptr;
                    }));
}

}  // namespace tarvel::controls

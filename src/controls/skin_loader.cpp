#include "controls/skin_loader.h"

#include <fmt/format.h>
#include <algorithm>

#include "controls/jpeg_image.h"
#include "controls/mega_image.h"
#include "controls/skin_files.h"
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

QImage LoadSkinPicture(const std::string& app_dir, std::string_view name) {
    const std::string path = SkinFilePath(app_dir, name);
    if (!name.ends_with(".bmp"))
        return LoadJpeg(path);
    const std::string bytes = fs::ReadFile(path);
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                            static_cast<int>(bytes.size()), "BMP")) {
        throw AppError(fmt::format("Cannot read picture \"{}\": not a bitmap", path));
    }
    return image;
}

void LoadWindowSkin(QWidget& window, std::string_view window_class, const std::string& app_dir) {
    for (const SkinSlots& entry : SkinTable()) {
        if (entry.window != window_class)
            continue;
        const QString name =
            QString::fromUtf8(entry.control.data(), static_cast<qsizetype>(entry.control.size()));
        auto* image = window.findChild<TMegaImage*>(name);
        if (image == nullptr)
            continue;
        for (int k = 1; k <= TMegaImage::kSlots; ++k) {
            const std::string_view file = entry.files[static_cast<std::size_t>(k - 1)];
            if (!file.empty())
                image->SetPicture(k, LoadSkinPicture(app_dir, file));
        }
        image->ShowPicture(1);
    }
}

}  // namespace tarvel::controls

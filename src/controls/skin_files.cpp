#include "controls/skin_files.h"

#include <algorithm>

#include "controls/window_tables.h"

namespace tarvel::controls {
namespace {

constexpr std::string_view kPicturesPrefix = "\\Pictures\\";

}  // namespace

std::string PicturesRelative(std::string_view name) {
    if (name.starts_with(kPicturesPrefix)) {
        name.remove_prefix(kPicturesPrefix.size());
    } else if (name.starts_with('\\')) {
        name.remove_prefix(1);
    }
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::vector<std::string> AllSkinFiles() {
    std::vector<std::string> files = {PicturesRelative(kArtHeading),
                                      PicturesRelative(kRusArtHeading)};
    for (const WindowTable& table : AllWindowTables()) {
        for (const ControlRecord& control : table.controls) {
            for (std::string_view file : control.pictures) {
                if (!file.empty())
                    files.push_back(PicturesRelative(file));
            }
        }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

}  // namespace tarvel::controls

#include "library/file_finder.h"

#include <fmt/format.h>

#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {

bool MatchesMusicMask(const std::string& name) {
    constexpr std::string_view kExtension = ".mp3";
    return name.size() >= kExtension.size() &&
           text::EqualNoCase(std::string_view(name).substr(name.size() - kExtension.size()),
                             kExtension);
}

bool FitsOnALine(const std::string& path) {
    return path.find_first_of("\r\n") == std::string::npos;
}

bool HasExtension(const std::string& path) {
    return fs::FileNameOf(path).find('.') != std::string::npos;
}

void FindMusicFiles(const std::string& folder, std::vector<std::string>& files,
                    ProgressDisplay& display) {
    fs::WalkDirectory(
        folder,
        [&](const fs::DirEntry& entry) {
            if (!entry.is_directory && MatchesMusicMask(entry.name) && FitsOnALine(entry.path)) {
                files.push_back(entry.path);
                display.SetBoxText(fmt::format("Find music files: {}", files.size()));
                display.RepaintBox();
            }
        },
        [&](const std::string&) { display.SetBoxText(""); });
    display.SetBoxVisible(false);
}

std::vector<std::string> CollectDroppedItems(const std::vector<std::string>& items,
                                             ProgressDisplay& display) {
    std::vector<std::string> files;
    for (const auto& item : items) {
        if (!FitsOnALine(item)) {
            continue;
        }
        if (HasExtension(item)) {
            files.push_back(item);
        } else {
            FindMusicFiles(item, files, display);
        }
    }
    return files;
}

}  // namespace tarvel::library

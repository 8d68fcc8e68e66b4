#include "library/file_finder.h"

#include <fmt/format.h>

#include "platform/formats/music_formats.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"

namespace tarvel::library {

bool FitsOnALine(const std::string& path) {
    return path.find_first_of("\r\n") == std::string::npos;
}

bool HasExtension(const std::string& path) {
    return !formats::ExtensionOf(path).empty();
}

namespace {

// Why a found file cannot be held by the library, or nothing when it can.
const char* ReasonToPassOver(const std::string& path, bool is_regular) {
    if (!FitsOnALine(path)) {
        return "its name breaks a line";
    }
    if (path.size() >= fs::kMaxPathBytes) {
        return "its path is too long";
    }
    if (!is_regular) {
        return "not a plain file";
    }
    return nullptr;
}

}  // namespace

void FindMusicFiles(const std::string& folder, std::vector<std::string>& files,
                    ProgressDisplay& display, ScanReport& report) {
    fs::WalkDirectory(
        folder,
        [&](const fs::DirEntry& entry) {
            report.CheckAbandon();
            if (entry.is_directory || !formats::IsMusicFile(entry.name)) {
                return;
            }
            if (const char* reason = ReasonToPassOver(entry.path, entry.is_regular)) {
                report.Skip(entry.path, reason);
                return;
            }
            files.push_back(entry.path);
            display.SetBoxText(fmt::format("Find music files: {}", files.size()));
            display.RepaintBox();
        },
        [&](const std::string&) { display.SetBoxText(""); },
        [&](const std::string& path, int error) {
            report.Skip(path, "folder cannot be opened: " + fs::ErrnoText(error));
        });
    display.SetBoxVisible(false);
}

std::vector<std::string> CollectDroppedItems(const std::vector<std::string>& items,
                                             ProgressDisplay& display, ScanReport& report) {
    std::vector<std::string> files;
    for (const auto& item : items) {
        if (!HasExtension(item) && FitsOnALine(item)) {
            FindMusicFiles(item, files, display, report);
            continue;
        }
        // Taken as a file whatever it is (a folder named like "Vol.1" too; a missing file gets
        // the defaults), except what reading could wait on for ever: a pipe, a device, a socket.
        if (const char* reason = ReasonToPassOver(item, !fs::IsSpecialFile(item))) {
            report.Skip(item, reason);
            continue;
        }
        files.push_back(item);
    }
    return files;
}

}  // namespace tarvel::library

#include "shell/open_files.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "library/file_finder.h"
#include "library/song_reader.h"
#include "library/song_record.h"
#include "platform/error/app_error.h"
#include "platform/formats/music_formats.h"
#include "platform/sound/decoders.h"
#include "platform/system/system_services.h"

namespace tarvel::shell {
namespace {

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::vector<std::string> FileArguments(int argc, char** argv, const std::string& cwd) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.empty() || arg.starts_with('-')) {
            continue;
        }
        files.push_back(arg.starts_with('/') ? arg : cwd + "/" + arg);
    }
    return files;
}

std::string JoinPaths(const std::vector<std::string>& paths) {
    std::string bytes;
    for (const std::string& path : paths) {
        bytes += path;
        bytes += '\0';
    }
    return bytes;
}

std::vector<std::string> SplitPaths(const std::string& bytes) {
    std::vector<std::string> paths;
    size_t start = 0;
    for (size_t end = bytes.find('\0'); end != std::string::npos;
         start = end + 1, end = bytes.find('\0', start)) {
        if (end > start) {
            paths.push_back(bytes.substr(start, end - start));
        }
    }
    return paths;
}

std::vector<std::string> TakePlayable(const std::vector<std::string>& items,
                                      system::SystemServices& services, bool for_library) {
    std::vector<std::string> taken;
    std::string left_out;
    for (const std::string& item : items) {
        const bool takes =
            for_library
                ? IsFolder(item) ||
                      (IsFile(item) && (formats::IsMusicFile(item) || sound::CanPlayFile(item)))
                : IsFile(item) && sound::CanPlayFile(item);
        if (takes) {
            taken.push_back(item);
        } else {
            left_out += "\n" + item;
        }
    }
    if (!left_out.empty()) {
        services.MessageBox("Tarvel", "Tarvel cannot play these, so they were left out:" + left_out,
                            system::Buttons::Ok, system::Icon::Warning);
    }
    return taken;
}

library::UnmarkedText UnmarkedChoice(const config::Settings& settings) {
    if (settings.Checked(config::Item::TagsLatin1)) {
        return library::UnmarkedText::Latin1;
    }
    if (settings.Checked(config::Item::TagsGuess)) {
        return library::UnmarkedText::Guess;
    }
    return library::UnmarkedText::Windows1251;
}

library::masTag PlayableRows(const std::vector<std::string>& paths,
                             system::SystemServices& services, library::UnmarkedText unmarked) {
    library::TagReaders readers;
    readers.SetUnmarked(unmarked);
    library::masTag rows(1, std::vector<std::string>(library::kCellsPerRow));
    for (const std::string& path : TakePlayable(paths, services, false)) {
        if (!library::FitsInASongLine(path, library::kPath)) {
            std::fprintf(stderr,
                         "tarvel: a playlist cannot keep this name as it is, not added: %s\n",
                         path.c_str());
            continue;
        }
        std::string why;
        const std::optional<library::SongRecord> record =
            library::ReadMusicFile(path, readers, why);
        if (!record) {
            std::fprintf(stderr, "tarvel: %s %s, not added\n", path.c_str(), why.c_str());
            continue;
        }
        std::vector<std::string>& row = rows.emplace_back(library::kCellsPerRow);
        std::copy(record->begin(), record->end(), row.begin());
    }
    return rows;
}

}  // namespace tarvel::shell

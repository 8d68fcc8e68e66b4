#include "library/scanner.h"

#include <algorithm>
#include <optional>

#include "library/file_finder.h"
#include "library/path_list.h"
#include "platform/error/app_error.h"

namespace tarvel::library {

TegScan::TegScan(TagReaders& readers, ProgressDisplay& display, system::SystemServices& services)
    : readers_(readers), display_(display), services_(services) {}

std::string TegScan::ChooseFolder() {
    std::string folder = services_.ChooseFolder(kChooseFolderCaption).value_or(std::string());
    if (folder.size() == 2) {
        folder += '/';  // a bare drive such as "D:" names its root
    }
    display_.RepaintWindow();
    return folder;
}

std::vector<std::string> TegScan::FindFiles(const std::string& folder) {
    std::vector<std::string> files;
    if (!folder.empty()) {
        FindMusicFiles(folder, files, display_, report_);
    }
    return files;
}

bool TegScan::ProcessFile(LibraryBuild& build, const std::string& path) {
    std::string why;
    const std::optional<SongRecord> read = ReadMusicFile(path, readers_, why);
    if (!read) {
        report_.Skip(path, why);
        return false;
    }
    const SongRecord& record = *read;
    int number = artists_.Find(record[kArtist]);
    if (number == 0) {
        number = artists_.Add(record[kArtist]);
        build.AppendArtistIndexLine(record[kArtist], ArtistFileName(number));
    }
    build.AppendSongRecord(ArtistFileName(number), record);
    return true;
}

void TegScan::FullScan(const std::string& app_dir, std::vector<std::string> files) {
    artists_.Clear();
    const LibraryStore store(app_dir);
    if (files.empty()) {
        display_.SetBoxVisible(true);
        display_.SetGaugeVisible(false);
        return;
    }
    display_.SetGaugeVisible(true);
    LibraryBuild build(store, LibraryBuild::Start::Empty);
    SortPaths(files, display_);
    files.erase(std::unique(files.begin(), files.end()), files.end());  // a file dropped twice
    display_.SetGaugeMaximum(static_cast<int64_t>(files.size()));
    display_.SetGaugeProgress(0);
    std::vector<std::string> held;  // the path list names only the files the library holds
    held.reserve(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        report_.CheckAbandon();
        display_.SetGaugeProgress(static_cast<int64_t>(i) + 1);
        if (ProcessFile(build, files[i])) {
            held.push_back(std::move(files[i]));
        }
    }
    build.Commit(held);
    report_.added = held.size();
    display_.SetBoxVisible(true);
}

void TegScan::AddingScan(const std::string& app_dir, std::vector<std::string> files) {
    artists_.Clear();
    const LibraryStore store(app_dir);
    if (files.empty()) {
        display_.SetBoxVisible(true);
        return;
    }
    const std::vector<std::string> old_paths = store.ReadPathList();
    std::vector<std::string> combined = MergeNewPaths(old_paths, files);
    const auto total = static_cast<int64_t>(combined.size());
    display_.SetGaugeVisible(true);

    if (store.ArtistIndexExists()) {
        LibraryBuild build(store, LibraryBuild::Start::FromLibrary);
        for (const auto& name : store.ReadArtistNames()) {
            artists_.Add(name);
        }
        display_.SetGaugeMaximum(total);
        size_t held = old_paths.size();  // new files the library holds follow the old paths
        for (size_t i = old_paths.size(); i < combined.size(); ++i) {
            report_.CheckAbandon();
            display_.SetGaugeProgress(static_cast<int64_t>(i) + 1);
            if (ProcessFile(build, combined[i])) {
                combined[held++] = combined[i];
            }
        }
        combined.resize(held);
        SortPaths(combined, display_);
        const auto kept = static_cast<int64_t>(combined.size());
        display_.SetGaugeMaximum(kept);
        build.Commit(combined);  // one write: the gauge goes to its end
        report_.added = combined.size() - old_paths.size();
        display_.SetGaugeProgress(kept);
    }
    display_.SetBoxVisible(true);
    display_.SetGaugeVisible(false);
}

}  // namespace tarvel::library

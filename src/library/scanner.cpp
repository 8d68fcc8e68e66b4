#include "library/scanner.h"

#include "library/file_finder.h"
#include "library/path_list.h"
#include "platform/error/app_error.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"

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

std::vector<std::string> TegScan::FindFiles() {
    std::vector<std::string> files;
    const std::string folder = ChooseFolder();
    if (!folder.empty()) {
        FindMusicFiles(folder, files, display_);
    }
    return files;
}

void TegScan::ProcessFile(const LibraryStore& store, const std::string& path) {
    const SongRecord record = ReadSongRecord(path, readers_);
    int number = artists_.Find(record[kArtist]);
    if (number == 0) {
        number = artists_.Add(record[kArtist]);
        store.AppendArtistIndexLine(record[kArtist], ArtistFileName(number));
    }
    store.AppendSongRecord(ArtistFileName(number), record);
}

void TegScan::FullScan(const std::string& app_dir, std::vector<std::string> files) {
    artists_.Clear();
    const LibraryStore store(app_dir);
    display_.SetGaugeVisible(true);
    if (files.empty()) {
        files = FindFiles();
    }
    if (files.empty()) {
        display_.SetBoxVisible(true);
        display_.SetGaugeVisible(false);
        return;
    }
    store.EnsureSortFolder();
    store.RewritePathList({});
    SortPaths(files, display_);
    display_.SetGaugeMaximum(static_cast<int64_t>(files.size()));
    display_.SetGaugeProgress(0);

    // The path list holds the paths reached so far, also when a library file fails.
    std::vector<std::string> written;
    written.reserve(files.size());
    try {
        for (size_t i = 0; i < files.size(); ++i) {
            display_.SetGaugeProgress(static_cast<int64_t>(i) + 1);
            written.push_back(files[i]);
            ProcessFile(store, files[i]);
        }
    } catch (const AppError&) {
        try {
            store.RewritePathList(written);
        } catch (const AppError&) {
            // The first failure is the one reported.
        }
        throw;
    }
    store.RewritePathList(written);
    display_.SetBoxVisible(true);
}

void TegScan::AddingScan(const std::string& app_dir, std::vector<std::string> files) {
    artists_.Clear();
    const LibraryStore store(app_dir);
    if (files.empty()) {
        files = FindFiles();
    }
    if (files.empty()) {
        display_.SetBoxVisible(true);
        return;
    }
    const std::vector<std::string> old_paths = store.ReadPathList();
    std::vector<std::string> combined = MergeNewPaths(old_paths, files);
    const auto total = static_cast<int64_t>(combined.size());
    display_.SetGaugeVisible(true);

    if (store.ArtistIndexExists()) {
        for (const auto& name : store.ReadArtistNames()) {
            artists_.Add(name);
        }
        display_.SetGaugeMaximum(total);
        for (size_t i = old_paths.size(); i < combined.size(); ++i) {
            display_.SetGaugeProgress(static_cast<int64_t>(i) + 1);
            ProcessFile(store, combined[i]);
        }
        SortPaths(combined, display_);
        display_.SetGaugeMaximum(total);
        store.RewritePathList(combined);  // one write: the gauge goes to its end
        display_.SetGaugeProgress(total);
    }
    display_.SetBoxVisible(true);
    display_.SetGaugeVisible(false);
}

void TegScan::ClearLibrary(const std::string& app_dir) {
    const LibraryStore store(app_dir);
    std::vector<fs::DirEntry> entries;
    try {
        entries = fs::ListDirectory(store.SortFolder());
    } catch (const AppError&) {
        return;  // no library folder: nothing to clear
    }
    for (const auto& entry : entries) {
        if (entry.is_directory || (entry.name.size() < 3 && entry.name[0] == '.')) {
            continue;
        }
        try {
            fs::RemoveFile(entry.path);
        } catch (const AppError&) {
            // Deletion failures are ignored.
        }
    }
}

}  // namespace tarvel::library

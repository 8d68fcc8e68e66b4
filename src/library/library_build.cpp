#include "library/library_build.h"

#include "library/stored_lines.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/line_file.h"

namespace tarvel::library {
namespace {

// The name the staging folder of the library is known by.
constexpr const char* kBuildName = "library";
// Lines are gathered in memory and appended in batches of about this many bytes.
constexpr size_t kBatchBytes = size_t{8} << 20;

// True for "Artist<N>.tft".
bool IsArtistFileName(const std::string& name) {
    constexpr std::string_view kPrefix = "Artist";
    constexpr std::string_view kSuffix = ".tft";
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return false;
    }
    for (size_t i = kPrefix.size(); i < name.size() - kSuffix.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

LibraryBuild::LibraryBuild(const LibraryStore& store, Start start)
    : store_(store), start_(start), set_(store.SortFolder(), kBuildName) {}

void LibraryBuild::Recover(const LibraryStore& store) {
    fs::ReplaceSet::Recover(store.SortFolder(), kBuildName);
}

void LibraryBuild::AppendSongRecord(const std::string& artist_file, const SongRecord& record) {
    const std::string line = SongLine(record);
    Append(artist_file, line);
    Append(kAllSongFile, line);
}

void LibraryBuild::AppendArtistIndexLine(const std::string& artist,
                                         const std::string& artist_file) {
    Append(kArtistIndexFile, ArtistIndexLine(artist, artist_file));
}

void LibraryBuild::Append(const std::string& file, const std::string& line) {
    if (staged_.insert(file).second && start_ == Start::FromLibrary) {
        set_.StageCopy(file);
    }
    std::string& lines = pending_[file];
    lines.append(line).append("\r\n");
    pending_bytes_ += line.size() + 2;
    if (pending_bytes_ >= kBatchBytes) {
        Flush();
    }
}

void LibraryBuild::Flush() {
    for (const auto& [file, lines] : pending_) {
        AppendStoredLines(set_.StagedPath(file), lines,
                          [&](std::string_view bytes) { set_.Append(file, bytes); });
    }
    pending_.clear();
    pending_bytes_ = 0;
}

void LibraryBuild::Commit(const std::vector<std::string>& paths) {
    Flush();
    fs::WriteLines(set_.StagedPath(kPathListFile), paths);
    if (start_ == Start::Empty) {
        // Library files the new version does not have are not part of it.
        for (const auto& entry : fs::ListDirectory(store_.SortFolder())) {
            const bool library_file = IsArtistFileName(entry.name) || entry.name == kAllSongFile ||
                                      entry.name == kArtistIndexFile;
            if (!entry.is_directory && library_file && !staged_.contains(entry.name)) {
                set_.Remove(entry.name);
            }
        }
    }
    set_.Commit(kPathListFile);
}

}  // namespace tarvel::library

#include "library/library_store.h"

#include <fmt/format.h>

#include <utility>

#include "library/stored_lines.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::library {
namespace {

// Fills rows 1.. of the table with the lines of bytes split by the markers, each row of
// `cells` cells. The table is sized once, to the capacity that growing it row by row would give.
int FillTable(const std::string& stored, const std::string_view* markers, size_t marker_count,
              masTag& table, int& capacity, int cells) {
    const std::string bytes = DecodeStoredLines(stored);
    int lines = 0;
    fs::ForEachLine(bytes, [&lines](std::string_view) { ++lines; });
    capacity = CapacityForRows(capacity, lines);
    SizeTable(table, capacity, cells);
    std::vector<std::string_view> fields(marker_count);
    int row = 0;
    fs::ForEachLine(bytes, [&](std::string_view line) {
        SplitLineViews(line, markers, marker_count, fields.data());
        auto& cells_of_row = table[static_cast<size_t>(++row)];
        for (size_t cell = 0; cell < cells_of_row.size(); ++cell) {
            cells_of_row[cell].assign(cell < marker_count ? fields[cell] : std::string_view());
        }
    });
    return row;
}

}  // namespace

std::string ArtistFileName(int number) {
    return fmt::format("Artist{}.tft", number);
}

LibraryStore::LibraryStore(std::string app_dir) : app_dir_(std::move(app_dir)) {}

std::string LibraryStore::SortFolder() const {
    return fs::JoinPath(app_dir_, kSortFolderName);
}

std::string LibraryStore::FilePath(const std::string& name) const {
    return fs::JoinPath(SortFolder(), name);
}

void LibraryStore::EnsureSortFolder() const {
    fs::CreateDirectories(SortFolder());
}

void LibraryStore::AppendSongRecord(const std::string& artist_file,
                                    const SongRecord& record) const {
    const std::string line = SongLine(record);
    AppendStoredLine(FilePath(artist_file), line);
    AppendStoredLine(FilePath(kAllSongFile), line);
}

void LibraryStore::AppendArtistIndexLine(const std::string& artist,
                                         const std::string& artist_file) const {
    AppendStoredLine(FilePath(kArtistIndexFile), ArtistIndexLine(artist, artist_file));
}

void LibraryStore::RewritePathList(const std::vector<std::string>& paths) const {
    fs::WriteLines(FilePath(kPathListFile), paths);
}

std::vector<std::string> LibraryStore::ReadPathList() const {
    return fs::ReadLines(FilePath(kPathListFile));
}

bool LibraryStore::ArtistIndexExists() const {
    return fs::FileExists(FilePath(kArtistIndexFile));
}

std::vector<std::string> LibraryStore::ReadArtistNames() const {
    std::vector<std::string> names;
    for (const auto& line :
         fs::SplitLines(DecodeStoredLines(fs::ReadFile(FilePath(kArtistIndexFile))))) {
        names.push_back(SplitLine(line, kArtistIndexMarkers.data(), 1)[0]);
    }
    return names;
}

bool LibraryStore::ReadArtistIndex(masTag& table, int& count) const {
    const std::string path = FilePath(kArtistIndexFile);
    if (!fs::FileExists(path)) {
        return false;
    }
    int capacity = static_cast<int>(table.size());
    // Its rows hold the artist and the artist's file only.
    constexpr int kIndexCells = static_cast<int>(kArtistIndexMarkers.size());
    count = FillTable(fs::ReadFile(path), kArtistIndexMarkers.data(), kIndexCells, table, capacity,
                      kIndexCells);
    return true;
}

int ReadSongFile(const std::string& path, masTag& table, int& capacity) {
    if (!fs::FileExists(path)) {
        SizeTable(table, capacity);
        return 0;
    }
    return FillTable(fs::ReadFile(path), kSongMarkers.data(), kSongFieldCount, table, capacity,
                     kCellsPerRow);
}

std::string ArtistFileOf(const masTag& table, int count, const std::string& name) {
    std::string found;
    for (int row = 1; row <= count && row < static_cast<int>(table.size()); ++row) {
        const auto& cells = table[static_cast<size_t>(row)];
        if (cells.size() > 1 && cells[0] == name) {
            found = cells[1];
        }
    }
    return found;
}

}  // namespace tarvel::library

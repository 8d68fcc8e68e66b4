#include "library/song_rows.h"

#include <numeric>

namespace tarvel::library {

SongRows AllRows(std::shared_ptr<const SongTable> table) {
    SongRows songs;
    const int rows = table ? table->Count() : 0;
    songs.source = std::move(table);
    songs.rows.resize(static_cast<size_t>(rows));
    std::iota(songs.rows.begin(), songs.rows.end(), 1);
    return songs;
}

void CopyRows(const SongRows& songs, masTag& table) {
    table.assign(static_cast<size_t>(songs.Count() + 1), {});
    table[0].resize(kCellsPerRow);
    for (int i = 1; i <= songs.Count(); ++i) {
        std::vector<std::string>& cells = table[static_cast<size_t>(i)];
        cells.resize(kCellsPerRow);
        for (int cell = 0; cell < kSongFieldCount; ++cell) {
            cells[static_cast<size_t>(cell)] = songs.Cell(i, cell);
        }
    }
}

}  // namespace tarvel::library

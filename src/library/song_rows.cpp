#include "library/song_rows.h"

#include <numeric>

namespace tarvel::library {

SongRows AllRows(std::shared_ptr<const masTag> table, int count) {
    SongRows songs;
    const int rows = table ? std::min(count, static_cast<int>(table->size()) - 1) : 0;
    songs.source = std::move(table);
    songs.rows.resize(static_cast<size_t>(std::max(rows, 0)));
    std::iota(songs.rows.begin(), songs.rows.end(), 1);
    return songs;
}

void CopyRows(const SongRows& songs, masTag& table) {
    table.assign(static_cast<size_t>(songs.Count() + 1), {});
    table[0].resize(kCellsPerRow);
    for (int i = 1; i <= songs.Count(); ++i) {
        table[static_cast<size_t>(i)] = songs.Row(i);
        table[static_cast<size_t>(i)].resize(kCellsPerRow);
    }
}

}  // namespace tarvel::library

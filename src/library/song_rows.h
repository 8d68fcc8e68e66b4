#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/song_record.h"
#include "library/song_table.h"

namespace tarvel::library {

// A song table as the browser keeps it: the rows of a source table picked by their numbers, in
// display order. Narrowing, ordering and searching move row numbers instead of copying records,
// so a search over the whole library never copies it. The source is shared and never changed
// once made, so a table made from an older read stays valid.
struct SongRows {
    std::shared_ptr<const SongTable> source;
    std::vector<int> rows;  // row numbers of `source`

    int Count() const { return static_cast<int>(rows.size()); }
    // Cell of row i (from 1).
    std::string_view Cell(int i, int cell) const {
        return source->Cell(rows[static_cast<size_t>(i - 1)], cell);
    }
    void Clear() { rows.clear(); }
};

// Every row of a table, in its order.
SongRows AllRows(std::shared_ptr<const SongTable> table);

// The rows copied into rows 1.. of a song table (row 0 unused, 13 cells a row), for the
// operations that take a song table.
void CopyRows(const SongRows& songs, masTag& table);

}  // namespace tarvel::library

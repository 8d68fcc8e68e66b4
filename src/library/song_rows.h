#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/song_record.h"

namespace tarvel::library {

// A song table as the browser keeps it: the rows of a source table picked by their numbers, in
// display order. Narrowing, ordering and searching move row numbers instead of copying records,
// so a search over the whole library never copies it. The source is shared and never changed
// once made, so a table made from an older read stays valid.
struct SongRows {
    std::shared_ptr<const masTag> source;
    std::vector<int> rows;  // row numbers of `source`

    int Count() const { return static_cast<int>(rows.size()); }
    // Row i from 1.
    const std::vector<std::string>& Row(int i) const {
        return (*source)[static_cast<size_t>(rows[static_cast<size_t>(i - 1)])];
    }
    const std::string& Cell(int i, int cell) const { return Row(i)[static_cast<size_t>(cell)]; }
    void Clear() { rows.clear(); }
};

// Rows 1..count of a table read on its own.
SongRows AllRows(std::shared_ptr<const masTag> table, int count);

// The rows copied into rows 1.. of a song table (row 0 unused, 13 cells a row), for the
// operations that take a song table.
void CopyRows(const SongRows& songs, masTag& table);

}  // namespace tarvel::library

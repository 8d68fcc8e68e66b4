#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/song_record.h"
#include "platform/fs/large_buffer.h"

namespace tarvel::library {

// Song records kept as the lines they were read from: one text buffer and, for each row, where
// its eleven cells lie in it. A library of a hundred thousand songs takes the size of its file
// plus 88 bytes a row, and is read with one allocation per buffer instead of one per cell.
// Rows count from 1; cells are split exactly as SplitSongLine splits a line.
class SongTable {
  public:
    int Count() const { return static_cast<int>(spans_.size()); }
    // Cell 0..10 of row 1..Count(); any other cell is empty.
    std::string_view Cell(int row, int cell) const;

    void AddLine(std::string_view line);
    void AddRow(const std::vector<std::string>& cells);

    // The lines of a song file (CR LF or LF ends). A missing file gives an empty table; a file
    // that cannot be read throws AppError.
    static SongTable ReadFile(const std::string& path);

  private:
    struct Span {
        uint32_t at = 0;
        uint32_t size = 0;
    };
    // Splits the line that starts at `at` in the buffer.
    void AddSpans(size_t at, size_t size);

    fs::LargeVector<char> text_;
    fs::LargeVector<std::array<Span, kSongFieldCount>> spans_;
};

}  // namespace tarvel::library

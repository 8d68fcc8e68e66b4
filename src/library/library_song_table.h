#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/song_rows.h"
#include "platform/fs/large_buffer.h"

namespace tarvel::library {

// One text cell of every row of a table, kept together: row r's text is at starts[r - 1].
struct TextColumn {
    fs::LargeVector<char> text;
    fs::LargeVector<uint32_t> starts;  // one more than rows: the end of the last

    std::string_view At(int row) const {
        const size_t r = static_cast<size_t>(row - 1);
        return std::string_view(text.data() + starts[r], starts[r + 1] - starts[r]);
    }
};

// Every song of allsong.tft, read at the first search that needs it and again at the first such
// search after the artist panels were filled again (a scan may have changed the library). The
// album and title cells are also kept folded for search, made once as the table loads, so a
// search pass folds only its own text.
class LibrarySongTable {
  public:
    explicit LibrarySongTable(std::string path) : path_(std::move(path)) {}

    void MarkStale() { stale_ = true; }
    bool Stale() const { return stale_; }
    // Reads the file when the table is stale. A missing file gives an empty table; a file that
    // cannot be read throws AppError and leaves the table stale.
    void Update();

    // Every row, in file order.
    const SongRows& All() const { return all_; }
    int Count() const { return all_.Count(); }
    // The album (kAlbum) or title (kTitle) cells folded for search; nullptr for other cells.
    const TextColumn* FoldedColumn(int cell) const;

  private:
    std::string path_;
    bool stale_ = true;
    SongRows all_;
    TextColumn folded_album_;
    TextColumn folded_title_;
};

}  // namespace tarvel::library

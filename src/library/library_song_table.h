#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library/song_rows.h"

namespace tarvel::library {

// Every song of allsong.tft, read at the first search that needs it and again at the first such
// search after the artist panels were filled again (a scan may have changed the library). The
// album and title cells are also kept in lower case, so a search pass folds only its own text.
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
    // The album (kAlbum) or title (kTitle) cell of a row, in lower case; nullptr for other cells.
    const std::vector<std::string>* LowerColumn(int cell) const;

  private:
    std::string path_;
    bool stale_ = true;
    SongRows all_;
    std::vector<std::string> lower_album_;
    std::vector<std::string> lower_title_;
};

}  // namespace tarvel::library

#include "library/library_song_table.h"

#include <algorithm>

#include "platform/text/search_fold.h"

namespace tarvel::library {
namespace {

TextColumn FoldedCells(const SongTable& table, int cell) {
    TextColumn column;
    column.starts.resize(static_cast<size_t>(table.Count() + 1));
    std::string text;
    size_t size = 0;
    for (int row = 1; row <= table.Count(); ++row) {
        size += table.Cell(row, cell).size();
    }
    text.reserve(size + size / 8);  // folding seldom makes text longer
    for (int row = 1; row <= table.Count(); ++row) {
        column.starts[static_cast<size_t>(row - 1)] = static_cast<uint32_t>(text.size());
        text::AppendFolded(text, table.Cell(row, cell));
    }
    column.starts.back() = static_cast<uint32_t>(text.size());
    column.text.resize(text.size());
    std::copy(text.begin(), text.end(), column.text.begin());
    return column;
}

}  // namespace

void LibrarySongTable::Update() {
    if (!stale_) {
        return;
    }
    auto table = std::make_shared<SongTable>(SongTable::ReadFile(path_));
    folded_album_ = FoldedCells(*table, kAlbum);
    folded_title_ = FoldedCells(*table, kTitle);
    all_ = AllRows(std::move(table));
    stale_ = false;
}

const TextColumn* LibrarySongTable::FoldedColumn(int cell) const {
    if (cell == kAlbum) {
        return &folded_album_;
    }
    if (cell == kTitle) {
        return &folded_title_;
    }
    return nullptr;
}

}  // namespace tarvel::library

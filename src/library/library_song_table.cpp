#include "library/library_song_table.h"

#include "platform/text/case_fold.h"

namespace tarvel::library {
namespace {

TextColumn LowerCells(const SongTable& table, int cell) {
    TextColumn column;
    column.starts.resize(static_cast<size_t>(table.Count() + 1));
    size_t size = 0;
    for (int row = 1; row <= table.Count(); ++row) {
        column.starts[static_cast<size_t>(row - 1)] = static_cast<uint32_t>(size);
        size += table.Cell(row, cell).size();
    }
    column.starts.back() = static_cast<uint32_t>(size);
    column.text.resize(size);
    auto out = column.text.begin();
    for (int row = 1; row <= table.Count(); ++row) {
        for (const char c : table.Cell(row, cell)) {
            *out++ = static_cast<char>(text::LowerByte(static_cast<unsigned char>(c)));
        }
    }
    return column;
}

}  // namespace

void LibrarySongTable::Update() {
    if (!stale_) {
        return;
    }
    auto table = std::make_shared<SongTable>(SongTable::ReadFile(path_));
    lower_album_ = LowerCells(*table, kAlbum);
    lower_title_ = LowerCells(*table, kTitle);
    all_ = AllRows(std::move(table));
    stale_ = false;
}

const TextColumn* LibrarySongTable::LowerColumn(int cell) const {
    if (cell == kAlbum) {
        return &lower_album_;
    }
    if (cell == kTitle) {
        return &lower_title_;
    }
    return nullptr;
}

}  // namespace tarvel::library

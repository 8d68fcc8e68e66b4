#include "library/library_song_table.h"

#include "library/library_store.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {

void LibrarySongTable::Update() {
    if (!stale_) {
        return;
    }
    auto table = std::make_shared<masTag>();
    int capacity = 0;
    const int count = ReadSongFile(path_, *table, capacity);
    std::vector<std::string> albums(static_cast<size_t>(count + 1));
    std::vector<std::string> titles(static_cast<size_t>(count + 1));
    for (int row = 1; row <= count; ++row) {
        const std::vector<std::string>& cells = (*table)[static_cast<size_t>(row)];
        albums[static_cast<size_t>(row)] = text::Lower(cells[kAlbum]);
        titles[static_cast<size_t>(row)] = text::Lower(cells[kTitle]);
    }
    all_ = AllRows(std::move(table), count);
    lower_album_ = std::move(albums);
    lower_title_ = std::move(titles);
    stale_ = false;
}

const std::vector<std::string>* LibrarySongTable::LowerColumn(int cell) const {
    if (cell == kAlbum) {
        return &lower_album_;
    }
    if (cell == kTitle) {
        return &lower_title_;
    }
    return nullptr;
}

}  // namespace tarvel::library

#include "library/song_table.h"

#include <algorithm>

#include "library/stored_lines.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/text/stored_text.h"
#include "platform/text/unicode.h"

namespace tarvel::library {

std::string_view SongTable::Cell(int row, int cell) const {
    if (row < 1 || row > Count() || cell < 0 || cell >= kSongFieldCount) {
        return {};
    }
    const Span span = spans_[static_cast<size_t>(row - 1)][static_cast<size_t>(cell)];
    return std::string_view(text_.data() + span.at, span.size);
}

void SongTable::AddSpans(size_t at, size_t size) {
    std::array<Span, kSongFieldCount> cells{};
    std::string_view rest(text_.data() + at, size);
    size_t offset = at;
    for (size_t i = 0; i < kSongFieldCount; ++i) {
        const size_t found = rest.find(kSongMarkers[i]);
        const size_t length = found == std::string_view::npos ? rest.size() : found;
        cells[i] = {static_cast<uint32_t>(offset), static_cast<uint32_t>(length)};
        if (found == std::string_view::npos) {
            break;  // the rest of the line is this field's, later ones are empty
        }
        const size_t skip = found + kMarkerLength;
        rest.remove_prefix(skip);
        offset += skip;
    }
    spans_.push_back(cells);
}

void SongTable::AddLine(std::string_view line) {
    const size_t at = text_.size();
    text_.insert(text_.end(), line.begin(), line.end());
    AddSpans(at, line.size());
}

void SongTable::AddRow(const std::vector<std::string>& cells) {
    SongRecord record;
    for (size_t i = 0; i < record.size() && i < cells.size(); ++i) {
        record[i] = cells[i];
    }
    AddLine(SongLine(record));
}

SongTable SongTable::ReadFile(const std::string& path) {
    SongTable table;
    if (!fs::FileExists(path)) {
        return table;
    }
    table.text_ = fs::ReadLargeFile(path);
    const std::string_view stored(table.text_.data(), table.text_.size());
    if (text::FormOf(stored) == text::StoredForm::Windows1251 && !text::IsAscii(stored)) {
        const std::string decoded = DecodeStoredLines(stored);
        table.text_.assign(decoded.begin(), decoded.end());
    }
    const std::string_view bytes(table.text_.data(), table.text_.size());
    table.spans_.reserve(static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    fs::ForEachLine(bytes, [&](std::string_view line) {
        table.AddSpans(static_cast<size_t>(line.data() - bytes.data()), line.size());
    });
    return table;
}

}  // namespace tarvel::library

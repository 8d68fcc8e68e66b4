#include "library/song_record.h"

#include <algorithm>

namespace tarvel::library {

std::string JoinLine(const std::string* values, const std::string_view* markers, size_t count) {
    std::string line;
    for (size_t i = 0; i < count; ++i) {
        const size_t start = line.size();
        line += values[i];
        std::replace_if(
            line.begin() + static_cast<std::ptrdiff_t>(start), line.end(),
            [](char c) { return c == '\r' || c == '\n'; }, ' ');
        line += markers[i];
    }
    return line;
}

std::string SongLine(const SongRecord& record) {
    return JoinLine(record.data(), kSongMarkers.data(), kSongFieldCount);
}

std::string ArtistIndexLine(const std::string& artist, const std::string& artist_file) {
    const std::string values[] = {artist, artist_file};
    return JoinLine(values, kArtistIndexMarkers.data(), kArtistIndexMarkers.size());
}

std::vector<std::string> SplitLine(std::string_view line, const std::string_view* markers,
                                   size_t count) {
    std::vector<std::string> fields(count);
    std::string_view rest = line;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = rest.find(markers[i]);
        if (at == std::string_view::npos) {
            fields[i] = std::string(rest);
            break;
        }
        fields[i] = std::string(rest.substr(0, at));
        rest.remove_prefix(at + markers[i].size());
    }
    return fields;
}

SongRecord SplitSongLine(std::string_view line) {
    std::vector<std::string> fields = SplitLine(line, kSongMarkers.data(), kSongFieldCount);
    SongRecord record;
    std::move(fields.begin(), fields.end(), record.begin());
    return record;
}

void SizeTable(masTag& table, int capacity) {
    const size_t old_size = table.size();
    table.resize(static_cast<size_t>(std::max(capacity, 0)));
    for (size_t row = old_size; row < table.size(); ++row) {
        table[row].resize(kCellsPerRow);
    }
}

int GrowForRow(masTag& table, int row) {
    if (row + 2 > static_cast<int>(table.size())) {
        SizeTable(table, row + kTableGrowth);
    }
    return static_cast<int>(table.size());
}

}  // namespace tarvel::library

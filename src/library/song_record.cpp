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
        const size_t end = line.size();
        line += markers[i];
        // The field is read up to the first occurrence of its marker, so none may begin inside
        // the value: not the whole marker, nor a value's end that the marker's own first space
        // completes. The spaces of such an occurrence inside the value are replaced.
        for (size_t at = line.find(markers[i], start); at < end;
             at = line.find(markers[i], at + 1)) {
            line[at] = kMarkerSpaceStandIn;
            if (at + markers[i].size() - 1 < end) {
                line[at + markers[i].size() - 1] = kMarkerSpaceStandIn;
            }
        }
    }
    return line;
}

bool FitsInASongLine(std::string_view value, SongField field) {
    const std::string_view marker = kSongMarkers[static_cast<size_t>(field)];
    return value.find_first_of("\r\n") == std::string_view::npos &&
           value.find(marker) == std::string_view::npos &&
           !value.ends_with(marker.substr(0, marker.size() - 1));
}

std::string SongLine(const SongRecord& record) {
    return JoinLine(record.data(), kSongMarkers.data(), kSongFieldCount);
}

std::string ArtistIndexLine(const std::string& artist, const std::string& artist_file) {
    const std::string values[] = {artist, artist_file};
    return JoinLine(values, kArtistIndexMarkers.data(), kArtistIndexMarkers.size());
}

void SplitLineViews(std::string_view line, const std::string_view* markers, size_t count,
                    std::string_view* fields) {
    std::fill(fields, fields + count, std::string_view());
    std::string_view rest = line;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = rest.find(markers[i]);
        if (at == std::string_view::npos) {
            fields[i] = rest;
            break;
        }
        fields[i] = rest.substr(0, at);
        rest.remove_prefix(at + markers[i].size());
    }
}

std::vector<std::string> SplitLine(std::string_view line, const std::string_view* markers,
                                   size_t count) {
    std::vector<std::string_view> views(count);
    SplitLineViews(line, markers, count, views.data());
    return std::vector<std::string>(views.begin(), views.end());
}

SongRecord SplitSongLine(std::string_view line) {
    std::vector<std::string> fields = SplitLine(line, kSongMarkers.data(), kSongFieldCount);
    SongRecord record;
    std::move(fields.begin(), fields.end(), record.begin());
    return record;
}

void SizeTable(masTag& table, int capacity, int cells) {
    const size_t old_size = table.size();
    table.resize(static_cast<size_t>(std::max(capacity, 0)));
    for (size_t row = old_size; row < table.size(); ++row) {
        table[row].resize(static_cast<size_t>(cells));
    }
}

int GrowForRow(masTag& table, int row, int cells) {
    if (row + 2 > static_cast<int>(table.size())) {
        SizeTable(table, row + kTableGrowth, cells);
    }
    return static_cast<int>(table.size());
}

int CapacityForRows(int capacity, int rows) {
    // Rows made room for one after another: the first row r with r + 2 above the capacity
    // grows it to r + 100, and the next growth comes at the row just below that.
    for (int row = std::max(1, capacity - 1); row <= rows && row + 2 > capacity;
         row = capacity - 1) {
        capacity = row + kTableGrowth;
    }
    return capacity;
}

}  // namespace tarvel::library

#include "library/browser_orders.h"

#include <algorithm>
#include <charconv>

#include "platform/error/app_error.h"
#include "platform/text/case_fold.h"
#include "platform/text/int_text.h"

namespace tarvel::library {

int TrackNumber(std::string_view cell) {
    int value = 0;
    const char* end = cell.data() + cell.size();
    const auto [stop, error] = std::from_chars(cell.data(), end, value);
    if (error == std::errc() && stop == end) {
        return value;  // plain decimal, the form the scanner writes
    }
    try {
        return text::StrToInt(std::string(cell));
    } catch (const AppError&) {
        return 0;
    }
}

void OrderByTitle(SongRows& songs) {
    const SongTable& table = *songs.source;
    std::stable_sort(songs.rows.begin(), songs.rows.end(), [&table](int a, int b) {
        return text::LessText(table.Cell(a, kTitle), table.Cell(b, kTitle));
    });
}

void OrderByTrack(SongRows& songs) {
    struct Keyed {
        int track;
        int row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(songs.rows.size());
    // Reversed first, then a stable sort: equal numbers end in the reverse of their order.
    for (auto it = songs.rows.rbegin(); it != songs.rows.rend(); ++it) {
        keyed.push_back({TrackNumber(songs.source->Cell(*it, kTrack)), *it});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.track < b.track; });
    for (size_t i = 0; i < keyed.size(); ++i) {
        songs.rows[i] = keyed[i].row;
    }
}

void OrderAlbumsByYear(std::vector<Album>& albums) {
    std::stable_sort(albums.begin(), albums.end(),
                     [](const Album& a, const Album& b) { return text::LessText(a.year, b.year); });
}

void OrderAlbumsByName(std::vector<Album>& albums) {
    std::stable_sort(albums.begin(), albums.end(),
                     [](const Album& a, const Album& b) { return text::LessText(a.name, b.name); });
}

}  // namespace tarvel::library

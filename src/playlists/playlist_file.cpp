#include "playlists/playlist_file.h"

#include <fmt/format.h>

#include <cmath>
#include <limits>
#include <vector>

#include "library/stored_lines.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/text/number_text.h"
#include "platform/text/unicode.h"

namespace tarvel::playlists {
namespace {

constexpr const char* kFileNames[] = {"PlayListMainPL1.tpl", "PlayListMainCD.tpl",
                                      "PlayListMainPL2.tpl"};

library::SongRecord RecordOfRow(const masTag& rows, int row) {
    library::SongRecord record;
    const auto& cells = rows[static_cast<size_t>(row)];
    for (int cell = 0; cell < library::kSongFieldCount; ++cell) {
        record[static_cast<size_t>(cell)] = cells[static_cast<size_t>(cell)];
    }
    return record;
}

std::string BadNumber(const std::string& path, int line, const std::string& text) {
    return fmt::format("{}: line {} \"{}\" is not a number", path, line,
                       text::FirstChars(text, 40));
}

}  // namespace

std::string PlaylistFileName(Playlist playlist) {
    return kFileNames[static_cast<size_t>(playlist)];
}

std::string StandardPlaylistPath(const std::string& folder, Playlist playlist) {
    return fs::JoinPath(fs::JoinPath(folder, "sort"), PlaylistFileName(playlist));
}

std::string WithPlaylistExtension(const std::string& name) {
    const std::string extension = kPlaylistExtension;
    if (name.size() >= extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
        return name;
    }
    return name + extension;
}

std::string PlaylistRowsText(const TPlist& state) {
    std::string text;
    const int rows = std::min(state.Count, static_cast<int>(state.Rows.size()) - 1);
    for (int row = 1; row <= rows; ++row) {
        text += library::SongLine(RecordOfRow(state.Rows, row)) + "\r\n";
    }
    return text;
}

std::string PlaylistFileText(const TMasPLayList& work) {
    std::string text = std::string(kPlaylistHeader) + "\r\n";
    if (work.Count <= 0) {
        return text + kEmptyPlaylistLine + "\r\n";
    }
    text += std::string(kFilledPlaylistLine) + "\r\n";
    text += fmt::format("{}\r\n", work.Current);
    text += text::FormatGeneral(work.PositionMs / 1000.0) + "\r\n";
    return text + PlaylistRowsText(work);
}

void WritePlaylistFile(const TPlayMasiv& playlist, const std::string& path) {
    fs::ReplaceFile(path,
                    library::EncodeStoredLines(fs::SplitLines(PlaylistFileText(playlist.Work))));
}

PlaylistRead ReadPlaylistFile(TPlist& state, const std::string& path) {
    if (!fs::EntryExists(path)) {
        return {};
    }
    std::vector<std::string> lines;
    try {
        lines = fs::SplitLines(library::DecodeStoredLines(fs::ReadFile(path)));
    } catch (const AppError& e) {
        return {false, e.what()};
    }
    if (lines.empty() || lines[0] != kPlaylistHeader) {
        return {false, fmt::format("{}: the first line is not the playlist header", path)};
    }
    if (lines.size() < 2 || lines[1] == kEmptyPlaylistLine) {
        return {};
    }
    PlaylistRead read{true, {}};
    const std::string current_text = lines.size() > 2 ? lines[2] : std::string();
    auto current = text::ParseInt32(current_text);
    if (!current) {
        read.problem = BadNumber(path, 3, current_text);
    }
    const std::string position_text = lines.size() > 3 ? lines[3] : std::string();
    const auto seconds = text::ParseDecimalPointOrComma(position_text);
    double position = seconds ? std::nearbyint(*seconds * 1000.0) : 0.0;
    if (!seconds || position < std::numeric_limits<int32_t>::min() ||
        position > std::numeric_limits<int32_t>::max()) {
        position = 0.0;
        if (read.problem.empty()) {
            read.problem = BadNumber(path, 4, position_text);
        }
    }

    const int count = lines.size() > 4 ? static_cast<int>(lines.size() - 4) : 0;
    masTag rows;
    library::SizeTable(rows, count + 5);
    for (int row = 1; row <= count; ++row) {
        const library::SongRecord record =
            library::SplitSongLine(lines[static_cast<size_t>(row) + 3]);
        auto& cells = rows[static_cast<size_t>(row)];
        std::copy(record.begin(), record.end(), cells.begin());
    }
    state.Rows = std::move(rows);
    state.Count = count;
    state.Current = current && *current >= 0 && *current <= count ? *current : 0;
    state.PositionMs = static_cast<int32_t>(position);
    return read;
}

void CopyPlaylist(TPlayMasiv& destination, const TPlayMasiv& source) {
    if (&destination != &source) {
        destination = source;
    }
}

}  // namespace tarvel::playlists

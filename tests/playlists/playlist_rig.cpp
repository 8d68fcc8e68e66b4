#include "playlist_rig.h"

#include <fmt/format.h>

namespace tarvel::testing {

void RecordingView::SetItem(int index, const std::string& text) {
    if (index >= 0 && index < ItemCount()) {
        items[static_cast<size_t>(index)] = text;
    } else {
        items.push_back(text);
    }
}

void RecordingView::RemoveItem(int index) {
    if (index >= 0 && index < ItemCount()) {
        items.erase(items.begin() + index);
    }
}

void RecordingView::SetItemFont(int index, uint32_t color, uint32_t spare_color,
                                const std::string& mode) {
    marked = index;
    mark_color = color;
    mark_spare = spare_color;
    mark_mode = mode;
}

int32_t FakeEngines::ApolloCommand(int32_t number, int32_t value) {
    calls.push_back(fmt::format("ApolloCommand {} {}", number, value));
    return 0;
}

void FakeTransport::PlayCurrent(PlayCommand command) {
    auto& work = model->Work();
    calls.push_back(fmt::format("PlayCurrent {} row={} at={}", playlists::CommandWord(command),
                                work.Current, work.PositionMs));
    if (work.Current == 0) {
        return;
    }
    polling = true;
    work.PlayState = command == PlayCommand::Play ? 1 : 2;
    model->MarkCurrentSong(command);
    model->SumPlaylistTime();
    model->SumTimeBeforeCurrent();
}

void FakeTransport::StopPlay(bool snapshot) {
    calls.push_back(fmt::format("StopPlay {}", snapshot));
    settings->Uncheck(config::Item::Enabled1);
    if (snapshot) {
        model->TakeUndoSnapshot();
    }
    model->ResetSongProgress();
    polling = false;
    model->ClearMark();
    model->RewriteItem(model->Work().Current);
    model->Work().Current = 0;
    model->Work().PlayState = 0;
    title = playlists::kIdleTitle;
}

std::vector<std::string> Song(const std::string& artist, const std::string& title, int ms,
                              int kbps) {
    std::vector<std::string> cells(library::kCellsPerRow);
    cells[library::kArtist] = artist;
    cells[library::kAlbum] = "Album";
    cells[library::kTitle] = title;
    cells[library::kYear] = "2001";
    cells[library::kGenre] = "Rock";
    cells[library::kTrack] = "1";
    cells[library::kBitRate] = std::to_string(kbps);
    cells[library::kDuration] = std::to_string(ms);
    cells[library::kSampleRate] = "44100";
    cells[library::kChannelMode] = "Stereo";
    cells[library::kPath] = "/music/" + artist + "/" + title + ".mp3";
    return cells;
}

library::masTag Table(const std::vector<std::vector<std::string>>& songs) {
    library::masTag table(1, std::vector<std::string>(library::kCellsPerRow));
    table.insert(table.end(), songs.begin(), songs.end());
    return table;
}

library::masTag NumberedSongs(int count, const std::string& artist) {
    std::vector<std::vector<std::string>> songs;
    for (int i = 1; i <= count; ++i) {
        songs.push_back(Song(artist, fmt::format("S{}", i), 1000 * i));
    }
    return Table(songs);
}

namespace {

playlists::PlaylistModel::Links LinksOf(PlaylistRig& rig) {
    playlists::PlaylistModel::Links links;
    links.settings = &rig.settings;
    links.transport = &rig.transport;
    links.display = &rig.display;
    links.list5 = &rig.list5;
    links.list6 = &rig.list6;
    links.services = &rig.services;
    links.engines = &rig.engines;
    links.app_dir = rig.dir.path();
    links.cd_drive = [] { return std::string("/dev/sr0/"); };
    links.after_end_shutdown = [&rig] { rig.shutdowns.push_back("SaveOnExit+Shutdown"); };
    return links;
}

}  // namespace

PlaylistRig::PlaylistRig() : model(LinksOf(*this)) {
    transport.model = &model;
    transport.settings = &settings;
}

void PlaylistRig::SetWork(const library::masTag& rows, int current, int position_ms,
                          int play_state) {
    auto& work = model.Work();
    work.Rows = rows;
    library::SizeTable(work.Rows, static_cast<int>(rows.size()) + 2);
    work.Count = static_cast<int>(rows.size()) - 1;
    work.Current = current;
    work.PositionMs = position_ms;
    work.PlayState = play_state;
    model.SumPlaylistTime();
    list5.items.clear();
    list6.items.clear();
    model.FillPlaylistView(0, 1, work.Count);
}

std::vector<std::string> PlaylistRig::Titles() const {
    std::vector<std::string> titles;
    const auto& work = model.Work();
    for (int row = 1; row <= work.Count; ++row) {
        titles.push_back(work.Rows[static_cast<size_t>(row)][library::kTitle]);
    }
    return titles;
}

std::string PlaylistRig::SortPath(const std::string& name) const {
    return dir / ("sort/" + name);
}

std::vector<std::string> PlaylistRig::Reports() const {
    std::vector<std::string> reports;
    for (const std::string& call : services.Calls()) {
        if (call.rfind("MessageBox", 0) == 0) {
            reports.push_back(call);
        }
    }
    return reports;
}

}  // namespace tarvel::testing

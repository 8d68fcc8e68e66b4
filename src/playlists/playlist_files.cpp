// Start-up loading, saving at exit and the Save Playlist / Load Playlist commands.
#include <optional>

#include "platform/fs/file_ops.h"
#include "platform/system/system_services.h"
#include "playlists/playlist_file.h"
#include "playlists/playlist_model.h"

namespace tarvel::playlists {
namespace {

constexpr Playlist kAllPlaylists[] = {Playlist::PL1, Playlist::CD, Playlist::PL2};
constexpr const char* kPlaylistFilter = "Playlists (*.tpl);;All files (*)";

}  // namespace

bool PlaylistModel::ReadSlotFile(Playlist playlist, const std::string& folder) {
    const std::string path = StandardPlaylistPath(folder, playlist);
    TPlist& work = slots_[playlist].Work;
    // The slot keeps what it held when nothing could be read; the other playlists still load.
    const PlaylistRead read = ReadPlaylistFile(work, path);
    if (path == StandardPlaylistPath(links_.app_dir, playlist)) {
        std::optional<std::string>& unread = unread_files_[static_cast<size_t>(playlist)];
        unread.reset();
        if (!read.problem.empty()) {
            unread = PlaylistRowsText(work);
        }
        ReportRead(read.problem, true);
    } else {
        ReportRead(read.problem, false);
    }
    return read.loaded;
}

void PlaylistModel::ReportRead(const std::string& problem, bool kept) {
    if (!problem.empty()) {
        system::ReportError(
            *links_.services,
            problem + (kept ? ". The file is kept as it is until this playlist is changed." : "."));
    }
}

void PlaylistModel::LoadAtStartup() {
    if (settings().FirstRun) {
        return;
    }
    for (Playlist playlist : kAllPlaylists) {
        ReadSlotFile(playlist, links_.app_dir);
    }
    EnsureCdPlaylist();
    CopyPlaylist(working_, slots_[settings().ShownPlaylist()]);
    ShowWholePlaylist();
    AfterPlaylistLoad();
    for (TPlayMasiv& slot : slots_.Slots) {
        if (slot.Work.Current != 0) {
            slot.Work.PlayState = 1;
        }
    }
}

void PlaylistModel::SaveAtExit() {
    CopyPlaylist(slots_[settings().ShownPlaylist()], working_);
    fs::CreateDirectories(fs::JoinPath(links_.app_dir, "sort"));
    for (Playlist playlist : kAllPlaylists) {
        const std::string path = StandardPlaylistPath(links_.app_dir, playlist);
        std::optional<std::string>& unread = unread_files_[static_cast<size_t>(playlist)];
        if (unread) {
            if (*unread == PlaylistRowsText(slots_[playlist].Work)) {
                continue;  // not changed since its file could not be read: the file stays
            }
            fs::KeepBeside(path);
            unread.reset();
        }
        WritePlaylistFile(slots_[playlist], path);
    }
}

void PlaylistModel::SavePlaylistAs(const std::string& name) {
    WritePlaylistFile(working_, WithPlaylistExtension(name));
}

void PlaylistModel::SavePlaylistClick() {
    RunReported([this] {
        const std::optional<std::string> name =
            links_.services->SaveFileDialog("Save Playlist", links_.app_dir, kPlaylistFilter);
        if (name) {
            SavePlaylistAs(*name);
        }
    });
}

void PlaylistModel::LoadPlaylistClick() {
    RunReported([this] {
        const std::optional<std::string> name =
            links_.services->OpenFileDialog("Load Playlist", links_.app_dir, kPlaylistFilter);
        if (name) {
            const std::string folder = fs::FolderOf(*name);
            LoadPlaylistsFrom(folder.empty() ? "." : folder, *name);
        }
    });
}

void PlaylistModel::LoadPlaylistsFrom(const std::string& folder, const std::string& picked) {
    settings().Uncheck(config::Item::repeatOne1);
    // The shown playlist's slot is stale while it is shown; store the working copy first so that
    // a folder without that playlist's file keeps the playlist as the user sees it.
    const Playlist shown = settings().ShownPlaylist();
    CopyPlaylist(slots_[shown], working_);
    bool picked_is_standard = false;
    for (Playlist playlist : kAllPlaylists) {
        ReadSlotFile(playlist, folder);
        picked_is_standard |= picked == StandardPlaylistPath(folder, playlist);
    }
    // A playlist file of its own, as Save Playlist writes one, goes into the shown playlist:
    // otherwise a saved playlist could never be loaded back.
    if (!picked.empty() && !picked_is_standard) {
        ReportRead(ReadPlaylistFile(slots_[shown].Work, picked).problem, false);
    }
    CopyPlaylist(working_, slots_[shown]);
    ShowWholePlaylist();
    AfterPlaylistLoad();
    // A slot without a current song is shown stopped all the same (ExchangePlaylist).
    for (TPlayMasiv& slot : slots_.Slots) {
        slot.Work.PlayState = 1;
    }
}

}  // namespace tarvel::playlists

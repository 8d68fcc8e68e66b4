// The playlist tabs: switching between PL1, CD and PL2, and the CD playlist.
#include <fmt/format.h>

#include "library/duration_text.h"
#include "platform/text/number_text.h"
#include "playlists/playlist_file.h"
#include "playlists/playlist_model.h"

namespace tarvel::playlists {
namespace {

constexpr int32_t kApolloStopTrack = 11;
constexpr int32_t kApolloStop = 9;

std::string CdTrackPath(const std::string& cd_drive, int track) {
    return fmt::format("{}Track{:02}.cda", cd_drive, track);
}

}  // namespace

Playlist TabAt(int x, int width) {
    const long double w = width;
    const long double at = x;
    if (at < w / 3) {
        return Playlist::PL1;
    }
    if (at < w * (2.0L / 3.0L)) {
        return Playlist::CD;
    }
    return Playlist::PL2;
}

void PlaylistModel::TabMouseDown(int x, int width) {
    SwitchPlaylist(TabAt(x, width));
}

void PlaylistModel::SwitchPlaylist(Playlist target) {
    const Playlist shown = settings().ShownPlaylist();
    settings().ShowPlaylist(target);
    links_.display->ShowTab(target);
    EnsureCdPlaylist();
    if (target == shown) {
        return;
    }
    if (shown == Playlist::CD) {
        if (settings().Checked(config::Item::mFmod)) {
            links_.engines->FmodStop(std::string(library::kCdGenre));
        }
        links_.engines->ApolloCommand(kApolloStopTrack, 0);
        links_.engines->ApolloCommand(kApolloStop, 0);
    }
    ExchangePlaylist(shown, target);
}

void PlaylistModel::EnsureCdPlaylist() {
    if (settings().ShownPlaylist() == Playlist::CD) {
        links_.engines->EnsureCdReaderPlugin();
        BuildCdPlaylist(slots_[Playlist::CD]);
    }
}

void PlaylistModel::ExchangePlaylist(Playlist store_into, Playlist take_from) {
    CopyPlaylist(slots_[store_into], working_);
    CopyPlaylist(working_, slots_[take_from]);
    ShowWholePlaylist();
    // Only a playlist with a current song resumes; one without is shown stopped, so the song of
    // the playlist that was left cannot go on sounding under it.
    const TMasPLayList& taken = Work();
    const bool has_song = taken.Current >= 1 && taken.Current <= taken.Count;
    switch (has_song ? taken.PlayState : 0) {
        case 1:
            transport().PlayCurrent(PlayCommand::Play);
            break;
        case 2:
            transport().PlayCurrent(PlayCommand::Pause);
            break;
        case 0:
            transport().StopPlay(true);
            break;
        default:
            break;
    }
}

void PlaylistModel::BuildCdPlaylist(TPlayMasiv& slot) {
    const std::vector<int32_t> lengths = links_.engines->CdTrackLengths();
    std::string signature;
    for (const int32_t length : lengths) {
        signature += text::FormatGeneral(length / 1000.0) + "-";
    }
    TMasPLayList& work = slot.Work;
    if (signature == settings().CDinf && work.Count != 0) {
        return;
    }
    const int count = static_cast<int>(lengths.size());
    const std::string drive = links_.cd_drive ? links_.cd_drive() : std::string();
    if (static_cast<int>(work.Rows.size()) < count + 2) {
        library::SizeTable(work.Rows, count + 2);
    }
    for (int track = 1; track <= count; ++track) {
        const std::string ms = fmt::format("{}", lengths[static_cast<size_t>(track - 1)]);
        auto& cells = work.Rows[static_cast<size_t>(track)];
        cells[library::kTitle] = fmt::format("Track {} - {}", track, library::DurationText(ms));
        cells[library::kYear] = "0";
        cells[library::kGenre] = library::kCdGenre;
        cells[library::kTrack] = fmt::format("{}", track);
        cells[library::kBitRate] = "0";
        cells[library::kDuration] = ms;
        cells[library::kSampleRate] = "0";
        cells[library::kChannelMode].clear();
        cells[library::kPath] = CdTrackPath(drive, track);
    }
    work.Count = count;
    work.Current = 0;
    work.PositionMs = 0;
    work.PlayState = 0;
    settings().CDinf = signature;
}

}  // namespace tarvel::playlists

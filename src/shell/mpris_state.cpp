#include "shell/mpris_state.h"

#include <algorithm>
#include <cmath>

#include "library/song_record.h"
#include "platform/mpris/mpris_rules.h"
#include "platform/text/number_text.h"

namespace tarvel::shell {
namespace {

constexpr int kVolumeMax = 771;

mpris::Status StatusOf(int32_t play_state) {
    switch (play_state) {
        case 1:
            return mpris::Status::Playing;
        case 2:
            return mpris::Status::Paused;
        default:
            return mpris::Status::Stopped;
    }
}

mpris::Track TrackOf(const std::vector<std::string>& row, int number) {
    const auto cell = [&row](int field) -> const std::string& { return row.at(field); };
    mpris::Track track;
    track.id = "/org/tarvel/Tarvel/track/" + std::to_string(number);
    const std::optional<int32_t> ms = text::ParseInt32(cell(library::kDuration));
    track.length_us = ms && *ms > 0 ? int64_t{*ms} * 1000 : 0;
    track.title = cell(library::kTitle);
    track.artist = cell(library::kArtist);
    track.album = cell(library::kAlbum);
    if (cell(library::kGenre) != library::kCdGenre) {
        track.url = mpris::FileUrl(cell(library::kPath));
    }
    return track;
}

}  // namespace

double MprisVolume(int bar_position) {
    return static_cast<double>(std::clamp(bar_position, 0, kVolumeMax)) / kVolumeMax;
}

int VolumeBarPosition(double volume) {
    if (!(volume > 0.0)) {  // also NaN
        return 0;
    }
    return static_cast<int>(std::nearbyint(std::min(volume, 1.0) * kVolumeMax));
}

mpris::PlayerState MprisState(const playlists::TMasPLayList& work, int volume_bar) {
    mpris::PlayerState state;
    state.volume = MprisVolume(volume_bar);
    const bool current = work.Current > 0 && work.Current <= work.Count &&
                         static_cast<size_t>(work.Current) < work.Rows.size();
    state.can_play = work.Count > 0;
    if (!current) {
        return state;
    }
    state.track = TrackOf(work.Rows[static_cast<size_t>(work.Current)], work.Current);
    state.status = StatusOf(work.PlayState);
    state.can_go_next = true;
    state.can_go_previous = true;
    state.can_pause = true;
    state.can_seek = state.status != mpris::Status::Stopped && state.track->length_us > 0;
    state.position_us = int64_t{work.PositionMs} * 1000;
    return state;
}

}  // namespace tarvel::shell

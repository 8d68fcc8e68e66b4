#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mpris/media_player.h"

// The rules of the media-player protocol that do not depend on the bus: what a relative seek
// or an absolute position request comes to, which published properties changed, and how file
// paths travel as addresses.
namespace tarvel::mpris {

// What a request to move the position comes to.
struct SeekAction {
    enum Kind { Nothing, SeekTo, Next } kind = Nothing;
    int64_t position_us = 0;  // for SeekTo

    friend bool operator==(const SeekAction&, const SeekAction&) = default;
};

// Seek(offset): from the current position by offset; before the start means the start, past the
// end of the song means the next song. Nothing without a seekable song. Any offset the bus can
// carry is taken: the sum saturates instead of wrapping round.
SeekAction PlanSeek(const PlayerState& state, int64_t offset_us);
// SetPosition(track, position): only for the current song and a position within it.
SeekAction PlanSetPosition(const PlayerState& state, std::string_view track_id,
                           int64_t position_us);

// The volume a Volume write asks for, held within 0.0 .. 1.0 (the player does not amplify);
// nothing for NaN or an infinity, which are refused.
std::optional<double> PlanVolume(double requested);

// The published Player properties whose values differ between two states, by their protocol
// names ("PlaybackStatus", "Metadata", "Volume", "CanGoNext", ...). The position is never among
// them: the desktop asks for it, and jumps are announced by the Seeked signal.
std::vector<std::string> ChangedProperties(const PlayerState& before, const PlayerState& after);

// Whether the position moved other than by playing on: between two looks `elapsed_us` apart a
// playing song advances by about that much, a paused or stopped one not at all. A difference of
// more than `tolerance_us` is a jump (a seek, a loop, a preview step). A change of song is not.
bool PositionJumped(const PlayerState& before, const PlayerState& after, int64_t elapsed_us,
                    int64_t tolerance_us);

// The protocol's name of a status: "Playing", "Paused", "Stopped".
const char* StatusName(Status status);

// A file's path as a file:// address: bytes other than unreserved characters and '/' are
// percent-encoded, so any file-system name (UTF-8 or not) survives.
std::string FileUrl(std::string_view path);
// The local path of an address given to OpenUri: a file:// address (percent-decoded, with an
// empty or "localhost" host) or an absolute path. Other schemes and relative paths are no path.
std::optional<std::string> LocalPath(std::string_view uri);

}  // namespace tarvel::mpris

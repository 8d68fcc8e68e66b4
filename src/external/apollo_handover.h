#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tarvel::external {

// Waits the given number of milliseconds (the real one blocks; tests record).
using Waiter = std::function<void(int ms)>;
Waiter RealWaiter();

enum class PlayCommand { Play, Pause };

// Hands the current song's file to Apollo: stop the track (11); then, resuming at a position,
// mute (20, 0), send the file, wait 400 ms for Apollo to open it, seek (18), pause when asked
// (13) and restore the volume; starting paused from the beginning: mute, send, pause, restore;
// otherwise just send the file. The volume is the main volume bar's position 0..771.
void HandOverFile(const std::string& path, int32_t position_ms, PlayCommand command,
                  int volume_position, const Waiter& wait = RealWaiter());

// Apollo's volume for a main volume bar position: p x 85 (0..65535).
constexpr int32_t ApolloVolume(int volume_position) {
    return volume_position * 85;
}

}  // namespace tarvel::external

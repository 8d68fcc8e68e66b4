#pragma once

#include "playlists/playlist.h"

namespace tarvel::playlists {

// What the playlist operations ask of the transport: starting the current song, stopping, and
// the engine polling timer (Timer1). The transport implements it; tests use a recording fake.
class TransportControl {
  public:
    virtual ~TransportControl() = default;
    // Starts row Current of the working copy at its PositionMs ("Pause": leaves it paused there).
    virtual void PlayCurrent(PlayCommand command) = 0;
    // Stops playback; with snapshot, takes an undo snapshot first.
    virtual void StopPlay(bool snapshot) = 0;
    // Switches the engine polling timer (Timer1) on or off.
    virtual void SetPollingTimer(bool on) = 0;
};

}  // namespace tarvel::playlists

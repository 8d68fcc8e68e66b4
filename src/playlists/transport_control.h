#pragma once

#include <string>

#include "playlists/playlist.h"

namespace tarvel::playlists {

// What the playlist operations ask of the transport: starting the current song, stopping, the
// engine polling timer (Timer1) and the title line. The transport implements it; tests use a
// recording fake.
class TransportControl {
  public:
    virtual ~TransportControl() = default;
    // Starts row Current of the working copy at its PositionMs ("Pause": leaves it paused there).
    virtual void PlayCurrent(PlayCommand command) = 0;
    // Stops playback; with snapshot, takes an undo snapshot first.
    virtual void StopPlay(bool snapshot) = 0;
    // Switches the engine polling timer (Timer1) off, or on again while a song that PlayCurrent
    // started is in play. A stopped player is never polled: its idle engine would read as a song
    // that has just ended.
    virtual void SetPollingTimer(bool on) = 0;
    // Shows the song and playlist times (after the totals changed).
    virtual void ShowTimes() = 0;
    // Sets the scrolling title line (TitleText), e.g. kIdleTitle at the end of the playlist.
    virtual void SetTitleText(const std::string& text) = 0;
};

}  // namespace tarvel::playlists

#pragma once

#include "platform/mpris/media_player.h"
#include "playlists/playlist.h"

// How the desktop's media controls see the player: the working playlist's current song and play
// state and the volume bar, in the protocol's terms.
namespace tarvel::shell {

// The volume bar (0..771) as 0.0..1.0, and back: rounded to the nearest step, held within the bar.
double MprisVolume(int bar_position);
int VolumeBarPosition(double volume);

// The current row (when Current names one) as the song, its Windows-1251 texts in UTF-8, its
// duration in microseconds and its file as a file:// address (none for a CD track); the play
// state as Playing, Paused or Stopped (always Stopped without a current row); what the buttons
// can do now; the position in microseconds.
mpris::PlayerState MprisState(const playlists::TMasPLayList& work, int volume_bar);

}  // namespace tarvel::shell

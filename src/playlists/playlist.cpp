#include "playlists/playlist.h"

namespace tarvel::playlists {

const char* CommandWord(PlayCommand command) {
    return command == PlayCommand::Play ? "Play" : "Pause";
}

}  // namespace tarvel::playlists

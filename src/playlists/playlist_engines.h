#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel::playlists {

// What the playlist rules ask of the sound engines and the external player: stopping the FMOD
// engine when the CD playlist is left, the lengths of the disc's tracks, commands to Apollo and
// its CD plug-in. The main window connects these to the FMOD engine and the external-player
// control; tests use a recording fake.
class PlaylistEngines {
  public:
    virtual ~PlaylistEngines() = default;
    // FmodStop of the FMOD engine for the entry kind ("CD" for audio-CD tracks).
    virtual void FmodStop(const std::string& kind) = 0;
    // The lengths in ms of the tracks of the disc in CdDrive, in track order
    // (FmodGetCDTrackLengths).
    virtual std::vector<int32_t> CdTrackLengths() = 0;
    // A command to Apollo; its result, 0 when Apollo does not run.
    virtual int32_t ApolloCommand(int32_t number, int32_t value) = 0;
    // While the CD playlist is shown and Apollo is the engine: makes sure Apollo's CD plug-in is
    // installed (EnsureCdReaderPlugin without the rebuild, which the playlists do themselves).
    virtual void EnsureCdReaderPlugin() = 0;
};

}  // namespace tarvel::playlists

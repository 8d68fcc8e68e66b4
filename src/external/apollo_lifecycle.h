#pragma once

#include <functional>
#include <string>

#include "external/apollo_handover.h"

namespace tarvel::system {
class SystemServices;
}

namespace tarvel::external {

// At start-up with Apollo chosen: start Apollo minimised when no Apollo window exists and a
// command line for it is set (not "None"); then hide the Apollo window, so the program's own
// window stays the only visible player.
void StartApolloAtStartup(system::SystemServices& services, const std::string& path_to_apollo);

// The Apollo plug-in that plays audio-CD tracks: installed as <folder of Apollo>/Plug-ins/
// CDReader.dll from the copy the program keeps in <AppDir>/ForApollo/CDReader.dll.
std::string CdReaderPluginPath(const std::string& path_to_apollo);

struct CdPluginContext {
    bool cd_playlist_shown = false;  // the CD playlist is the shown one
    bool apollo_chosen = false;      // Apollo is the engine
    std::string path_to_apollo;
    std::string app_dir;
    system::SystemServices* services = nullptr;
    Waiter wait = RealWaiter();
    std::function<void()> rebuild_cd_playlist;  // reads the disc into the CD playlist
};

// While the CD playlist is shown: when Apollo is the engine and its CD plug-in is missing, stop
// and close Apollo, install the plug-in and start Apollo again (minimised, then hidden); then,
// with rebuild, read the disc into the CD playlist.
void EnsureCdReaderPlugin(bool rebuild, const CdPluginContext& context);

// The equalizer button with Apollo chosen: close Apollo's equalizer window (Escape), ask Apollo
// to open it again ("e") and show it on top of other windows.
void OpenApolloEqualizer();

}  // namespace tarvel::external

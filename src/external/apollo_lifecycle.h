#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "external/apollo_handover.h"

namespace tarvel::system {
class SystemServices;
}

namespace tarvel::external {

// The starts of Apollo this program made. A started program takes a moment to open its window;
// until it does, a file handed over would go nowhere. Whoever hands a file over asks whether a
// window is still to come, and tells when it has found one.
class ApolloStarts {
  public:
    // How long the window of a started Apollo is waited for.
    static constexpr int64_t kWindowWaitMs = 5000;
    // Milliseconds of a steady clock (the real one, or a test's).
    using Clock = std::function<int64_t()>;
    static Clock SteadyClock();

    explicit ApolloStarts(Clock clock = SteadyClock()) : clock_(std::move(clock)) {}

    // Apollo was started; with hide, its window is hidden once it has opened.
    void Started(bool hide);
    // A start was made less than kWindowWaitMs ago and its window has not been found yet.
    bool WindowAwaited() const;
    // The Apollo window was found: hides it when the start asked for that, and forgets the start.
    void WindowFound();

  private:
    Clock clock_;
    bool pending_ = false;
    bool hide_ = false;
    int64_t started_ms_ = 0;
};

// At start-up with Apollo chosen: start Apollo minimised when no Apollo window exists and a
// command line for it is set (not "None"); then hide the Apollo window, so the program's own
// window stays the only visible player. A window that is not open yet is hidden when it is found
// (starts).
void StartApolloAtStartup(system::SystemServices& services, const std::string& path_to_apollo,
                          ApolloStarts* starts = nullptr);

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
    ApolloStarts* starts = nullptr;             // told of the restart
};

// While the CD playlist is shown: when Apollo is the engine and its CD plug-in is missing, stop
// and close Apollo, install the plug-in and start Apollo again (minimised, then hidden); then,
// with rebuild, read the disc into the CD playlist.
void EnsureCdReaderPlugin(bool rebuild, const CdPluginContext& context);

// The equalizer button with Apollo chosen: close Apollo's equalizer window (Escape), ask Apollo
// to open it again ("e") and show it on top of other windows.
void OpenApolloEqualizer();

}  // namespace tarvel::external

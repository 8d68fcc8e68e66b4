#pragma once

#include <string>

#include "config/config_links.h"
#include "config/settings.h"
#include "external/apollo_lifecycle.h"
#include "playlists/playlist_engines.h"

namespace tarvel::audio {
class FmodEngine;
}
namespace tarvel::system {
class SystemServices;
}

namespace tarvel::shell {

class PlayerCommands;

// What the playlists ask of the engines: the FMOD engine (once its window exists) and the
// external player.
class ShellEngines : public playlists::PlaylistEngines {
  public:
    ShellEngines(system::SystemServices& services, config::Settings& settings, std::string app_dir);

    audio::FmodEngine* fmod = nullptr;
    // The external player's starts made by the program, whose windows a hand-over waits for.
    external::ApolloStarts apollo_starts;

    void FmodStop(const std::string& kind) override;
    std::vector<int32_t> CdTrackLengths() override;
    int32_t ApolloCommand(int32_t number, int32_t value) override;
    void EnsureCdReaderPlugin() override;

    system::SystemServices& Services() { return services_; }

  private:
    system::SystemServices& services_;
    config::Settings& settings_;
    std::string app_dir_;
};

// What reading and writing the settings reach: the FMOD volume, the external player, the library
// builder of a first run (the run's own operation, inside its error boundary).
class ShellLinks : public config::ConfigLinks {
  public:
    ShellLinks(ShellEngines& engines, PlayerCommands& commands)
        : engines_(engines), commands_(commands) {}

    void SetFmodVolume(int volume) override;
    void ApolloCommand(int command, int value) override;
    void OpenLibraryBuilder() override;
    void ReportError(const std::string& text) override;
    void Note(const std::string& text) override;

    ShellEngines& Engines() { return engines_; }

  private:
    ShellEngines& engines_;
    PlayerCommands& commands_;
};

}  // namespace tarvel::shell

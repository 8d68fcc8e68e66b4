#include "shell/shell_links.h"

#include <cstdio>

#include "audio/fmod_engine.h"
#include "external/apollo_command.h"
#include "external/apollo_lifecycle.h"
#include "platform/system/system_services.h"
#include "shell/player_commands.h"

namespace tarvel::shell {

ShellEngines::ShellEngines(system::SystemServices& services, config::Settings& settings,
                           std::string app_dir)
    : services_(services), settings_(settings), app_dir_(std::move(app_dir)) {}

void ShellEngines::FmodStop(const std::string& kind) {
    if (fmod != nullptr) {
        fmod->FmodStop(kind);
    }
}

std::vector<int32_t> ShellEngines::CdTrackLengths() {
    std::vector<int32_t> lengths;
    if (fmod != nullptr) {
        fmod->FmodGetCDTrackLengths(lengths);
    }
    return lengths;
}

int32_t ShellEngines::ApolloCommand(int32_t number, int32_t value) {
    return external::ApolloCommand(number, value);
}

void ShellEngines::EnsureCdReaderPlugin() {
    external::CdPluginContext context;
    context.cd_playlist_shown = settings_.ShownPlaylist() == config::Playlist::CD;
    context.apollo_chosen = settings_.Checked(config::Item::Apollo);
    context.path_to_apollo = settings_.PathToApollo;
    context.app_dir = app_dir_;
    context.services = &services_;
    context.starts = &apollo_starts;
    external::EnsureCdReaderPlugin(false, context);
}

void ShellLinks::SetFmodVolume(int volume) {
    if (engines_.fmod != nullptr) {
        engines_.fmod->FmodSetVolume("", volume);
    }
}

void ShellLinks::ApolloCommand(int command, int value) {
    engines_.ApolloCommand(command, value);
}

void ShellLinks::OpenLibraryBuilder() {
    commands_.ClearLibraryAndAddFiles();
}

void ShellLinks::ReportError(const std::string& text) {
    system::ReportError(engines_.Services(), text);
}

void ShellLinks::Note(const std::string& text) {
    std::fprintf(stderr, "tarvel: %s\n", text.c_str());
}

}  // namespace tarvel::shell

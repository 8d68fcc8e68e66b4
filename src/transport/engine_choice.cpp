// The menu items that choose how songs play: the internal engines FMOD and BASS, the external
// player, and quick play.

#include "audio/bass_engine.h"
#include "audio/fmod_engine.h"
#include "config/config_files.h"
#include "external/apollo_command.h"
#include "external/apollo_lifecycle.h"
#include "platform/fs/file_ops.h"
#include "platform/system/system_services.h"
#include "playlists/playlist_model.h"
#include "transport/transport.h"

namespace tarvel::transport {

using config::Item;

void Transport::LeaveEngine(bool stop_bass, bool stop_fmod) {
    if (stop_bass && Checked(Item::mBass)) {
        links_.bass->Stop();
    }
    if (stop_fmod && Checked(Item::mFmod)) {
        StopFmod();
    }
    if (Checked(Item::Apollo)) {
        external::ApolloCommand(external::kApolloStopTrack, 0);
    }
}

void Transport::mFmodClick() {
    LeaveEngine(true, false);
    links_.settings->Check(Item::mFmod);
    PlayCurrent(playlists::PlayCommand::Play);
}

void Transport::mBassClick() {
    LeaveEngine(false, true);
    links_.settings->Check(Item::mBass);
    PlayCurrent(playlists::PlayCommand::Play);
}

void Transport::Enabled1Click() {
    config::Settings& settings = *links_.settings;
    if (settings.Checked(Item::Enabled1)) {
        settings.Uncheck(Item::Enabled1);
        return;
    }
    playlists::TMasPLayList& w = Work();
    if (w.Count == 0) {
        return;
    }
    w.QuickStage = 1;
    links_.playlists->ResetSongProgress();
    settings.Check(Item::Enabled1);
    ClearAbMarks();
    w.Previous = w.Current;
    w.Current = 1;
    PlayCurrent(playlists::PlayCommand::Play);
}

void Transport::ApolloClick() {
    config::Settings& settings = *links_.settings;
    const std::string path = settings.PathToApollo;
    if (path == "None") {
        // No external player is known: the first-run files are written again and BASS becomes
        // the engine. A song playing on FMOD goes on on BASS, as the engine switch does, so that
        // the engine that sounds is the one that is polled.
        const bool was_fmod = Checked(Item::mFmod);
        links_.config_files->WriteFirstRunFiles();
        if (was_fmod) {
            StopFmod();
            SetModuleTimer(false);
            PlayCurrent(playlists::PlayCommand::Play);
        }
        return;
    }
    if (!fs::FileExists(path)) {
        return;
    }
    if (!external::ApolloRunning()) {
        links_.services->StartProgram(path, system::kShowRestore);
        if (links_.apollo_starts != nullptr) {
            links_.apollo_starts->Started(false);
        }
    }
    if (Checked(Item::mBass)) {
        links_.bass->Stop();
    }
    if (Checked(Item::mFmod)) {
        StopFmod();
    }
    settings.Check(Item::Apollo);
    external::CdPluginContext context;
    context.cd_playlist_shown = settings.ShownPlaylist() == config::Playlist::CD;
    context.apollo_chosen = true;
    context.path_to_apollo = path;
    context.app_dir = links_.app_dir;
    context.services = links_.services;
    context.wait = links_.wait;
    context.starts = links_.apollo_starts;
    external::EnsureCdReaderPlugin(false, context);
    PlayCurrent(playlists::PlayCommand::Play);
}

}  // namespace tarvel::transport

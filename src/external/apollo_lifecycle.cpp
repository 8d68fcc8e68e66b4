#include "external/apollo_lifecycle.h"

#include <chrono>
#include <cstdio>

#include "external/apollo_command.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/system/system_services.h"
#include "platform/winmsg/client.h"

namespace tarvel::external {
namespace {

// Virtual-key codes and scan codes of the keys the equalizer button sends.
constexpr int64_t kVkEscape = 0x1B;
constexpr int64_t kScanEscape = 0x01;
constexpr int64_t kVkE = 0x45;
// The scan code of the value 101 (the character "e") taken as a virtual key (the keypad's 5).
constexpr int64_t kScanOf101 = 0x4C;

constexpr const char* kNone = "None";

}  // namespace

ApolloStarts::Clock ApolloStarts::SteadyClock() {
    return [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

void ApolloStarts::Started(bool hide) {
    pending_ = true;
    hide_ = hide;
    started_ms_ = clock_();
}

bool ApolloStarts::WindowAwaited() const {
    return pending_ && clock_() - started_ms_ < kWindowWaitMs;
}

void ApolloStarts::WindowFound() {
    if (pending_ && hide_) {
        HideApollo();
    }
    pending_ = false;
}

void StartApolloAtStartup(system::SystemServices& services, const std::string& path_to_apollo,
                          ApolloStarts* starts) {
    if (!ApolloRunning() && path_to_apollo != kNone) {
        services.StartProgram(path_to_apollo, system::kShowMinimized);
        if (starts != nullptr) {
            starts->Started(true);
        }
    }
    HideApollo();
}

std::string CdReaderPluginPath(const std::string& path_to_apollo) {
    return fs::JoinPath(fs::FolderOf(path_to_apollo), "Plug-ins/CDReader.dll");
}

void EnsureCdReaderPlugin(bool rebuild, const CdPluginContext& context) {
    if (!context.cd_playlist_shown) {
        return;
    }
    const std::string plugin = CdReaderPluginPath(context.path_to_apollo);
    if (context.apollo_chosen && !fs::FileExists(plugin)) {
        ApolloCommand(kApolloStop, 0);
        CloseApollo();
        try {
            fs::CreateDirectories(fs::FolderOf(plugin));
            fs::CopyFile(fs::JoinPath(context.app_dir, "ForApollo/CDReader.dll"), plugin);
        } catch (const AppError& e) {
            // Apollo is started again all the same; it just cannot play CD tracks.
            std::fprintf(stderr, "tarvel: %s\n", e.what());
        }
        context.wait(300);
        context.services->StartProgram(context.path_to_apollo, system::kShowMinimized);
        if (context.starts != nullptr) {
            context.starts->Started(true);
        }
        HideApollo();
    }
    if (rebuild && context.rebuild_cd_playlist) {
        context.rebuild_cd_playlist();
    }
}

void OpenApolloEqualizer() {
    if (const auto equalizer = winmsg::FindWindowByTitle(kApolloEqualizerTitle)) {
        winmsg::PostMessage(*equalizer, winmsg::WM_KEYDOWN, kVkEscape, kScanEscape);
    }
    if (const auto apollo = winmsg::FindWindowByClass(kApolloClass)) {
        winmsg::PostMessage(*apollo, winmsg::WM_KEYDOWN, kVkE, kScanOf101);
    }
    if (const auto equalizer = winmsg::FindWindowByTitle(kApolloEqualizerTitle)) {
        winmsg::ShowWindow(*equalizer, winmsg::SW_SHOW);
        winmsg::SetTopmost(*equalizer, true);
    }
}

}  // namespace tarvel::external

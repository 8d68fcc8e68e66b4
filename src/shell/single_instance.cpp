#include "shell/single_instance.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/error/app_error.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/endpoint_folder.h"
#include "platform/winmsg/wire.h"
#include "shell/open_files.h"
#include "shell/player_commands.h"

namespace tarvel::shell {
namespace {

using Clock = std::chrono::steady_clock;

// The claim's name, the window that takes files from later starts, and the copy-data kind of a
// file list.
constexpr const char* kClaimName = "tarvel";
constexpr const char* kFilesClass = "TarvelFiles";
constexpr int32_t kFileListKind = 1;
// How often a later start looks again for a player that is getting ready.
constexpr auto kRetryPause = std::chrono::milliseconds(25);

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 1 ? static_cast<int>(left) : 1;
}

// Hands the files from *handed on to the running player, in lists the endpoint takes. True when
// the player took them all; *handed counts those it took, so a retry does not send them twice.
bool HandOver(const std::vector<std::string>& files, size_t* handed, Clock::time_point deadline) {
    const std::optional<winmsg::WindowHandle> window = winmsg::FindWindowByClass(kFilesClass);
    if (!window) {
        return false;
    }
    while (*handed < files.size()) {
        size_t end = *handed + 1;
        size_t bytes = files[*handed].size() + 1;
        while (end < files.size() && bytes + files[end].size() + 1 <= winmsg::wire::kMaxData) {
            bytes += files[end++].size() + 1;
        }
        const std::vector<std::string> part(files.begin() + static_cast<long>(*handed),
                                            files.begin() + static_cast<long>(end));
        bool delivered = false;
        const int32_t taken =
            winmsg::Deliver(window->endpoint,
                            winmsg::Incoming{winmsg::Op::CopyData, winmsg::WM_COPYDATA, 0, 0,
                                             kFileListKind, JoinPaths(part)},
                            &delivered, MsLeft(deadline));
        if (!delivered || taken != 1) {
            return false;
        }
        *handed = end;
    }
    return true;
}

InstanceStart Player(std::unique_ptr<winmsg::InstanceClaim> claim) {
    InstanceStart start;
    start.player = true;
    start.claim = std::move(claim);
    if (start.claim) {
        try {
            start.files_endpoint.emplace(kFilesClass, "Tarvel");
        } catch (const AppError& e) {
            std::fprintf(stderr, "tarvel: %s; later starts cannot hand their files over\n",
                         e.what());
        }
    }
    return start;
}

}  // namespace

InstanceStart ClaimInstance(const std::vector<std::string>& files) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kHandOverWaitMs);
    size_t handed = 0;
    for (;;) {
        try {
            const std::string folder = winmsg::EndpointFolder();
            winmsg::CheckEndpointFolder(folder);
            if (auto claim = winmsg::InstanceClaim::TryClaim(folder, kClaimName)) {
                return Player(std::move(claim));
            }
        } catch (const AppError& e) {
            std::fprintf(stderr, "tarvel: %s; this start runs without looking for another\n",
                         e.what());
            return Player(nullptr);
        }
        // Another start holds the claim: it is the player, or about to be.
        if (files.empty() || HandOver(files, &handed, deadline)) {
            return InstanceStart{};
        }
        if (Clock::now() >= deadline) {
            std::fprintf(stderr,
                         "tarvel: Tarvel runs already but did not take the files within %d s; "
                         "%zu of %zu were not added\n",
                         kHandOverWaitMs / 1000, files.size() - handed, files.size());
            InstanceStart failed;
            failed.exit_code = 1;
            return failed;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

FileInbox::FileInbox(std::optional<winmsg::EndpointListener> endpoint) {
    if (!endpoint) {
        return;
    }
    endpoint_ = std::make_unique<winmsg::WindowEndpoint>(
        std::move(*endpoint), [this](const winmsg::Incoming& message) -> int32_t {
            if (message.op != winmsg::Op::CopyData || message.kind != kFileListKind) {
                return 0;
            }
            const std::vector<std::string> paths = SplitPaths(message.data);
            if (commands_ != nullptr) {
                commands_->OpenFiles(paths);
            } else {
                waiting_.insert(waiting_.end(), paths.begin(), paths.end());
            }
            return 1;
        });
}

FileInbox::~FileInbox() = default;

void FileInbox::Open(PlayerCommands& commands, const std::vector<std::string>& own_files) {
    std::vector<std::string> files = own_files;
    files.insert(files.end(), waiting_.begin(), waiting_.end());
    waiting_.clear();
    commands_ = &commands;
    if (!files.empty()) {
        commands.OpenFiles(files);
    }
}

}  // namespace tarvel::shell

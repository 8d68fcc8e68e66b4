#include "playlists/playlist_copy.h"

#include <memory>
#include <utility>

#include "config/settings.h"
#include "library/progress_display.h"
#include "library/scanner.h"
#include "platform/system/system_services.h"

namespace tarvel::playlists {

PlaylistCopy::PlaylistCopy(config::Settings& settings, system::SystemServices& services,
                           library::ProgressDisplay& progress, library::ScanRunner* runner)
    : settings_(settings),
      services_(services),
      progress_(progress),
      runner_(runner != nullptr ? runner : &inline_runner_) {}

void PlaylistCopy::MSetPathClick() {
    const std::optional<std::string> folder = services_.ChooseFolder(library::kChooseFolderCaption);
    if (folder && !folder->empty()) {
        settings_.PachToCopyDir = *folder;
    }
    settings_.UpdateCopyDirCaption();
    progress_.RepaintWindow();
}

std::string PlaylistCopy::CopyFolder() {
    if (settings_.PachToCopyDir.empty()) {
        services_.MessageBox("Tarvel", "Не задан путь", system::Buttons::Ok, system::Icon::None);
        MSetPathClick();
    }
    // A cancelled choice leaves no folder: the copy stops rather than writing to the root.
    return settings_.PachToCopyDir;
}

void PlaylistCopy::StartCopy(std::function<int(const std::string& folder)> copy) {
    if (runner_->Busy()) {
        system::ReportError(services_, library::kBusyText);
        return;
    }
    const std::string folder = CopyFolder();
    if (folder.empty()) {
        copied_ = 0;
        return;
    }
    auto copied = std::make_shared<int>(0);
    runner_->Run([copy = std::move(copy), folder, copied] { *copied = copy(folder); },
                 [this, copied](const std::string& error) {
                     copied_ = *copied;
                     if (!error.empty()) {
                         system::ReportError(services_, error);
                     }
                 });
}

void PlaylistCopy::MCopyClick(const TPlist& list) {
    StartCopy(
        [this, list](const std::string& folder) { return FlatCopy(list, folder, progress_); });
}

void PlaylistCopy::Copy1Click(const TPlist& list) {
    StartCopy([this, list, options = options](const std::string& folder) {
        return SpecialCopy(list, folder, options, progress_);
    });
}

}  // namespace tarvel::playlists

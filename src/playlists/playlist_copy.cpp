#include "playlists/playlist_copy.h"

#include "config/settings.h"
#include "library/progress_display.h"
#include "library/scanner.h"
#include "platform/system/system_services.h"

namespace tarvel::playlists {

PlaylistCopy::PlaylistCopy(config::Settings& settings, system::SystemServices& services,
                           library::ProgressDisplay& progress)
    : settings_(settings), services_(services), progress_(progress) {}

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

int PlaylistCopy::MCopyClick(const TPlist& list) {
    const std::string folder = CopyFolder();
    return folder.empty() ? 0 : FlatCopy(list, folder, progress_);
}

int PlaylistCopy::Copy1Click(const TPlist& list) {
    const std::string folder = CopyFolder();
    return folder.empty() ? 0 : SpecialCopy(list, folder, options, progress_);
}

}  // namespace tarvel::playlists

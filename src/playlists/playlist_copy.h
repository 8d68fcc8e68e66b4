#pragma once

#include "library/scan_runner.h"
#include "playlists/playlist_export.h"

namespace tarvel::config {
class Settings;
}
namespace tarvel::system {
class SystemServices;
}

namespace tarvel::playlists {

// The copy items of the playlist menu: choosing the copy folder (PachToCopyDir, shown in the
// caption of MSetPath), the flat copy and the special copy with its naming options. A copy runs
// through the runner (on a worker thread in the player) on the rows as they were when it began;
// one asked for while the runner is busy is refused with a word.
class PlaylistCopy {
  public:
    PlaylistCopy(config::Settings& settings, system::SystemServices& services,
                 library::ProgressDisplay& progress, library::ScanRunner* runner = nullptr);

    // The radio items of the special copy's Options (groups 6 and 7); not saved.
    ExportOptions options;

    // MSetPathClick: asks for the copy folder; a cancelled choice keeps the folder there was.
    void MSetPathClick();
    // MCopyClick: every row's file into the copy folder.
    void MCopyClick(const TPlist& list);
    // Copy1Click: the special copy into artist and album folders.
    void Copy1Click(const TPlist& list);
    // The number of files the last copy that ended copied.
    int Copied() const { return copied_; }

  private:
    // Runs a copy into the copy folder (asked for when none is set).
    void StartCopy(std::function<int(const std::string& folder)> copy);
    // The copy folder; when none is set, says so and asks for one. Empty when none was chosen.
    std::string CopyFolder();

    config::Settings& settings_;
    system::SystemServices& services_;
    library::ProgressDisplay& progress_;
    library::InlineScanRunner inline_runner_;
    library::ScanRunner* runner_;
    int copied_ = 0;
};

}  // namespace tarvel::playlists

#pragma once

#include "playlists/playlist_export.h"

namespace tarvel::config {
class Settings;
}
namespace tarvel::system {
class SystemServices;
}

namespace tarvel::playlists {

// The copy items of the playlist menu: choosing the copy folder (PachToCopyDir, shown in the
// caption of MSetPath), the flat copy and the special copy with its naming options.
class PlaylistCopy {
  public:
    PlaylistCopy(config::Settings& settings, system::SystemServices& services,
                 library::ProgressDisplay& progress);

    // The radio items of the special copy's Options (groups 6 and 7); not saved.
    ExportOptions options;

    // MSetPathClick: asks for the copy folder; a cancelled choice keeps the folder there was.
    void MSetPathClick();
    // MCopyClick: every row's file into the copy folder. Returns the number of files copied.
    int MCopyClick(const TPlist& list);
    // Copy1Click: the special copy into artist and album folders. Returns the files copied.
    int Copy1Click(const TPlist& list);

  private:
    // The copy folder; when none is set, says so and asks for one. Empty when none was chosen.
    std::string CopyFolder();

    config::Settings& settings_;
    system::SystemServices& services_;
    library::ProgressDisplay& progress_;
};

}  // namespace tarvel::playlists

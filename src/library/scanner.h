#pragma once

#include <string>
#include <vector>

#include "library/artist_list.h"
#include "library/library_build.h"
#include "library/library_store.h"
#include "library/progress_display.h"
#include "library/scan_report.h"
#include "library/song_reader.h"
#include "platform/system/system_services.h"

namespace tarvel::library {

// The caption of the folder dialog of "Add Files" (the playlist export asks with it too).
inline constexpr const char* kChooseFolderCaption = "Укажите путь к вашим музыкальным файлам";

// The library scanner: turns music files into library files. A full scan makes a new library
// of every file given (sorted by path); an adding scan adds to the library the files its path
// list does not hold yet. Each writes one song record per file to the artist's file and to
// allsong.tft, one artist index line per new artist, and the path list. The new library is built
// beside the old one and replaces it only when the scan ends (LibraryBuild): a failing library
// file throws AppError, which ends the scan with the library as it was, and so does a stop asked
// for through report() (ScanAbandoned). A scan may run on a thread of its own: it uses only its
// own readers, its display and the library folder.
class TegScan {
  public:
    TegScan(TagReaders& readers, ProgressDisplay& display, system::SystemServices& services);

    // The folder chosen in the platform dialog, or empty text when it was cancelled.
    std::string ChooseFolder();

    // The music files of a folder chosen before (the report notes what was passed over).
    std::vector<std::string> FindFiles(const std::string& folder);

    // With an empty list, nothing is written. A full scan replaces the library's files; one
    // that finds no file leaves the library as it was.
    void FullScan(const std::string& app_dir, std::vector<std::string> files);
    void AddingScan(const std::string& app_dir, std::vector<std::string> files);

    // Appends the record of one file (and, for a new artist, its index line) to the build. A
    // file of another format than MP3 that cannot be read as its format is passed over and
    // noted in the report: false then.
    bool ProcessFile(LibraryBuild& build, const std::string& path);

    ProgressDisplay& display() { return display_; }
    TagReaders& readers() { return readers_; }
    // What the current or last scan passed over and added; also where it is asked to stop.
    ScanReport& report() { return report_; }

    // The artists met by the current scan.
    const ArtistList& artists() const { return artists_; }

  private:
    TagReaders& readers_;
    ProgressDisplay& display_;
    system::SystemServices& services_;
    ArtistList artists_;
    ScanReport report_;
};

}  // namespace tarvel::library

#pragma once

#include <string>
#include <vector>

#include "library/artist_list.h"
#include "library/library_store.h"
#include "library/progress_display.h"
#include "library/song_reader.h"
#include "platform/system/system_services.h"

namespace tarvel::library {

// The caption of the folder dialog of "Add Files" (the playlist export asks with it too).
inline constexpr const char* kChooseFolderCaption = "Укажите путь к вашим музыкальным файлам";

// The library scanner: turns music files into library files. A full scan assumes an empty
// library and writes every file given (sorted by path); an adding scan writes only the files the
// path list does not hold yet. Each writes one song record per file to the artist's file and to
// allsong.tft, one artist index line per new artist, and the path list. A failing library file
// throws AppError, which ends the scan; lines already written stay.
class TegScan {
  public:
    TegScan(TagReaders& readers, ProgressDisplay& display, system::SystemServices& services);

    // The folder chosen in the platform dialog, or empty text when it was cancelled.
    std::string ChooseFolder();
    // Folder choice, then the music files of the chosen folder (none when cancelled).
    std::vector<std::string> FindFiles();

    // With an empty list, the files are found first (folder choice and search).
    void FullScan(const std::string& app_dir, std::vector<std::string> files);
    void AddingScan(const std::string& app_dir, std::vector<std::string> files);
    // Deletes the files of the library folder (library files and playlists); failures are
    // ignored.
    void ClearLibrary(const std::string& app_dir);

    // Appends the record of one file (and, for a new artist, its index line).
    void ProcessFile(const LibraryStore& store, const std::string& path);

    ProgressDisplay& display() { return display_; }

    // The artists met by the current scan.
    const ArtistList& artists() const { return artists_; }

  private:
    TagReaders& readers_;
    ProgressDisplay& display_;
    system::SystemServices& services_;
    ArtistList artists_;
};

}  // namespace tarvel::library

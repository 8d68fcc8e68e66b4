#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "library/library_store.h"
#include "library/song_record.h"
#include "platform/fs/replace_set.h"

namespace tarvel::library {

// A new version of the library files, built beside the library while a scan runs and put in its
// place together when the scan ends (the path list last). Until then the library stays as it
// was, for the windows reading it and for a scan that is cut off by an error, a full disk or a
// kill: the next scan, or the next start, finds the library of the last scan that ended. The
// playlists and every other file of the library folder are left alone.
class LibraryBuild {
  public:
    enum class Start {
        Empty,        // the new library holds only what this build writes
        FromLibrary,  // the new library is the old one with this build's lines appended
    };

    LibraryBuild(const LibraryStore& store, Start start);

    // Carries out the last step of a build that a run did not finish, or drops a build that did
    // not reach it; called before the library is read at start-up.
    static void Recover(const LibraryStore& store);

    // The same appends as LibraryStore's, to the new version.
    void AppendSongRecord(const std::string& artist_file, const SongRecord& record);
    void AppendArtistIndexLine(const std::string& artist, const std::string& artist_file);
    // Puts the new version in place with the path list given. Throws AppError; a build that
    // failed or was never committed leaves the library unchanged.
    void Commit(const std::vector<std::string>& paths);

  private:
    void Append(const std::string& file, const std::string& line);
    void Flush();

    const LibraryStore& store_;
    Start start_;
    fs::ReplaceSet set_;
    std::set<std::string> staged_;                // files of the new version begun so far
    std::map<std::string, std::string> pending_;  // lines (UTF-8) not yet appended, by file
    size_t pending_bytes_ = 0;
};

}  // namespace tarvel::library

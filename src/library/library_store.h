#pragma once

#include <string>
#include <vector>

#include "library/song_record.h"

// The library files in the folder "sort" of the application folder:
//   allsong.tft    every song record, in the order the scanner processed the files;
//   Artist<N>.tft  the song records of artist N (N from 1, decimal);
//   ArtName.tan    the artist index, line k naming artist k and its file Artist<k>.tft;
//   path.tan       every path the library holds, sorted by bytes.
// Song files and the artist index are only appended to, one line at a time, each append opening
// and closing its file, so lines written stay even when a later step fails. Every failure throws
// AppError naming the file and the reason.
namespace tarvel::library {

inline constexpr const char* kSortFolderName = "sort";
inline constexpr const char* kAllSongFile = "allsong.tft";
inline constexpr const char* kArtistIndexFile = "ArtName.tan";
inline constexpr const char* kPathListFile = "path.tan";

// "Artist<N>.tft"
std::string ArtistFileName(int number);

class LibraryStore {
  public:
    // app_dir: the application folder, without a trailing separator.
    explicit LibraryStore(std::string app_dir);

    const std::string& app_dir() const { return app_dir_; }
    std::string SortFolder() const;
    // SortFolder() + "/" + name
    std::string FilePath(const std::string& name) const;

    // Creates the sort folder when it is missing.
    void EnsureSortFolder() const;

    // Appends the record to the artist file (created when missing), then to allsong.tft.
    void AppendSongRecord(const std::string& artist_file, const SongRecord& record) const;
    // Appends an artist index line to ArtName.tan (created when missing).
    void AppendArtistIndexLine(const std::string& artist, const std::string& artist_file) const;
    // Replaces path.tan with the paths, in the order given.
    void RewritePathList(const std::vector<std::string>& paths) const;
    // The lines of path.tan; a missing file is an error.
    std::vector<std::string> ReadPathList() const;
    bool ArtistIndexExists() const;
    // The artist names of ArtName.tan, line by line (the text before " endart ").
    std::vector<std::string> ReadArtistNames() const;
    // Fills rows 1.. of the table from ArtName.tan (cell 0 the name, cell 1 the artist file) and
    // sets the count. A missing index changes nothing and gives false.
    bool ReadArtistIndex(masTag& table, int& count) const;

  private:
    std::string app_dir_;
};

// Reads a song file into rows 1.. of the table, cells 0 to 10, growing the table in steps of
// 100 rows. A missing file gives count 0 and a table sized to `capacity`. Returns the count;
// `capacity` becomes the table's final capacity.
int ReadSongFile(const std::string& path, masTag& table, int& capacity);

// The artist file (cell 1) of the last row among 1..count whose artist (cell 0) equals the name
// byte for byte; empty when none does.
std::string ArtistFileOf(const masTag& table, int count, const std::string& name);

}  // namespace tarvel::library

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "playlists/playlist.h"

namespace tarvel::library {
class ProgressDisplay;
}

// Copying the working playlist's files to a folder: flat, or sorted into a folder per artist and
// one per album inside it with file names built from the tags (the export tree).
namespace tarvel::playlists {

// How an album's folder is named: "Albom" or "Year - Albom".
enum class FolderName { Album, YearAlbum };
// How a song's file is named: "Title", "№ - Title", "Artist - Title", "№ - Artist - Title"
// (which puts the artist before the number).
enum class FileName { Title, NumTitle, ArtistTitle, NumArtistTitle };

struct ExportOptions {
    FolderName folder = FolderName::YearAlbum;
    FileName file = FileName::NumTitle;
};

// One song of an album in the export tree.
struct ExportSong {
    std::string title;
    std::string file_name;  // without extension
    std::string track;      // two digits at least: "03", "12"
    std::string source;     // the song's path
};

struct TAlboms {
    std::string name;
    std::string folder;
    std::vector<ExportSong> songs;
};

struct TArtist {
    std::string name;
    std::string year;  // the year of the song that opened the artist's latest album
    std::vector<TAlboms> albums;
};

// Artists in order of first appearance in the playlist, each with its albums likewise; artists
// and albums are matched ignoring letter case, named after the first one met.
struct TMasDir {
    std::vector<TArtist> artists;
};

// The characters replaced by "," in the names of the export.
inline constexpr std::string_view kCleaningSet = "\"#$%&*./:;<>?@[\\]^`{|}~";

// The name with every character of the cleaning set replaced by "," and trimmed of leading and
// trailing spaces and control characters.
std::string CleanName(std::string_view name);

// The track text of a track cell: "0" put in front of a number below 10. A cell that is not a
// number counts as 0.
std::string TrackText(std::string_view cell);

// Pass 1: the tree of rows 1..Count, progress = rows done.
TMasDir BuildExportTree(const TPlist& list, const ExportOptions& options,
                        library::ProgressDisplay& progress);
// Pass 2: every artist, folder and file name cleaned, progress = songs done.
void CleanExportNames(TMasDir& tree, int count, library::ProgressDisplay& progress);
// Pass 3: the folders made and the files copied under folder; a folder that cannot be made and
// a file that cannot be copied are passed over. Returns the number of files copied.
int CopyExportTree(const TMasDir& tree, const std::string& folder, int count,
                   library::ProgressDisplay& progress);

// Flat copy: the file of every row into the folder under its own name, replacing what is there;
// a file that cannot be copied is passed over. Returns the number copied.
int FlatCopy(const TPlist& list, const std::string& folder, library::ProgressDisplay& progress);
// Special copy: the three passes. Returns the number of files copied.
int SpecialCopy(const TPlist& list, const std::string& folder, const ExportOptions& options,
                library::ProgressDisplay& progress);

}  // namespace tarvel::playlists

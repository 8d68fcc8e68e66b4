// Fills an application folder, copied from the installation tree, for the main window
// benchmarks as a returning user's: the settings files of a finished first run, a library of
// ARTISTS artists with SONGS songs each, written directly in the library's file formats (the artist
// index, one file per artist, allsong.tft and path.tan), and, when an MP3 is given, a PL1 playlist
// holding that song with a long title line so the title strip scrolls. The songs of the library
// need not exist: nothing at start-up opens them.
//
// Usage: tarvel-bench-shell-app-dir APP_DIR ARTISTS SONGS [MP3 SECONDS]

#include <fmt/format.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/config_files.h"
#include "library/library_store.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/text/cp1251.h"
#include "playlists/playlist_file.h"

namespace {

using namespace tarvel;

const char* const kLatinSyllables[] = {"Ka", "ro",  "Mel", "tis", "Jo", "van", "Sun", "de",
                                       "Ri", "ver", "Blu", "No",  "xa", "Pe",  "la",  "Zor"};
const char* const kCyrillicSyllables[] = {"Ки", "но",  "Ал", "иса", "Ак",  "ва",  "ри",  "ум",
                                          "Сп", "лин", "Ру", "сь",  "Гра", "жда", "нка", "Зе"};

// Every third artist is written in Cyrillic; the syllables spread the names over the alphabet.
std::string ArtistName(int artist) {
    const char* const* syllables = artist % 3 == 0 ? kCyrillicSyllables : kLatinSyllables;
    std::string name;
    for (int k = 0; k < 3; ++k) {
        name += syllables[(artist * 7 + k * 5 + artist / 16) % 16];
    }
    return text::Utf8ToCp1251(fmt::format("{} {}", name, artist));
}

library::SongRecord Song(const std::string& artist, int artist_number, int song,
                         const std::string& path) {
    library::SongRecord record;
    record[library::kArtist] = artist;
    record[library::kAlbum] = fmt::format("Album {}", song / 10 + 1);
    record[library::kTitle] = fmt::format("Song {} of artist {}", song + 1, artist_number);
    record[library::kYear] = std::to_string(1970 + artist_number % 50);
    record[library::kGenre] = "Rock";
    record[library::kTrack] = std::to_string(song % 10 + 1);
    record[library::kBitRate] = "192";
    record[library::kDuration] = std::to_string(180000 + (artist_number * 31 + song) % 120000);
    record[library::kSampleRate] = "44100";
    record[library::kChannelMode] = "Joint Stereo";
    record[library::kPath] = path;
    return record;
}

// Writes the lines with CR LF ends, the way the library files are written, but without the
// flush to disk of an atomic replace: ten thousand of those take a minute on a busy disk.
void WriteLinesFast(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        file << line << "\r\n";
    }
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

void WriteLibrary(const library::LibraryStore& store, int artists, int songs) {
    store.EnsureSortFolder();
    std::vector<std::string> index;
    std::vector<std::string> all_songs;
    std::vector<std::string> paths;
    for (int artist = 1; artist <= artists; ++artist) {
        const std::string name = ArtistName(artist);
        const std::string artist_file = library::ArtistFileName(artist);
        index.push_back(library::ArtistIndexLine(name, artist_file));
        std::vector<std::string> lines;
        for (int song = 0; song < songs; ++song) {
            const std::string path = fmt::format("/music/artist{:05}/album{}/track{:02}.mp3",
                                                 artist, song / 10 + 1, song % 10 + 1);
            lines.push_back(library::SongLine(Song(name, artist, song, path)));
            paths.push_back(path);
        }
        WriteLinesFast(store.FilePath(artist_file), lines);
        all_songs.insert(all_songs.end(), lines.begin(), lines.end());
    }
    std::sort(paths.begin(), paths.end());
    fs::WriteLines(store.FilePath(library::kArtistIndexFile), index);
    fs::WriteLines(store.FilePath(library::kAllSongFile), all_songs);
    store.RewritePathList(paths);
}

class NoLinks : public config::ConfigLinks {
  public:
    void SetFmodVolume(int) override {}
    void ApolloCommand(int, int) override {}
    void OpenLibraryBuilder() override {}
    void ReportError(const std::string&) override {}
    void Note(const std::string&) override {}
};

// The settings files a first run leaves behind: the first-run mark, conf.tcf made from the
// installed defaults (auto load and auto play) and the flat equalizer preset.
void WriteReturningUserSettings(const std::string& app_dir) {
    config::Settings settings;
    config::EqGains gains{};
    NoLinks links;
    config::ConfigFiles files(app_dir, settings, gains, links);
    files.ReadConfig("conf.tcf");
    files.WriteFirstRunFiles();
}

void WritePlaylist(const library::LibraryStore& store, const std::string& mp3, int seconds) {
    playlists::TPlayMasiv playlist;
    playlists::TMasPLayList& work = playlist.Work;
    work.Rows.assign(3, std::vector<std::string>(library::kCellsPerRow));
    const library::SongRecord record = Song("The Long Named Orchestra of the Benchmark", 0, 0, mp3);
    std::copy(record.begin(), record.end(), work.Rows[1].begin());
    work.Rows[1][library::kTitle] = "A Title Long Enough to Scroll Across the Strip";
    work.Rows[1][library::kDuration] = std::to_string(seconds * 1000);
    work.Count = 1;
    work.Current = 1;
    playlists::WritePlaylistFile(
        playlist, playlists::StandardPlaylistPath(store.app_dir(), config::Playlist::PL1));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 6) {
        std::fprintf(stderr,
                     "usage: tarvel-bench-shell-app-dir APP_DIR ARTISTS SONGS [MP3 SECONDS]\n");
        return 2;
    }
    try {
        const library::LibraryStore store(argv[1]);
        WriteReturningUserSettings(argv[1]);
        WriteLibrary(store, std::stoi(argv[2]), std::stoi(argv[3]));
        if (argc == 6) {
            WritePlaylist(store, argv[4], std::stoi(argv[5]));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvel-bench-shell-app-dir: %s\n", e.what());
        return 1;
    }
    return 0;
}

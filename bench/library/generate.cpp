// Writes N small MP3 files for the library scan benchmark: both tag versions, a few hundred
// artists (a third with Cyrillic names, some spelled in two letter cases), nested folders
// artist/album/track, and a short 128 kbit/s stream.
//
// Usage: tarvel-bench-library-gen FOLDER N [ARTISTS [BIG]]
//   ARTISTS  how many artists share the files (default 300), one file each in turn;
//   BIG      the first BIG files all go to artist 0, so one artist has many songs (default 0).

#include <fmt/format.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "library/mp3_bytes.h"
#include "platform/fs/file_ops.h"
#include "platform/text/cp1251.h"

namespace {

using namespace tarvel;
using namespace tarvel::testing;

constexpr int kDefaultArtists = 300;
constexpr int kAlbumsPerArtist = 4;

const char* const kCyrillicSyllables[] = {"Ки", "но",  "Ал", "иса", "Ак",  "ва",  "ри", "ум",
                                          "Сп", "лин", "Ру", "сь",  "Гра", "жда", "нка"};

// The artist's name in UTF-8.
std::string ArtistName(int artist) {
    if (artist % 3 == 0) {
        std::string name;
        for (int k = 0; k < 3; ++k) {
            name += kCyrillicSyllables[(artist * 7 + k * 5) % std::size(kCyrillicSyllables)];
        }
        return fmt::format("{} {}", name, artist);
    }
    return fmt::format("Artist {:03}", artist);
}

std::u16string Utf16Of(const std::string& utf8) {
    std::u16string out;
    for (char c : text::Utf8ToCp1251(utf8)) {
        out += static_cast<char16_t>(text::DecodeByte(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Song(const std::string& artist, const std::string& album, const std::string& title,
                 int track, int year) {
    const std::string frames =
        Frame("TPE1", Utf16(Utf16Of(artist))) + Frame("TIT2", Utf16(Utf16Of(title))) +
        Frame("TALB", Latin1(text::Utf8ToCp1251(album))) +
        Frame("TRCK", Latin1(std::to_string(track))) + Frame("TYER", Latin1(std::to_string(year)));
    return Id3v2(3, frames, 64) + AudioFrames(FrameKind{}, 417, 8) +
           Id3v1(text::Utf8ToCp1251(title), text::Utf8ToCp1251(artist), text::Utf8ToCp1251(album),
                 std::to_string(year), track);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: tarvel-bench-library-gen FOLDER N [ARTISTS [BIG]]\n");
        return 2;
    }
    const std::string root = argv[1];
    const int count = std::stoi(argv[2]);
    const int artists = argc > 3 ? std::stoi(argv[3]) : kDefaultArtists;
    const int big = argc > 4 ? std::stoi(argv[4]) : 0;
    for (int i = 0; i < count; ++i) {
        const int artist = i < big ? 0 : i % artists;
        const int album = i / artists % kAlbumsPerArtist;
        std::string name = ArtistName(artist);
        if (artist % 3 != 0 && artist % 10 == 1 && i / artists % 2 == 1) {
            name = fmt::format("ARTIST {:03}", artist);  // the same artist in capitals
        }
        const std::string album_name = fmt::format("Album {}", album + 1);
        const int track = i / (artists * kAlbumsPerArtist) + 1;
        const std::string title = fmt::format("Song {} of {}", i, name);
        const std::string folder = fs::JoinPath(fs::JoinPath(root, ArtistName(artist)), album_name);
        const std::string path = fs::JoinPath(folder, fmt::format("{:05} {}.mp3", i, title));
        fs::CreateDirectories(folder);
        std::ofstream(path, std::ios::binary)
            << Song(name, album_name, title, track, 1960 + i % 60);
    }
    std::printf("%d files in %s\n", count, root.c_str());
    return 0;
}

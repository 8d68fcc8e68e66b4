#include "playlists/playlist_export.h"

#include <algorithm>
#include <functional>

#include "library/progress_display.h"
#include "platform/error/app_error.h"
#include "platform/formats/music_formats.h"
#include "platform/fs/fast_copy.h"
#include "platform/fs/file_ops.h"
#include "platform/text/case_fold.h"
#include "platform/text/number_text.h"

namespace tarvel::playlists {
namespace {

const std::string& Cell(const TPlist& list, int row, int cell) {
    return list.Rows[static_cast<size_t>(row)][static_cast<size_t>(cell)];
}

std::string FileNameFor(const ExportOptions& options, const std::string& artist,
                        const std::string& track, const std::string& title) {
    switch (options.file) {
        case FileName::Title:
            return title;
        case FileName::NumTitle:
            return track + " - " + title;
        case FileName::ArtistTitle:
            return artist + " - " + title;
        case FileName::NumArtistTitle:
            return artist + " - " + track + " - " + title;
    }
    return title;
}

template <typename Item>
Item& FindOrAdd(std::vector<Item>& items, const std::string& name, bool& added) {
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const Item& item) { return text::EqualNoCase(item.name, name); });
    added = it == items.end();
    if (added) {
        items.push_back(Item{});
        items.back().name = name;
        return items.back();
    }
    return *it;
}

// Shows the gauge in the command box's place for one pass of `maximum` steps, runs it, and puts
// the box back, also when the pass fails.
void GaugePass(library::ProgressDisplay& progress, int maximum, const std::function<void()>& pass) {
    progress.SetBoxVisible(false);
    progress.SetGaugeMaximum(maximum);
    progress.SetGaugeProgress(0);
    progress.SetGaugeVisible(true);
    progress.RepaintWindow();
    struct Restore {
        library::ProgressDisplay& progress;
        ~Restore() {
            progress.SetGaugeVisible(false);
            progress.SetBoxVisible(true);
        }
    } restore{progress};
    pass();
}

void Step(library::ProgressDisplay& progress, int done) {
    progress.SetGaugeProgress(done);
    progress.RepaintWindow();
}

// Copies one file; a failure is passed over.
bool TryCopy(const std::string& from, const std::string& to) {
    try {
        fs::CopyFileFast(from, to);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

}  // namespace

std::string CleanName(std::string_view name) {
    std::string clean(name);
    for (char& c : clean) {
        if (kCleaningSet.find(c) != std::string_view::npos) {
            c = ',';
        }
    }
    const auto blank = [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) == 0x7F;
    };
    const auto first = std::find_if_not(clean.begin(), clean.end(), blank);
    const auto last = std::find_if_not(clean.rbegin(), clean.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string TrackText(std::string_view cell) {
    const std::optional<int32_t> number = text::ParseInt32(cell);
    if (!number) {
        return "00";
    }
    return *number < 10 ? "0" + std::string(cell) : std::string(cell);
}

TMasDir BuildExportTree(const TPlist& list, const ExportOptions& options,
                        library::ProgressDisplay& progress) {
    TMasDir tree;
    GaugePass(progress, list.Count, [&] {
        for (int row = 1; row <= list.Count; ++row) {
            bool added = false;
            TArtist& artist = FindOrAdd(tree.artists, Cell(list, row, library::kArtist), added);
            TAlboms& album = FindOrAdd(artist.albums, Cell(list, row, library::kAlbum), added);
            if (added) {
                const std::string& year = Cell(list, row, library::kYear);
                artist.year = year.empty() ? "0000" : year;
                album.folder = options.folder == FolderName::YearAlbum
                                   ? artist.year + " - " + album.name
                                   : album.name;
            }
            ExportSong song;
            song.source = Cell(list, row, library::kPath);
            song.title = Cell(list, row, library::kTitle);
            song.track = TrackText(Cell(list, row, library::kTrack));
            song.file_name = FileNameFor(options, artist.name, song.track, song.title);
            album.songs.push_back(std::move(song));
            Step(progress, row);
        }
    });
    return tree;
}

void CleanExportNames(TMasDir& tree, int count, library::ProgressDisplay& progress) {
    GaugePass(progress, count, [&] {
        int done = 0;
        for (TArtist& artist : tree.artists) {
            artist.name = CleanName(artist.name);
            for (TAlboms& album : artist.albums) {
                album.folder = CleanName(album.folder);
                for (ExportSong& song : album.songs) {
                    song.file_name = CleanName(song.file_name);
                    Step(progress, ++done);
                }
            }
        }
    });
}

int CopyExportTree(const TMasDir& tree, const std::string& folder, int count,
                   library::ProgressDisplay& progress) {
    int copied = 0;
    GaugePass(progress, count, [&] {
        int done = 0;
        for (const TArtist& artist : tree.artists) {
            const std::string artist_dir = fs::JoinPath(folder, artist.name);
            for (const TAlboms& album : artist.albums) {
                const std::string album_dir = fs::JoinPath(artist_dir, album.folder);
                try {
                    fs::CreateDirectories(album_dir);
                } catch (const AppError&) {
                    // The copies below fail and are passed over in turn.
                }
                for (const ExportSong& song : album.songs) {
                    const std::string target = fs::JoinPath(
                        album_dir, song.file_name + std::string(formats::ExtensionOf(song.source)));
                    copied += TryCopy(song.source, target) ? 1 : 0;
                    Step(progress, ++done);
                }
            }
        }
    });
    return copied;
}

int FlatCopy(const TPlist& list, const std::string& folder, library::ProgressDisplay& progress) {
    int copied = 0;
    GaugePass(progress, list.Count, [&] {
        for (int row = 1; row <= list.Count; ++row) {
            const std::string& source = Cell(list, row, library::kPath);
            copied += TryCopy(source, fs::JoinPath(folder, fs::FileNameOf(source))) ? 1 : 0;
            Step(progress, row);
        }
    });
    return copied;
}

int SpecialCopy(const TPlist& list, const std::string& folder, const ExportOptions& options,
                library::ProgressDisplay& progress) {
    TMasDir tree = BuildExportTree(list, options, progress);
    CleanExportNames(tree, list.Count, progress);
    return CopyExportTree(tree, folder, list.Count, progress);
}

}  // namespace tarvel::playlists

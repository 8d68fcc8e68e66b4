// Shuffle: a new working playlist of songs picked at random from the checked source.
#include "library/library_store.h"
#include "platform/fs/file_ops.h"
#include "playlists/playlist_model.h"

namespace tarvel::playlists {

using config::Item;

void PlaylistModel::ShuffleClick(const BrowserSongs& browser) {
    RunReported([&] {
        TMasPLayList& work = Work();
        if (work.Count > 0) {
            work.UndoKind = 1;
            TakeUndoSnapshot();
            ResetSongProgress();
        }
        const config::Settings& s = settings();
        if (s.Checked(Item::mShuffLib)) {
            LibraryShuffle(ArtistClass::All, s.AllPs);
        } else if (s.Checked(Item::mShuffRus)) {
            LibraryShuffle(ArtistClass::Rus, s.RusPs);
        } else if (s.Checked(Item::mShuffEng)) {
            LibraryShuffle(ArtistClass::Eng, s.EngPs);
        } else if (s.Checked(Item::mShuffActArt)) {
            if (browser.artist_selected && browser.artist_songs && browser.artist_count > 0) {
                PickSongs(*browser.artist_songs, browser.artist_count,
                          ShareCount(browser.artist_count, s.ArtPs));
            }
        } else if (s.Checked(Item::mShuffActAlb)) {
            if (browser.album_songs && browser.album_count > 0) {
                PickSongs(*browser.album_songs, browser.album_count,
                          ShareCount(browser.album_count, s.AlbPs));
            }
        } else if (s.Checked(Item::mShuffLib100)) {
            LibraryShuffle(ArtistClass::All, 100.0);
        } else if (s.Checked(Item::mShuffRus100)) {
            LibraryShuffle(ArtistClass::Rus, 100.0);
        } else if (s.Checked(Item::mShuffEng100)) {
            LibraryShuffle(ArtistClass::Eng, 100.0);
        } else if (s.Checked(Item::mShuffPlist)) {
            if (work.Count > 0) {
                PickSongs(work.Rows, work.Count, work.Count);
            }
        }
    });
}

void PlaylistModel::ShufflePlaylistClick() {
    TMasPLayList& work = Work();
    if (work.Count == 0) {
        return;
    }
    work.UndoKind = 1;
    TakeUndoSnapshot();
    ResetSongProgress();
    PickSongs(work.Rows, work.Count, work.Count);
}

void PlaylistModel::LibraryShuffle(ArtistClass artist_class, double share_percent) {
    const std::string path =
        fs::JoinPath(fs::JoinPath(links_.app_dir, library::kSortFolderName), library::kAllSongFile);
    if (!fs::FileExists(path)) {
        return;
    }
    masTag library_rows;
    int capacity = 0;
    const int count = library::ReadSongFile(path, library_rows, capacity);
    if (artist_class == ArtistClass::All) {
        PickSongs(library_rows, count, ShareCount(count, share_percent));
        return;
    }
    masTag qualifying(1);
    for (int row = 1; row <= count; ++row) {
        auto& cells = library_rows[static_cast<size_t>(row)];
        if (InArtistClass(cells[library::kArtist], artist_class)) {
            qualifying.push_back(std::move(cells));
        }
    }
    const int m = static_cast<int>(qualifying.size()) - 1;
    PickSongs(qualifying, m, ShareCount(m, share_percent));
}

void PlaylistModel::PickSongs(const masTag& source, int m, int n) {
    m = std::min(m, static_cast<int>(source.size()) - 1);
    n = std::min(n, m);
    if (n <= 0) {
        return;
    }
    settings().Uncheck(Item::Enabled1);
    const uint64_t seed = links_.shuffle_seed ? links_.shuffle_seed() : ClockSeed();
    const library::masnom picks = PickRows(n, m, seed);
    // The source may be the working rows themselves: the new rows are built apart first.
    masTag rows;
    library::SizeTable(rows, n + 2);
    for (int k = 1; k <= n; ++k) {
        auto& cells = rows[static_cast<size_t>(k)];
        cells = source[static_cast<size_t>(picks[static_cast<size_t>(k - 1)])];
        cells.resize(library::kCellsPerRow);
    }
    TMasPLayList& work = Work();
    work.Rows = std::move(rows);
    work.Count = n;
    work.Current = 1;
    SumPlaylistTime();
    ResetSongProgress();
    EmptyLists();
    FillPlaylistView(0, 1, n);
    transport().PlayCurrent(PlayCommand::Play);
    ForLists([](PlaylistView& list) { list.SetScrollerPosition(0); });
}

}  // namespace tarvel::playlists

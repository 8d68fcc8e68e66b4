#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "playlist_rig.h"
#include "playlists/shuffle_shares.h"

namespace tarvel::testing {
namespace {

using config::Item;
using playlists::ArtistClass;

// Writes sort/allsong.tft with one song per artist, titled "<artist>#<n>".
void WriteLibrary(PlaylistRig& rig, const std::vector<std::string>& artists) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < artists.size(); ++i) {
        const auto cells = Song(artists[i], artists[i] + "#" + std::to_string(i + 1));
        library::SongRecord record;
        std::copy_n(cells.begin(), library::kSongFieldCount, record.begin());
        lines.push_back(library::SongLine(record));
    }
    fs::CreateDirectories(rig.dir / "sort");
    fs::WriteLines(rig.SortPath("allsong.tft"), lines);
}

std::vector<std::string> ManyArtists(int count) {
    std::vector<std::string> artists;
    for (int i = 1; i <= count; ++i) {
        artists.push_back("Band" + std::to_string(i));
    }
    return artists;
}

TEST(ShufflePicks, ArtistClasses) {
    const struct {
        const char* artist;
        bool rus;
        bool eng;
    } cases[] = {
        {"DJ Грув", true, true}, {"1999", false, false},
        {"Ёё", true, false},  // Ё is a Cyrillic letter like any other
        {"Ёлка", true, false},   {"Їжак", true, false},
        {"Moon", false, true},   {"Björk", false, true},
        {"Μίκης", false, false}, {"я", true, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(playlists::InArtistClass(c.artist, ArtistClass::Rus), c.rus) << c.artist;
        EXPECT_EQ(playlists::InArtistClass(c.artist, ArtistClass::Eng), c.eng) << c.artist;
        EXPECT_TRUE(playlists::InArtistClass(c.artist, ArtistClass::All));
    }
}

TEST(ShufflePicks, ShareCounts) {
    // Shares as the options bar stores them (position / 1000) and as the configuration reads
    // them (value / 100 000): 1.1 and 0.1 are not exact as doubles, and a whole product must
    // not come out one song larger.
    struct Case {
        int rows;
        double share;
        int picked;
    };
    const Case cases[] = {
        {1000, 1100 / 1000.0, 11},
        {1000, 110000 / 100000.0, 11},
        {1000, 100 / 1000.0, 1},
        {1000, 10000 / 100000.0, 1},
        {10, 12.5, 2},
        {10, 50, 5},
        {10, 100, 10},
        {3, 0.001, 1},
        {100, 7, 7},
        {1000, 33.333, 334},
        {10, 0, 0},
        {0, 50, 0},
        {10, 250, 10},
        {10, -5, 0},
        {2000000000, 100, 2000000000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(playlists::ShareCount(c.rows, c.share), c.picked)
            << c.share << " % of " << c.rows;
    }
}

TEST(ShufflePicks, DistinctPicksAndNeverTheLastFirst) {
    std::set<int> firsts;
    for (uint64_t seed = 0; seed < 2000; ++seed) {
        const auto picks = playlists::PickRows(7, 7, seed);
        ASSERT_EQ(picks.size(), 7u);
        EXPECT_NE(picks[0], 7);
        firsts.insert(picks[0]);
        EXPECT_EQ(std::set<int>(picks.begin(), picks.end()).size(), 7u);
    }
    EXPECT_EQ(firsts, (std::set<int>{1, 2, 3, 4, 5, 6}));  // uniform over 1..m-1
    EXPECT_EQ(playlists::PickRows(1, 1, 5), (library::masnom{1}));
    EXPECT_TRUE(playlists::PickRows(0, 5, 5).empty());
}

TEST(Shuffle, HundredPercentTakesEverySongOnceNeverTheLastFirst) {
    PlaylistRig rig;
    WriteLibrary(rig, ManyArtists(12));
    rig.settings.Check(Item::mShuffLib100);
    rig.settings.Check(Item::Enabled1);
    std::set<std::vector<std::string>> orders;
    for (int run = 0; run < 300; ++run) {
        rig.model.ShuffleClick({});
        auto titles = rig.Titles();
        ASSERT_EQ(titles.size(), 12u);
        EXPECT_NE(titles[0], "Band12#12");
        orders.insert(titles);
        std::sort(titles.begin(), titles.end());
        EXPECT_EQ(std::unique(titles.begin(), titles.end()), titles.end());
    }
    EXPECT_GT(orders.size(), 250u);  // re-seeded each time
    const auto& work = rig.model.Work();
    EXPECT_EQ(work.Current, 1);
    EXPECT_EQ(work.TotalMs, 12000);
    EXPECT_FALSE(rig.settings.Checked(Item::Enabled1));
    EXPECT_EQ(rig.transport.calls.back(), "PlayCurrent Play row=1 at=0");
    EXPECT_EQ(rig.list5.items.size(), 12u);
    EXPECT_EQ(rig.list6.scroller_position, 0);
}

TEST(Shuffle, SharesOfTheLibraryAndTheClasses) {
    PlaylistRig rig;
    // 10 songs stored in Windows-1251: 5 Cyrillic, 5 Latin (one of them also Cyrillic), 1 in
    // neither.
    WriteLibrary(rig, {"\xca\xe8\xed\xee", "DJ \xc3\xf0\xf3\xe2", "Moon", "1999", "\xa8\xb8",
                       "Abba", "\xc0\xeb\xe8\xf1\xe0", "Queen", "Muse", "\xc4\xe4\xf2"});
    const struct {
        Item source;
        double share;
        size_t picked;
        ArtistClass must_be;
    } cases[] = {
        {Item::mShuffLib, 12.5, 2, ArtistClass::All}, {Item::mShuffLib, 50, 5, ArtistClass::All},
        {Item::mShuffRus, 50, 3, ArtistClass::Rus},  // ceil(5 x 0.5)
        {Item::mShuffEng, 50, 3, ArtistClass::Eng},  // ceil(5 x 0.5)
        {Item::mShuffRus100, 0, 5, ArtistClass::Rus}, {Item::mShuffEng100, 0, 5, ArtistClass::Eng},
    };
    for (const auto& c : cases) {
        rig.settings.Check(c.source);
        rig.settings.AllPs = rig.settings.RusPs = rig.settings.EngPs = c.share;
        rig.model.ShuffleClick({});
        EXPECT_EQ(rig.Titles().size(), c.picked) << config::ItemName(c.source);
        const auto& work = rig.model.Work();
        for (int row = 1; row <= work.Count; ++row) {
            EXPECT_TRUE(playlists::InArtistClass(work.Rows[row][library::kArtist], c.must_be));
        }
    }
}

TEST(Shuffle, NothingToPickLeavesThePlaylistAndStartsNothing) {
    PlaylistRig rig;
    WriteLibrary(rig, {"1999", "Moon"});
    rig.SetWork(NumberedSongs(3), 2, 0, 1);
    rig.settings.Check(Item::mShuffRus100);  // no Cyrillic artist in the library
    rig.model.ShuffleClick({});
    rig.settings.Check(Item::mShuffLib);  // a share of 0 %
    rig.settings.AllPs = 0;
    rig.model.ShuffleClick({});
    rig.settings.Check(Item::mShuffActArt);  // no artist selected
    const auto artist = NumberedSongs(4, "Artist");
    rig.model.ShuffleClick({&artist, 4, nullptr, 0, false});
    rig.settings.Check(Item::mShuffActAlb);  // no album chosen
    rig.model.ShuffleClick({&artist, 4, nullptr, 0, true});
    EXPECT_EQ(rig.Titles(), (std::vector<std::string>{"S1", "S2", "S3"}));
    EXPECT_EQ(rig.model.Work().Current, 2);
    EXPECT_TRUE(rig.transport.calls.empty());
    EXPECT_EQ(rig.list5.items.size(), 3u);

    // A missing library does nothing either.
    PlaylistRig bare;
    bare.settings.Check(Item::mShuffLib100);
    bare.model.ShuffleClick({});
    EXPECT_EQ(bare.model.Work().Count, 0);
    EXPECT_TRUE(bare.transport.calls.empty());
    EXPECT_TRUE(bare.Reports().empty());
}

TEST(Shuffle, ActiveArtistAndAlbumTakeTheirShares) {
    PlaylistRig rig;
    const auto artist = NumberedSongs(10, "Artist");
    const auto album = NumberedSongs(4, "Album");
    rig.settings.ArtPs = 12.5;
    rig.settings.AlbPs = 50;
    rig.settings.Check(Item::mShuffActArt);
    rig.model.ShuffleClick({&artist, 10, &album, 4, true});
    EXPECT_EQ(rig.model.Work().Count, 2);
    EXPECT_EQ(rig.model.Work().Rows[1][library::kArtist], "Artist");
    rig.settings.Check(Item::mShuffActAlb);
    rig.model.ShuffleClick({&artist, 10, &album, 4, false});
    EXPECT_EQ(rig.model.Work().Count, 2);
    EXPECT_EQ(rig.model.Work().Rows[1][library::kArtist], "Album");
}

TEST(Shuffle, PlaylistShuffleReordersItsOwnRowsAndUndoBringsThemBack) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(6), 4, 3000, 2);
    rig.settings.Check(Item::mShuffPlist);
    rig.model.ShuffleClick({});
    auto titles = rig.Titles();
    EXPECT_NE(titles[0], "S6");
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{"S1", "S2", "S3", "S4", "S5", "S6"}));
    EXPECT_EQ(rig.transport.calls.back(), "PlayCurrent Play row=1 at=0");

    // The shuffle started a song: undo restarts the old current song in its old (paused) state.
    rig.model.UndoPlaylistChange();
    EXPECT_EQ(rig.Titles(), (std::vector<std::string>{"S1", "S2", "S3", "S4", "S5", "S6"}));
    EXPECT_EQ(rig.transport.calls.back(), "PlayCurrent Pause row=4 at=3000");
}

TEST(Shuffle, OneRowPlaylistKeepsItsRowAndStartsIt) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(1));
    rig.model.ShufflePlaylistClick();
    EXPECT_EQ(rig.Titles(), (std::vector<std::string>{"S1"}));
    EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"PlayCurrent Play row=1 at=0"}));

    PlaylistRig empty;
    empty.model.ShufflePlaylistClick();
    EXPECT_TRUE(empty.transport.calls.empty());
}

TEST(ShuffleShares, OptionsWindowStoresSharesAndCaptions) {
    config::Settings settings;
    settings.AllPs = 12.5;
    settings.AlbPs = 100;
    settings.ArtPs = 33.3334;
    EXPECT_EQ(playlists::ShareBarPositions(settings),
              (playlists::ShareBars{12500, 0, 0, 33333, 100000}));

    playlists::StoreShares(settings, {12500, 1, 100000, 50000, 0});
    EXPECT_EQ(settings.AllPs, 12.5);
    EXPECT_EQ(settings.RusPs, 0.001);
    EXPECT_EQ(settings.ShareCaption(Item::mShuffLib), "From Library(12.5%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffRus), "From Rus Artist(0.001%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffEng), "From Engl Artist(100%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffActArt), "From Active Artist(50%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffActAlb), "From Active Album(0%)");
}

}  // namespace
}  // namespace tarvel::testing

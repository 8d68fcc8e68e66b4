// The library browser's rules over a real library folder: the artist panels, choosing artists and
// albums, the orders, the hint.
#include "library/browser.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "library/artist_panels.h"
#include "library/browser_fixture.h"
#include "library/browser_orders.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {
namespace {

using Names = std::vector<std::string>;

TEST(ArtistPanels, TheFirstLetterPicksThePanel) {
    struct Case {
        const char* name;
        int panel;
    };
    // "7Я": the only letter is a Cyrillic one at the end; every Cyrillic letter counts (Ё, Ї);
    // letters of other scripts go with the Latin ones.
    const Case cases[] = {{"Звезда", 1}, {"Moon", 2},  {"7seas", 2},   {"1999", 2},
                          {"7Я", 1},     {"Ёлка", 1},  {"Ё", 1},       {"[Zя]", 2},
                          {"Їжак", 1},   {"Ωmega", 2}, {"소녀시대", 2}};
    BrowserRig rig;
    for (const Case& c : cases) {
        rig.Add({{c.name, "A", "t"}});
    }
    const Names list1 = BrowserRig::Utf8(rig.view.artists[1]);
    const Names list2 = BrowserRig::Utf8(rig.view.artists[2]);
    // Windows-1251 order of the lower-case names: ё (0xB8) and ї (0xBF) come before з (0xE7),
    // "[" before "m"; characters Windows-1251 lacks after all of them, by code point.
    EXPECT_EQ(list1, (Names{"1. 7Я", "2. Ё", "3. Ёлка", "4. Їжак", "5. Звезда"}));
    EXPECT_EQ(list2,
              (Names{"1. 1999", "2. 7seas", "3. [Zя]", "4. Moon", "5. Ωmega", "6. 소녀시대"}));
    EXPECT_FALSE(rig.view.artist_reset[1]) << "a refill keeps the scroll position";

    rig.options.separate_panels = false;
    rig.browser.FillArtistPanels(rig.index, rig.count);
    EXPECT_EQ(rig.view.artists[1].size(), std::size(cases)) << "one panel lists every artist";
    EXPECT_TRUE(rig.view.artists[2].empty());
}

TEST(ArtistPanels, NamesOrderIgnoringCaseAndComeBackWithoutTheirPrefix) {
    Names names = {"moon", "Abba", "MOON", "abba"};
    NumberAlphabetically(names);
    EXPECT_EQ(names, (Names{"1. Abba", "2. abba", "3. moon", "4. MOON"}));
    for (const auto& [item, name] : std::vector<std::pair<std::string, std::string>>{
             {"1. Moon", "Moon"}, {"12. Mr. X", "Mr. X"}, {"Moon", "Moon"}, {"3.", ""}}) {
        EXPECT_EQ(ItemName(item), name) << item;
    }
}

TEST(ChooseArtist, AlbumsMergeIgnoringCaseAndAnAlbumMatchesItsSpellingExactly) {
    BrowserRig rig;
    rig.options.songs_by_track = false;
    rig.Add({{"Moon", "Best", "b1", "0000"},
             {"Moon", "BEST", "b2", "1999"},
             {"Moon", "Live", "l1", "1990"},
             {"Moon", "Best", "b3", "2005"}});
    rig.browser.ChooseArtist("1. Moon");
    EXPECT_EQ(rig.view.albums, (Names{"Live", "Best"})) << "one Best, its year 1999 from BEST";
    EXPECT_EQ(rig.browser.Tables().albums[1].year, "1999");
    EXPECT_EQ(rig.view.songs, (Names{"b1", "b2", "b3", "l1"}));

    rig.browser.ChooseAlbum("2. Best", true);
    EXPECT_EQ(rig.view.songs, (Names{"b1", "b3"})) << "BEST is not spelt Best";
    EXPECT_TRUE(rig.browser.AlbumChosen());

    // The album order by name puts Best first; the song order by track re-sorts the album.
    rig.options.albums_by_year = false;
    rig.browser.OrderAlbums();
    EXPECT_EQ(rig.view.albums, (Names{"Best", "Live"}));
    rig.options.songs_by_track = true;
    rig.browser.OrderSongs();
    EXPECT_EQ(rig.view.songs, (Names{"b3", "b1"})) << "equal tracks reverse";
}

TEST(ChooseArtist, TrackOrderWithNoNumbersReversesTheArtistFile) {
    BrowserRig rig;
    rig.Add({{"Moon", "A", "first"}, {"Moon", "A", "second"}, {"Moon", "A", "third"}});
    rig.browser.ChooseArtist("1. Moon");
    EXPECT_EQ(rig.view.songs, (Names{"third", "second", "first"}));
}

TEST(ChooseArtist, AnArtistWithoutASongFileGivesEmptyPanels) {
    BrowserRig rig;
    rig.Add({{"Moon", "A", "t"}});
    std::remove((rig.store.FilePath(ArtistFileName(1))).c_str());
    rig.browser.ChooseArtist("1. Moon");
    EXPECT_TRUE(rig.view.albums.empty());
    EXPECT_TRUE(rig.view.songs.empty());
    rig.browser.ChooseArtist("1. Nobody");
    EXPECT_TRUE(rig.view.songs.empty());
    EXPECT_EQ(rig.browser.Tables().current_artist, "Nobody");
}

TEST(SongHint, ShowsTheHoveredSongOnceAndNothingBelowTheItems) {
    BrowserRig rig;
    rig.Add({{"Moon", "Best", "Tide", "2001", "1", "245000", "192"}});
    rig.browser.ChooseArtist("1. Moon");
    EXPECT_TRUE(rig.browser.HoverSong(1, 1));
    EXPECT_EQ(rig.browser.HintText(), "Moon - Best - Tide - 04:05 - 192 kbps");
    EXPECT_EQ(rig.browser.HoveredPath(), "/music/Tide.mp3");
    EXPECT_FALSE(rig.browser.HoverSong(1, 1)) << "the same row changes nothing";
    EXPECT_TRUE(rig.browser.HoverSong(2, 1));
    EXPECT_EQ(rig.browser.HoveredRow(), -1);
    EXPECT_EQ(rig.browser.HintText(), "");
    EXPECT_EQ(rig.browser.HoveredPath(), "");
}

// The exchange sorts written out as the orders are defined: the title and album orders exchange
// neighbours when the earlier key is greater; the track order exchanges a row with each later
// one whose number is not greater, which leaves equal numbers in reverse order.
template <typename Key>
std::vector<int> LiteralNeighbourSort(std::vector<int> rows, Key key) {
    for (size_t pass = 1; pass < rows.size(); ++pass) {
        for (size_t j = 0; j + pass < rows.size(); ++j) {
            if (text::CompareBytes(key(rows[j]), key(rows[j + 1])) > 0) {
                std::swap(rows[j], rows[j + 1]);
            }
        }
    }
    return rows;
}

std::vector<int> LiteralTrackSort(std::vector<int> rows, const SongTable& table) {
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        for (size_t j = i + 1; j < rows.size(); ++j) {
            if (TrackNumber(table.Cell(rows[i], kTrack)) >=
                TrackNumber(table.Cell(rows[j], kTrack))) {
                std::swap(rows[i], rows[j]);
            }
        }
    }
    return rows;
}

TEST(Orders, GiveExactlyTheExchangeSortsResultsEqualKeysIncluded) {
    std::mt19937 random(12);
    const char* titles[] = {"a", "B", "b", "\xC0", "ab", ""};
    const char* tracks[] = {"0", "1", "2", "10", "02", "x", " 3"};
    for (int round = 0; round < 400; ++round) {
        const int n = static_cast<int>(random() % 12);
        auto table = std::make_shared<SongTable>();
        std::vector<Album> albums;
        for (int row = 1; row <= n; ++row) {
            std::vector<std::string> cells(kSongFieldCount);
            cells[kTitle] = titles[random() % std::size(titles)];
            cells[kTrack] = tracks[random() % std::size(tracks)];
            table->AddRow(cells);
            albums.push_back({titles[random() % std::size(titles)], tracks[random() % 3]});
        }
        SongRows songs = AllRows(table);
        std::shuffle(songs.rows.begin(), songs.rows.end(), random);
        const auto title = [&](int row) { return table->Cell(row, kTitle); };
        SongRows by_title = songs;
        OrderByTitle(by_title);
        EXPECT_EQ(by_title.rows, LiteralNeighbourSort(songs.rows, title));
        SongRows by_track = songs;
        OrderByTrack(by_track);
        EXPECT_EQ(by_track.rows, LiteralTrackSort(songs.rows, *table));

        std::vector<int> positions(albums.size());
        std::iota(positions.begin(), positions.end(), 0);
        std::vector<Album> by_year = albums;
        OrderAlbumsByYear(by_year);
        const std::vector<int> literal_year = LiteralNeighbourSort(
            positions, [&](int i) { return albums[static_cast<size_t>(i)].year; });
        for (size_t i = 0; i < albums.size(); ++i) {
            EXPECT_EQ(by_year[i].name, albums[static_cast<size_t>(literal_year[i])].name);
        }
    }
}

TEST(SongTable, SplitsLinesAsTheRecordSplitterDoes) {
    const std::string full = SongLine({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"});
    const std::vector<std::string> lines = {full, full + "after the last marker",
                                            "Moon endart Best endalb no more markers", "", "x"};
    testing::TempDir dir;
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    bytes += "last line\n";  // a line ended by LF alone
    testing::WriteBytes(dir / "songs.tft", bytes);
    const SongTable table = SongTable::ReadFile(dir / "songs.tft");
    ASSERT_EQ(table.Count(), static_cast<int>(lines.size()) + 1);
    for (int row = 1; row <= table.Count(); ++row) {
        const std::string line =
            row <= static_cast<int>(lines.size()) ? lines[row - 1] : "last line";
        const SongRecord expected = SplitSongLine(line);
        for (int cell = 0; cell < kSongFieldCount; ++cell) {
            EXPECT_EQ(table.Cell(row, cell), expected[cell]) << row << " " << cell;
        }
    }
    EXPECT_EQ(SongTable::ReadFile(dir / "missing.tft").Count(), 0);
}

TEST(Orders, TrackNumbersReadAsIntegers) {
    for (const auto& [cell, value] : std::vector<std::pair<std::string, int>>{
             {"7", 7}, {"007", 7}, {" 12", 12}, {"-3", -3}, {"$10", 16}, {"", 0}, {"5/12", 0}}) {
        EXPECT_EQ(TrackNumber(cell), value) << cell;
    }
}

}  // namespace
}  // namespace tarvel::library

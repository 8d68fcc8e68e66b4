// The live search over a real library folder: the match kinds, the six scopes and the tables they
// write, the library song table read once.
#include "library/library_search.h"

#include <gtest/gtest.h>

#include "library/browser_fixture.h"

namespace tarvel::library {
namespace {

using Names = std::vector<std::string>;

class Search : public ::testing::Test {
  protected:
    Search() {
        rig.Add({{"Звезда", "About Love", "Утро", "1990", "2"},
                 {"Moon", "About Love", "Tide", "2001", "1"},
                 {"Moon", "Slab", "Ebb", "1999", "1"},
                 {"Moon", "Slab", "Abyss", "1999", "2"},
                 {"Mooner", "Other", "Abba", "1980", "1"}});
    }
    bool Run(const std::string& utf8, SearchScope scope, MatchKind kind = MatchKind::ConsistOf) {
        return SearchLibrary(rig.browser, utf8, scope, kind);
    }
    Names Songs() const { return BrowserRig::Utf8(rig.view.songs); }
    Names Artists(int panel) const { return BrowserRig::Utf8(rig.view.artists[panel]); }

    BrowserRig rig;
};

TEST(Match, StartAtAndConsistOf) {
    struct Case {
        const char* cell;
        const char* text;
        bool start_at;
        bool consist_of;
    };
    const std::string far = std::string(9999, 'x') + "ab";
    const std::string too_far = std::string(10000, 'x') + "ab";
    // Positions count characters, not bytes: ж takes two.
    std::string far_cyrillic;
    for (int i = 0; i < 9999; ++i) {
        far_cyrillic += "ж";
    }
    const std::string too_far_cyrillic = far_cyrillic + "жab";
    far_cyrillic += "ab";
    const Case cases[] = {{"about love", "ab", true, true},
                          {"slab", "ab", false, true},
                          {"slab", "", false, false},
                          {"", "ab", false, false},
                          {far.c_str(), "ab", false, true},
                          {too_far.c_str(), "ab", false, false},
                          {far_cyrillic.c_str(), "ab", false, true},
                          {too_far_cyrillic.c_str(), "ab", false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(Matches(c.cell, c.text, MatchKind::StartAt), c.start_at) << c.cell;
        EXPECT_EQ(Matches(c.cell, c.text, MatchKind::ConsistOf), c.consist_of) << c.cell;
    }
}

TEST_F(Search, AlbumsOfTheLibraryByStartOrAnywhereWithCyrillicCaseFolded) {
    Run("ab", SearchScope::InAllLibrary1, MatchKind::StartAt);
    EXPECT_EQ(rig.view.albums, (Names{"About Love"}));
    EXPECT_EQ(Songs(), (Names{"Утро", "Tide"})) << "library order, not re-sorted";
    Run("ab", SearchScope::InAllLibrary1, MatchKind::ConsistOf);
    EXPECT_EQ(rig.view.albums, (Names{"About Love", "Slab"}));
    Run("УТ", SearchScope::InAllLibrary2, MatchKind::StartAt);
    EXPECT_EQ(Songs(), (Names{"Утро"}));
}

// Case and accents are folded on both sides: the way a reader types a name finds it.
TEST_F(Search, AnyScriptFoldingCaseAndAccents) {
    rig.Add({{"Björk", "Début", "Human Behaviour", "1993", "1"},
             {"Ёлка", "Точки расставлены", "Прованс", "2011", "1"},
             {"소녀시대", "소원을 말해봐", "다시 만난 세계", "2007", "1"}});
    Run("bjork", SearchScope::Artist1);
    EXPECT_EQ(Artists(2), (Names{"1. Björk"}));
    Run("елка", SearchScope::Artist1, MatchKind::StartAt);
    EXPECT_EQ(Artists(1), (Names{"1. Ёлка"}));
    Run("소녀", SearchScope::Artist1);
    EXPECT_EQ(Artists(2), (Names{"1. 소녀시대"}));
    Run("debut", SearchScope::InAllLibrary1);
    EXPECT_EQ(rig.view.albums, (Names{"Début"}));
    Run("세", SearchScope::InAllLibrary2);
    EXPECT_EQ(Songs(), (Names{"다시 만난 세계"}));
    Run("ПРОВАНС", SearchScope::InAllLibrary2, MatchKind::StartAt);
    EXPECT_EQ(Songs(), (Names{"Прованс"}));
}

TEST_F(Search, TheArtistScopePicksAPanelByTheFirstCharacter) {
    const Names all2 = Artists(2);
    Run("moo", SearchScope::Artist1);
    EXPECT_EQ(Artists(2), (Names{"1. Moon", "2. Mooner"}));
    EXPECT_TRUE(rig.view.artist_reset[2]);
    Run("зв", SearchScope::Artist1);
    EXPECT_EQ(Artists(1), (Names{"1. Звезда"}));
    EXPECT_EQ(Artists(2), (Names{"1. Moon", "2. Mooner"})) << "the other panel keeps its items";
    Run("[", SearchScope::Artist1);  // between Z and a: ListBox2, which finds nothing
    EXPECT_TRUE(Artists(2).empty());
    Run("(", SearchScope::Artist1);
    EXPECT_TRUE(Artists(2).empty()) << "( changes no panel";
    EXPECT_EQ(Artists(1), (Names{"1. Звезда"}));
    Run("", SearchScope::Artist1);
    EXPECT_EQ(Artists(2), all2) << "an empty text restores both panels";
    EXPECT_EQ(Artists(1), (Names{"1. Звезда"}));

    rig.options.separate_panels = false;
    Run("moo", SearchScope::Artist1);
    EXPECT_EQ(Artists(1), (Names{"1. Moon", "2. Mooner"})) << "one panel stands for both";
}

TEST_F(Search, AnEmptyTextEmptiesTheAlbumAndSongScopes) {
    rig.browser.ChooseArtist("1. Moon");
    rig.browser.ChooseAlbum("1. Slab", true);
    for (const SearchScope scope :
         {SearchScope::InAllLibrary1, SearchScope::InActivArtist1, SearchScope::InAllLibrary2}) {
        rig.browser.ChooseArtist("1. Moon");
        Run("", scope);
        EXPECT_TRUE(rig.view.songs.empty()) << static_cast<int>(scope);
        EXPECT_TRUE(rig.view.albums.empty()) << static_cast<int>(scope);
    }
    rig.browser.ChooseArtist("1. Moon");
    Run("", SearchScope::InActivArtist2);
    EXPECT_TRUE(rig.view.songs.empty());
    // Within the album, an empty text lists the album's songs.
    rig.browser.ChooseArtist("1. Moon");
    rig.browser.ChooseAlbum("1. Slab", true);
    Run("", SearchScope::InActivAlbum1);
    EXPECT_EQ(Songs(), (Names{"Ebb", "Abyss"}));
    Run("ab", SearchScope::InActivAlbum1);
    EXPECT_EQ(Songs(), (Names{"Abyss"}));
}

TEST_F(Search, TheActiveArtistScopesNarrowItsTables) {
    rig.browser.ChooseArtist("1. Moon");
    Run("sl", SearchScope::InActivArtist1);
    EXPECT_EQ(rig.view.albums, (Names{"Slab"}));
    EXPECT_EQ(rig.browser.Tables().artist_songs.Count(), 2);
    Run("a", SearchScope::InActivArtist1);
    EXPECT_EQ(rig.view.albums, (Names{"Slab"})) << "about love left the table with sl";
    Run("eb", SearchScope::InActivArtist2);
    EXPECT_EQ(Songs(), (Names{"Ebb"}));
    EXPECT_EQ(rig.browser.ShownSongs().Count(), 1) << "the album table holds the result";
}

TEST_F(Search, SongOrdersAfterALibraryWideSearchSortTheFoundSongs) {
    Run("b", SearchScope::InAllLibrary2);
    EXPECT_EQ(Songs(), (Names{"Ebb", "Abyss", "Abba"}));
    EXPECT_TRUE(rig.view.albums.empty());
    rig.options.songs_by_track = false;
    rig.browser.OrderSongs();
    EXPECT_EQ(Songs(), (Names{"Abba", "Abyss", "Ebb"}));
    rig.options.songs_by_track = true;
    rig.browser.OrderSongs();
    EXPECT_EQ(Songs(), (Names{"Ebb", "Abba", "Abyss"})) << "tracks 1, 2, 1; equal ones reversed";
}

TEST_F(Search, CommandsAreNeverSearched) {
    for (const char* text : {"/", "/pause", "\\ab"}) {
        const int shows = rig.view.song_shows;
        EXPECT_FALSE(Run(text, SearchScope::InAllLibrary2)) << text;
        EXPECT_EQ(rig.view.song_shows, shows);
    }
}

TEST_F(Search, TheLibraryFileIsReadOnceUntilTheArtistPanelsAreFilledAgain) {
    Run("tide", SearchScope::InAllLibrary2);
    EXPECT_EQ(Songs(), (Names{"Tide"}));
    SongRecord added;
    added[kTitle] = "Tidewater";
    rig.store.AppendSongRecord(ArtistFileName(2), added);
    Run("tide", SearchScope::InAllLibrary2);
    EXPECT_EQ(Songs(), (Names{"Tide"})) << "typing does not read the file again";
    rig.browser.FillArtistPanels(rig.index, rig.count);
    Run("tide", SearchScope::InAllLibrary2);
    EXPECT_EQ(Songs(), (Names{"Tide", "Tidewater"}));
    std::remove(rig.store.FilePath(kAllSongFile).c_str());
    rig.browser.FillArtistPanels(rig.index, rig.count);
    Run("tide", SearchScope::InAllLibrary2);
    EXPECT_TRUE(Songs().empty()) << "no library file, no results";
}

}  // namespace
}  // namespace tarvel::library

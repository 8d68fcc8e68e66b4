// The library browser under a private X server with real clicks and keys: artists in their
// panels, a song chosen and heard, the search narrowing the panels, and "/pause" pausing.
#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "library/library_writer.h"

namespace tarvel::testing {
namespace {

struct LibrarySong {
    const char* artist;  // UTF-8
    const char* album;
    const char* title;
    const char* track;
    int hz;
};
// A Cyrillic-written artist and a Latin-written one.
constexpr LibrarySong kSongs[] = {
    {"Звезда", "Utro", "Morning", "1", 440},
    {"Moon", "Best", "Tide", "1", 660},
    {"Moon", "Best", "Ebb", "2", 880},
};

class BrowserJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    void SetUp() override {
        std::vector<FixtureSong> library;
        for (const LibrarySong& song : kSongs) {
            library.push_back({song.artist, song.album, song.title, "2001", song.track, "8000",
                               "64", MakeToneMp3(app.FilePath("music"), song.hz, 8)});
        }
        WriteLibrary(app.AppDir(), library);
        app.WriteSettings({kWithoutAutoPlay});
        StartPlayer();
    }

    // A click on a row of a panel of the main window.
    void ClickRow(controls::Main list, int row, bool double_click = false) {
        x.Click(window, ListRow(list, row), double_click);
    }
};

TEST_F(BrowserJourney, ArtistsAlbumsSongsSearchAndPause) {
    // ListBox1 holds the Cyrillic artist: its only song is the 440 Hz tone.
    ClickRow(controls::Main::ListBox1, 0);
    ClickRow(controls::Main::ListBox4, 0, true);
    ASSERT_TRUE(x.WaitForShown("Morning", true)) << "the Cyrillic artist's song did not play";
    QThread::msleep(1000);
    // ListBox2 holds Moon; its songs by track: Tide, Ebb.
    ClickRow(controls::Main::ListBox2, 0);
    ClickRow(controls::Main::ListBox4, 1, true);
    ASSERT_TRUE(x.WaitForShown("Ebb", true)) << "the second song of Moon did not play";
    QThread::msleep(1000);
    // Letters typed anywhere search the titles of the library: "ti" leaves Tide alone on top.
    x.Key("t");
    x.Key("i");
    ClickRow(controls::Main::ListBox4, 0, true);
    ASSERT_TRUE(x.WaitForShown("Tide", true)) << "the search did not narrow the songs to Tide";
    QThread::msleep(1000);
    for (const char* key : {"BackSpace", "BackSpace", "slash", "p", "a", "u", "s", "e", "Return"}) {
        x.Key(key);
    }
    QThread::msleep(4000);  // long enough for Tide, had it played on, to pass the limit below
    CloseAndExpectExit();

    const std::vector<ToneSegment> heard = ToneSegments(wav, {440, 660, 880});
    EXPECT_EQ(ToneOrder(heard, 0.6), (std::vector<int>{440, 880, 660}));
    double seconds_660 = 0;
    for (const ToneSegment& s : heard) {
        seconds_660 += s.hz == 660 ? s.seconds : 0;
    }
    EXPECT_GT(seconds_660, 0.6);
    EXPECT_LT(seconds_660, 4.0) << "Tide played on after /pause";
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back().hz, 0) << "silence from the pause to the close";
    EXPECT_GT(heard.back().seconds, 3.0);
}

}  // namespace
}  // namespace tarvel::testing

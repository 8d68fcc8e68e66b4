// The library browser under a private X server with real clicks and keys: artists in their
// panels, a song chosen and heard, the search narrowing the panels, and "/pause" pausing.
#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>

#include "e2e/e2e_support.h"
#include "e2e/x_session.h"
#include "library/library_writer.h"

namespace tarvel::testing {
namespace {

// Item row centres of the panels (client coordinates of the design layout).
constexpr int kRowHeight = 16;
constexpr int kList1X = 17 + 50, kList1Y = 64 + 8;
constexpr int kList2X = 520 + 50, kList2Y = 66 + 8;
constexpr int kList4X = 179 + 50, kList4Y = 260 + 8;
constexpr int kCloseX = 660 + 8, kCloseY = 10 + 8;

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

class BrowserJourney : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        std::vector<FixtureSong> library;
        for (const LibrarySong& song : kSongs) {
            library.push_back({song.artist, song.album, song.title, "2001", song.track, "8000",
                               "64", MakeToneMp3(app.FilePath("music"), song.hz, 8)});
        }
        WriteLibrary(app.AppDir(), library);
        app.WriteSettings({{3, "Loading Player=Auto load PlayList Without auto play"}});
        wav = app.FilePath("out.wav");
        app.StartOnDisplay(player, x.Display(), wav);
        ASSERT_TRUE(app.WaitForWindows(player)) << "the player did not come up";
        window = x.FindWindow("^Tarvel$");
        ASSERT_NE(window, 0u) << "no visible main window";
    }

    void TearDown() override { EndIfRunning(player); }

    // Waits until the main window's title (the song while one plays) matches.
    bool WaitForTitle(const QString& pattern) { return x.FindWindow(pattern) != 0; }

    XSession x;
    AppDirFixture app;
    std::string wav;
    QProcess player;
    unsigned long window = 0;
};

TEST_F(BrowserJourney, ArtistsAlbumsSongsSearchAndPause) {
    // ListBox1 holds the Cyrillic artist: its only song is the 440 Hz tone.
    x.Click(window, kList1X, kList1Y);
    x.Click(window, kList4X, kList4Y, true);
    ASSERT_TRUE(WaitForTitle("Morning")) << "the Cyrillic artist's song did not play";
    QThread::msleep(1000);
    // ListBox2 holds Moon; its songs by track: Tide, Ebb.
    x.Click(window, kList2X, kList2Y);
    x.Click(window, kList4X, kList4Y + kRowHeight, true);
    ASSERT_TRUE(WaitForTitle("Ebb")) << "the second song of Moon did not play";
    QThread::msleep(1000);
    // Letters typed anywhere search the titles of the library: "ti" leaves Tide alone on top.
    x.Key("t");
    x.Key("i");
    x.Click(window, kList4X, kList4Y, true);
    ASSERT_TRUE(WaitForTitle("Tide")) << "the search did not narrow the songs to Tide";
    QThread::msleep(1000);
    for (const char* key : {"BackSpace", "BackSpace", "slash", "p", "a", "u", "s", "e", "Return"}) {
        x.Key(key);
    }
    QThread::msleep(4000);  // long enough for Tide, had it played on, to pass the limit below
    x.Click(window, kCloseX, kCloseY);
    ASSERT_TRUE(player.waitForFinished(30000)) << "the player did not end";
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);

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

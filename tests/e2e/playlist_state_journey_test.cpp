// The shown playlist and its undo history in the real player under a private X server, driven
// with real clicks and keys at the layout's places: the playlist shown at exit comes back lit,
// listed and playing, and a refused deletion leaves the undo history and the totals as they were.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <filesystem>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "platform/fs/line_file.h"
#include "playlists/playlist_file.h"

namespace tarvel::testing {
namespace {

struct Song {
    std::string title;
    int hz = 0;
    int seconds = 0;
};

// A playlist file of tones, with the given row current.
void WritePlaylist(const AppDirFixture& app, const std::string& file,
                   const std::vector<Song>& songs, int current = 0) {
    std::vector<PlaylistSong> rows;
    for (const Song& song : songs) {
        rows.push_back({MakeToneMp3(app.FilePath("music/" + song.title), song.hz, song.seconds),
                        song.title, song.seconds * 1000, "64"});
    }
    app.WritePlaylist(file, rows, current);
}

// How red a part of a picture is: the mean of red minus blue. The lit tab of the skin is red, the
// others grey.
double Redness(const QImage& picture, const QRect& part) {
    const QImage x = picture.copy(part).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            sum += qRed(x.pixel(col, row)) - qBlue(x.pixel(col, row));
        }
    }
    return x.isNull() ? 0 : sum / (x.width() * x.height());
}

class PlaylistStateJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    // A part of the main window as it is on the screen now.
    QImage OnScreen(const QRect& part) {
        const std::string png = app.FilePath("screen.png");
        x.Screenshot(png);
        const XSession::Geometry at = x.WindowGeometry(window);
        return QImage(QString::fromStdString(png)).copy(part.translated(at.x, at.y));
    }

    // Which playlist's tab is lit: "PL1", "CD" or "PL2", the clearly reddest third of the tab
    // images' place.
    std::string LitTab() {
        const QRect tab = ControlRect(controls::Main::Img2Pl1);
        const QImage shown = OnScreen(tab);
        const char* names[] = {"PL1", "CD", "PL2"};
        const int third = tab.width() / 3;
        std::vector<double> red;
        for (int i = 0; i < 3; ++i) {
            red.push_back(Redness(shown, QRect(i * third, 0, third, tab.height())));
        }
        const auto lit = std::max_element(red.begin(), red.end()) - red.begin();
        for (int i = 0; i < 3; ++i) {
            if (i != lit) {
                EXPECT_GT(red[static_cast<size_t>(lit)], red[static_cast<size_t>(i)] + 20)
                    << "no tab is clearly lit";
            }
        }
        return names[lit];
    }

    // A press on the left (PL1) or the right (PL2) third of the playlist tabs.
    void ClickTab(bool right) {
        const QRect tab = ControlRect(controls::Main::Img2Pl1);
        x.Click(window, tab.left() + (right ? tab.width() - 10 : 10), tab.top() + tab.height() / 2);
    }

    // A click on a row of the playlist.
    void ClickRow(int row, bool double_click = false) {
        x.Click(window, ListRow(controls::Main::ListBox5, row), double_click);
    }
};

TEST_F(PlaylistStateJourney, ThePlaylistShownAtExitComesBackLitListedAndPlaying) {
    // Each with its first song current, so that showing it plays that song.
    WritePlaylist(app, "PlayListMainPL1.tpl", {{"alpha", 440, 20}, {"bravo", 550, 20}}, 1);
    WritePlaylist(app, "PlayListMainPL2.tpl", {{"xray", 880, 20}, {"yankee", 990, 20}}, 1);
    app.WriteSettings({kAutoPlay});

    // First run: PL1 plays; a press on the right third of the tab shows PL2 and plays its song.
    ASSERT_NO_FATAL_FAILURE(StartPlayer("alpha", "first.wav")) << "PL1's first song did not start";
    EXPECT_EQ(LitTab(), "PL1");
    ClickTab(true);
    ASSERT_TRUE(x.WaitForShown("xray", true)) << "PL2's song did not start";
    EXPECT_EQ(LitTab(), "PL2");
    CloseAndExpectExit();
    EXPECT_EQ(fs::ReadLines(app.FilePath("TvSysFile/conf.tcf")).at(9), "Img2Pl2=TRUE");

    // Second run: PL2's tab is lit, PL2's song plays, and the listed rows are PL2's (a double
    // click on the second row plays PL2's second song).
    ASSERT_NO_FATAL_FAILURE(StartPlayer("xray", "second.wav")) << "PL2's song did not start again";
    EXPECT_EQ(LitTab(), "PL2") << "the lit tab is not the playlist that plays";
    QThread::msleep(1000);  // long enough to be heard in the WAV
    ClickRow(1, true);
    ASSERT_TRUE(x.WaitForShown("yankee", true)) << "the second listed row is not PL2's";
    // A press on the lit tab's own third changes nothing; the left third goes back to PL1.
    ClickTab(true);
    ClickTab(false);
    ASSERT_TRUE(x.WaitForShown("alpha", true)) << "PL1 did not come back";
    EXPECT_EQ(LitTab(), "PL1");
    QThread::msleep(1000);
    CloseAndExpectExit();

    EXPECT_EQ(fs::ReadLines(app.FilePath("TvSysFile/conf.tcf")).at(9), "Img2Pl1=TRUE");
    playlists::TPlist pl2;
    ASSERT_TRUE(playlists::ReadPlaylistFile(pl2, app.FilePath("sort/PlayListMainPL2.tpl")));
    EXPECT_EQ(pl2.Count, 2);
    EXPECT_EQ(pl2.Current, 2) << "PL2 was left at its second song";
    const std::vector<int> heard = ToneOrder(ToneSegments(wav, {440, 880, 990}), 0.4);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front(), 880) << "the second run did not start with PL2's song";
    EXPECT_EQ(heard.back(), 440);
}

TEST_F(PlaylistStateJourney, ARefusedDeletionLeavesTheUndoHistoryAsItWas) {
    WritePlaylist(app, "PlayListMainPL1.tpl",
                  {{"alpha", 440, 20}, {"bravo", 550, 20}, {"charlie", 660, 20}});
    app.WriteSettings({kAutoPlay});
    ASSERT_NO_FATAL_FAILURE(StartPlayer("alpha")) << "the first song did not start";

    // A change: the third row is deleted.
    ClickRow(2);
    x.Key("Delete");
    // The playing first row cannot be deleted: Delete on it is refused.
    ClickRow(0);
    x.Key("Delete");
    // Undo takes back the change made, not the refused one: the third row returns.
    x.Key("ctrl+z");
    // A double click on the third row plays what it lists now.
    ClickRow(2, true);
    ASSERT_TRUE(x.WaitForShown("charlie", true)) << "the third row did not come back";
    // Heard for a while (the title counts the song's seconds) before the exit.
    ASSERT_TRUE(x.WaitForShown("charlie - 00:0[2-9]", true));
    CloseAndExpectExit();

    playlists::TPlist saved;
    ASSERT_TRUE(playlists::ReadPlaylistFile(saved, app.FilePath("sort/PlayListMainPL1.tpl")));
    ASSERT_EQ(Titles(saved), (std::vector<std::string>{"alpha", "bravo", "charlie"}));
    EXPECT_EQ(saved.Current, 3);
    const std::vector<int> heard = ToneOrder(ToneSegments(wav, {440, 550, 660}), 0.4);
    EXPECT_EQ(heard, (std::vector<int>{440, 660})) << "the undo restarted or skipped a song";
}

}  // namespace
}  // namespace tarvel::testing

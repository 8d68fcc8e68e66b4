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

#include "e2e/e2e_support.h"
#include "e2e/x_session.h"
#include "platform/fs/line_file.h"
#include "playlists/playlist_file.h"

namespace tarvel::testing {
namespace {

// Client coordinates of the design layout.
constexpr int kCloseX = 660 + 8, kCloseY = 10 + 8;
// Img2Pl1, Img2CD and Img2PL2, one over the other, centred over the playlist (a little wider
// here, so that the place holds the whole tab after the centring).
constexpr QRect kTab(373, 65, 114, 22);
constexpr int kTabPl1X = kTab.left() + 10, kTabPl2X = kTab.left() + 100;
constexpr int kTabY = kTab.top() + 11;
constexpr int kRowHeight = 16;
constexpr int kList5X = 355 + 50, kList5Y = 86 + 8;  // the middle of ListBox5's first row

struct Song {
    std::string title;
    int hz = 0;
    int seconds = 0;
};

// A playlist file of tones, with the given row current.
void WritePlaylist(const AppDirFixture& app, const std::string& file,
                   const std::vector<Song>& songs, int current = 0) {
    playlists::TPlayMasiv playlist;
    playlists::TMasPLayList& work = playlist.Work;
    work.Rows.assign(songs.size() + 2, std::vector<std::string>(library::kCellsPerRow));
    for (size_t i = 0; i < songs.size(); ++i) {
        std::vector<std::string>& row = work.Rows[i + 1];
        row[library::kArtist] = "Tone";
        row[library::kAlbum] = "Tests";
        row[library::kTitle] = songs[i].title;
        row[library::kDuration] = std::to_string(songs[i].seconds * 1000);
        row[library::kBitRate] = "64";
        row[library::kPath] =
            MakeToneMp3(app.FilePath("music/" + songs[i].title), songs[i].hz, songs[i].seconds);
    }
    work.Count = static_cast<int32_t>(songs.size());
    work.Current = current;
    std::filesystem::create_directories(app.FilePath("sort"));
    playlists::WritePlaylistFile(playlist, app.FilePath("sort/" + file));
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

class PlaylistStateJourney : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(x.Ok()); }
    void TearDown() override { EndIfRunning(player); }

    // Starts the player; the song playing at once names the main window.
    unsigned long Start(const std::string& wav, const QString& playing) {
        app.StartOnDisplay(player, x.Display(), wav);
        EXPECT_TRUE(app.WaitForWindows(player)) << "the player did not come up";
        return x.FindWindow(playing);
    }

    void CloseAndExpectExit(unsigned long window) {
        x.Click(window, kCloseX, kCloseY);
        ASSERT_TRUE(player.waitForFinished(30000)) << "the player did not end";
        EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(player.exitCode(), 0);
    }

    // A part of the main window as it is on the screen now.
    QImage OnScreen(unsigned long window, const QRect& part) {
        const std::string png = app.FilePath("screen.png");
        x.Screenshot(png);
        const XSession::Geometry at = x.WindowGeometry(window);
        return QImage(QString::fromStdString(png)).copy(part.translated(at.x, at.y));
    }

    // Which playlist's tab is lit: "PL1", "CD" or "PL2", the clearly reddest third of the tab
    // images' place.
    std::string LitTab(unsigned long window) {
        const QImage shown = OnScreen(window, kTab);
        const char* names[] = {"PL1", "CD", "PL2"};
        const int third = kTab.width() / 3;
        std::vector<double> red;
        for (int i = 0; i < 3; ++i) {
            red.push_back(Redness(shown, QRect(i * third, 0, third, kTab.height())));
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

    XSession x;
    AppDirFixture app;
    QProcess player;
};

TEST_F(PlaylistStateJourney, ThePlaylistShownAtExitComesBackLitListedAndPlaying) {
    // Each with its first song current, so that showing it plays that song.
    WritePlaylist(app, "PlayListMainPL1.tpl", {{"alpha", 440, 20}, {"bravo", 550, 20}}, 1);
    WritePlaylist(app, "PlayListMainPL2.tpl", {{"xray", 880, 20}, {"yankee", 990, 20}}, 1);
    app.WriteSettings({{3, "Loading Player=Auto load playList and Auto Play"}});

    // First run: PL1 plays; a press on the right third of the tab shows PL2 and plays its song.
    unsigned long window = Start(app.FilePath("first.wav"), "alpha");
    ASSERT_NE(window, 0u) << "PL1's first song did not start";
    EXPECT_EQ(LitTab(window), "PL1");
    x.Click(window, kTabPl2X, kTabY);
    ASSERT_TRUE(x.WaitForShown("xray", true)) << "PL2's song did not start";
    EXPECT_EQ(LitTab(window), "PL2");
    CloseAndExpectExit(window);
    EXPECT_EQ(fs::ReadLines(app.FilePath("TvSysFile/conf.tcf")).at(9), "Img2Pl2=TRUE");

    // Second run: PL2's tab is lit, PL2's song plays, and the listed rows are PL2's (a double
    // click on the second row plays PL2's second song).
    const std::string wav = app.FilePath("second.wav");
    window = Start(wav, "xray");
    ASSERT_NE(window, 0u) << "PL2's song did not start again";
    EXPECT_EQ(LitTab(window), "PL2") << "the lit tab is not the playlist that plays";
    QThread::msleep(1000);  // long enough to be heard in the WAV
    x.Click(window, kList5X, kList5Y + kRowHeight, true);
    ASSERT_TRUE(x.WaitForShown("yankee", true)) << "the second listed row is not PL2's";
    // A press on the lit tab's own third changes nothing; the left third goes back to PL1.
    x.Click(window, kTabPl2X, kTabY);
    x.Click(window, kTabPl1X, kTabY);
    ASSERT_TRUE(x.WaitForShown("alpha", true)) << "PL1 did not come back";
    EXPECT_EQ(LitTab(window), "PL1");
    QThread::msleep(1000);
    CloseAndExpectExit(window);

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
    app.WriteSettings({{3, "Loading Player=Auto load playList and Auto Play"}});
    const std::string wav = app.FilePath("out.wav");
    const unsigned long window = Start(wav, "alpha");
    ASSERT_NE(window, 0u) << "the first song did not start";

    // A change: the third row is deleted.
    x.Click(window, kList5X, kList5Y + 2 * kRowHeight);
    x.Key("Delete");
    // The playing first row cannot be deleted: Delete on it is refused.
    x.Click(window, kList5X, kList5Y);
    x.Key("Delete");
    // Undo takes back the change made, not the refused one: the third row returns.
    x.Key("ctrl+z");
    // A double click on the third row plays what it lists now.
    x.Click(window, kList5X, kList5Y + 2 * kRowHeight, true);
    ASSERT_TRUE(x.WaitForShown("charlie", true)) << "the third row did not come back";
    // Heard for a while (the title counts the song's seconds) before the exit.
    ASSERT_TRUE(x.WaitForShown("charlie - 00:0[2-9]", true));
    CloseAndExpectExit(window);

    playlists::TPlist saved;
    ASSERT_TRUE(playlists::ReadPlaylistFile(saved, app.FilePath("sort/PlayListMainPL1.tpl")));
    ASSERT_EQ(saved.Count, 3);
    EXPECT_EQ(saved.Rows[1][library::kTitle], "alpha");
    EXPECT_EQ(saved.Rows[2][library::kTitle], "bravo");
    EXPECT_EQ(saved.Rows[3][library::kTitle], "charlie");
    EXPECT_EQ(saved.Current, 3);
    const std::vector<int> heard = ToneOrder(ToneSegments(wav, {440, 550, 660}), 0.4);
    EXPECT_EQ(heard, (std::vector<int>{440, 660})) << "the undo restarted or skipped a song";
}

}  // namespace
}  // namespace tarvel::testing

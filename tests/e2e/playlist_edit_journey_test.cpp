// Editing the playlist under a private X server with the real mouse and keys: a library song
// dragged into the playlist while another plays, a row deleted, an A-B loop set on the playing
// song and heard, and the special copy of the playlist into a folder.
#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <filesystem>
#include <map>

#include "e2e/e2e_support.h"
#include "e2e/x_session.h"
#include "library/library_writer.h"
#include "playlists/playlist_file.h"

namespace tarvel::testing {
namespace {

// Client coordinates of the design layout.
constexpr int kRowHeight = 16;
constexpr int kList2X = 520 + 50, kList2Y = 66 + 8;
constexpr int kList4X = 179 + 50, kList4Y = 260 + 8;
constexpr int kList5X = 355 + 50, kList5Y = 86 + 8;
constexpr int kMarkX = 18 + 8, kMarkY = 30 + 7;
constexpr int kHeadX = 357 + 10, kHeadY = 48 + 7;
constexpr int kCloseX = 660 + 8, kCloseY = 10 + 8;

// The steps of the looped song: one second each, far enough apart to tell by ear (and by the
// zero-crossing count of ToneSegments).
const std::vector<int> kSteps = {300,  400,  500,  600,  700,  800,  950,
                                 1100, 1300, 1500, 1750, 2000, 2300, 2700};
constexpr int kLibraryTone = 880;

// A playlist row with the tags the special copy names its folders and files after.
std::vector<std::string> Row(const std::string& title, const std::string& track,
                             const std::string& path) {
    std::vector<std::string> row(library::kCellsPerRow);
    row[library::kArtist] = "Dawn";
    row[library::kAlbum] = "Blue Hour";
    row[library::kTitle] = title;
    row[library::kYear] = "1998";
    row[library::kTrack] = track;
    row[library::kDuration] = "14000";
    row[library::kBitRate] = "64";
    row[library::kPath] = path;
    return row;
}

// Every file below the folder by its relative path, with its bytes.
std::map<std::string, std::string> TreeOf(const std::string& folder) {
    std::map<std::string, std::string> tree;
    if (!std::filesystem::exists(folder)) {
        return tree;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            tree[std::filesystem::relative(entry.path(), folder).string()] =
                ReadBytes(entry.path().string());
        }
    }
    return tree;
}

class PlaylistEditJourney : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        const std::string music = app.FilePath("music");
        loop = MakeStepsMp3(music + "/loop", kSteps);
        two = MakeToneMp3(music, 3000, 4);
        three = MakeToneMp3(music, 3300, 4);
        WriteLibrary(app.AppDir(), {{"Moon", "Best", "Tide", "2001", "1", "4000", "64",
                                     MakeToneMp3(music, 660, 4)},
                                    {"Moon", "Best", "Ebb", "2001", "2", "4000", "64",
                                     MakeToneMp3(music, kLibraryTone, 4)}});
        playlists::TPlayMasiv pl1;
        pl1.Work.Rows = {std::vector<std::string>(library::kCellsPerRow), Row("Loop", "1", loop),
                         Row("Two", "2", two), Row("Three", "12", three)};
        pl1.Work.Count = 3;
        std::filesystem::create_directories(app.FilePath("sort"));
        playlists::WritePlaylistFile(pl1, app.FilePath("sort/PlayListMainPL1.tpl"));
        // Auto play starts row 1 at start-up; the copy goes to a folder of the test.
        app.WriteSettings(
            {{3, "Loading Player=Auto load playList and Auto Play"}, {23, "PachToCopyDir=" + out}});
        wav = app.FilePath("out.wav");
        app.StartOnDisplay(player, x.Display(), wav);
        ASSERT_TRUE(app.WaitForWindows(player)) << "the player did not come up";
        window = x.FindWindow("Loop");
        ASSERT_NE(window, 0u) << "the first row did not start";
    }

    void TearDown() override { EndIfRunning(player); }

    // Drags with button 1 held from one client point to another, in small steps.
    void Drag(int from_x, int from_y, int to_x, int to_y) {
        const QString id = QString::number(window);
        QStringList args{
            "mousemove", "--window", id, QString::number(from_x), QString::number(from_y),
            "mousedown", "1"};
        constexpr int kSteps = 8;
        for (int i = 1; i <= kSteps; ++i) {
            args << "sleep"
                 << "0.05"
                 << "mousemove"
                 << "--window" << id << QString::number(from_x + (to_x - from_x) * i / kSteps)
                 << QString::number(from_y + (to_y - from_y) * i / kSteps);
        }
        args << "sleep"
             << "0.3"
             << "mouseup"
             << "1";
        x.Run("xdotool", args);
    }

    XSession x;
    AppDirFixture app;
    const std::string out = app.FilePath("copied");
    std::string loop, two, three, wav;
    QProcess player;
    unsigned long window = 0;
};

TEST_F(PlaylistEditJourney, DragDeleteLoopAndSpecialCopy) {
    // Moon's songs by track: Tide, Ebb. Ebb is dragged onto the first playlist row.
    x.Click(window, kList2X, kList2Y);
    QThread::msleep(300);
    Drag(kList4X, kList4Y + kRowHeight, kList5X, kList5Y);
    QThread::msleep(300);
    // The rows now read Ebb, Loop, Two, Three; Two is selected and deleted.
    x.Click(window, kList5X, kList5Y + 2 * kRowHeight);
    x.Key("Delete");
    // A and then B two seconds later on the playing song: from then on it loops between them.
    x.Click(window, kMarkX, kMarkY);
    QThread::msleep(2000);
    x.Click(window, kMarkX, kMarkY);
    QThread::msleep(4500);
    // Playlist menu (left part of the head label): Copy PList to Dir > Special copy > Copy.
    x.Click(window, kHeadX, kHeadY);
    QThread::msleep(300);
    for (const char* key : {"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Right", "Down",
                            "Down", "Right", "Return"}) {
        x.Key(key);
        QThread::msleep(100);
    }
    QThread::msleep(500);
    x.Click(window, kCloseX, kCloseY);
    ASSERT_TRUE(player.waitForFinished(30000)) << "the player did not end";
    EXPECT_EQ(player.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player.exitCode(), 0);

    // The playlist as saved at exit: the dropped song first, the playing one still current.
    playlists::TPlist saved;
    ASSERT_TRUE(playlists::ReadPlaylistFile(saved, app.FilePath("sort/PlayListMainPL1.tpl")));
    ASSERT_EQ(saved.Count, 3);
    EXPECT_EQ(saved.Rows[1][library::kTitle], "Ebb");
    EXPECT_EQ(saved.Rows[2][library::kTitle], "Loop");
    EXPECT_EQ(saved.Rows[3][library::kTitle], "Three");
    EXPECT_EQ(saved.Current, 2) << "the playing song stays current after the drop";

    // Heard: the steps rising, then a jump back (the loop), and never the dropped song.
    std::vector<int> tones = kSteps;
    tones.push_back(kLibraryTone);
    const std::vector<int> order = ToneOrder(ToneSegments(wav, tones), 0.4);
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), 300);
    bool jumped_back = false;
    for (size_t i = 1; i < order.size(); ++i) {
        jumped_back = jumped_back || order[i] < order[i - 1];
        EXPECT_NE(order[i], kLibraryTone) << "a drop never starts playback";
    }
    EXPECT_TRUE(jumped_back) << "no loop heard";
    EXPECT_LT(order.back(), 2700) << "the loop did not hold the song";

    // The special copy with the options as laid out.
    EXPECT_EQ(TreeOf(out),
              (std::map<std::string, std::string>{
                  {"Moon/2001 - Best/02 - Ebb.mp3", ReadBytes(saved.Rows[1][library::kPath])},
                  {"Dawn/1998 - Blue Hour/01 - Loop.mp3", ReadBytes(loop)},
                  {"Dawn/1998 - Blue Hour/12 - Three.mp3", ReadBytes(three)}}));
}

}  // namespace
}  // namespace tarvel::testing

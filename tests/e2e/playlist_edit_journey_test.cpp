// Editing the playlist under a private X server with the real mouse and keys: a library song
// dragged into the playlist while another plays, a row deleted, an A-B loop set on the playing
// song and heard, and the special copy of the playlist into a folder.
#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <filesystem>
#include <map>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "library/library_writer.h"
#include "playlists/playlist_file.h"

namespace tarvel::testing {
namespace {

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

class PlaylistEditJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    void SetUp() override {
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
        app.WriteSettings({kAutoPlay, {23, "PachToCopyDir=" + out}});
        StartPlayer("Loop");
    }

    // Drags with button 1 held from one client point to another, in small steps.
    void Drag(QPoint from, QPoint to) {
        const QString id = QString::number(window);
        QStringList args{
            "mousemove", "--window", id, QString::number(from.x()), QString::number(from.y()),
            "mousedown", "1"};
        constexpr int kSteps = 8;
        for (int i = 1; i <= kSteps; ++i) {
            args << "sleep"
                 << "0.05"
                 << "mousemove"
                 << "--window" << id << QString::number(from.x() + (to.x() - from.x()) * i / kSteps)
                 << QString::number(from.y() + (to.y() - from.y()) * i / kSteps);
        }
        args << "sleep"
             << "0.3"
             << "mouseup"
             << "1";
        x.Run("xdotool", args);
    }

    const std::string out = app.FilePath("copied");
    std::string loop, two, three;
};

TEST_F(PlaylistEditJourney, DragDeleteLoopAndSpecialCopy) {
    // Moon's songs by track: Tide, Ebb. Ebb is dragged onto the first playlist row.
    x.Click(window, ListRow(controls::Main::ListBox2, 0));
    QThread::msleep(300);
    Drag(ListRow(controls::Main::ListBox4, 1), ListRow(controls::Main::ListBox5, 0));
    QThread::msleep(300);
    // The rows now read Ebb, Loop, Two, Three; Two is selected and deleted.
    x.Click(window, ListRow(controls::Main::ListBox5, 2));
    x.Key("Delete");
    // A and then B two seconds later on the playing song: from then on it loops between them.
    Click(controls::Main::ImgMark);
    QThread::msleep(2000);
    Click(controls::Main::ImgMark);
    QThread::msleep(4500);
    // Playlist menu (the left part of the playlist's head): Copy PList to Dir > Special copy >
    // Copy.
    const QRect head = ControlRect(controls::Main::ImgPlayListAZ);
    x.Click(window, head.left() + 10, head.top() + head.height() / 2);
    QThread::msleep(300);
    for (const char* key : {"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Right", "Down",
                            "Down", "Right", "Return"}) {
        x.Key(key);
        QThread::msleep(100);
    }
    QThread::msleep(500);
    CloseAndExpectExit();

    // The playlist as saved at exit: the dropped song first, the playing one still current.
    playlists::TPlist saved;
    ASSERT_TRUE(playlists::ReadPlaylistFile(saved, app.FilePath("sort/PlayListMainPL1.tpl")));
    ASSERT_EQ(Titles(saved), (std::vector<std::string>{"Ebb", "Loop", "Three"}));
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

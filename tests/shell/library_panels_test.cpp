// The library panels, the search and the command box in the real main window, driven through
// the window as a user's mouse and keys would.
#include "shell/library_panels.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_vr.h"
#include "library/library_writer.h"
#include "platform/text/unicode.h"
#include "playlists/playlist_model.h"
#include "shell/main_menus.h"
#include "shell/main_window_rig.h"

namespace tarvel {
namespace {

using Names = std::vector<std::string>;

// The library is written after the window is made and read as after a scan.
class LibraryPanelsRig : public MainWindowRig {
  protected:
    // A library of songs (artist, album, title, track), 245 000 ms at 192 kbit/s each.
    void WriteLibrary(const std::vector<std::array<std::string, 4>>& songs) {
        std::vector<testing::FixtureSong> fixture;
        for (const auto& [artist, album, title, track] : songs) {
            fixture.push_back({artist, album, title, "2001", track, "245000", "192"});
        }
        testing::WriteLibrary(app, fixture);
    }

    controls::TCListBox& List(int n) { return controls().List(n); }
    void Press(int n, int i) { QTest::mouseClick(handle(), Qt::LeftButton, {}, ItemAt(n, i)); }
    void DoubleClick(int n, int i) {
        QTest::mouseDClick(handle(), Qt::LeftButton, {}, ItemAt(n, i));
    }
    void Type(const QString& keys) {
        for (const QChar c : keys) {
            QTest::keyClick(handle(), c.toLatin1());
        }
    }
    QAction* Action(QObject& menu, const char* name) {
        QAction* action = menu.findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    library::LibraryBrowser& Browser() { return form->LibraryPanels().Browser(); }
};

TEST_F(LibraryPanelsRig, ChoosingArtistsAlbumsAndSongsWithTheMouseAndTheKeys) {
    WriteLibrary({{"Звезда", "Утро", "Rain", "1"},
                  {"Moon", "Best", "Tide", "2"},
                  {"Moon", "Best", "Ebb", "1"},
                  {"Moon", "Live", "Wave", "1"},
                  {"Abba", "Gold", "Money", "1"}});
    run->FillArtistPanels();
    EXPECT_EQ(Items(1), (Names{"1. Звезда"}));
    EXPECT_EQ(Items(2), (Names{"1. Abba", "2. Moon"}));

    Press(2, 1);
    // Equal years keep the order the albums first appear in the songs.
    EXPECT_EQ(Items(3), (Names{"1. Live", "2. Best"}));
    EXPECT_EQ(Items(4), (Names{"1. Wave", "2. Ebb", "3. Tide"})) << "by track, equal ones reversed";
    Press(3, 1);
    EXPECT_EQ(Items(4), (Names{"1. Ebb", "2. Tide"}));
    EXPECT_EQ(Browser().DragSourceKind, 3);
    Press(4, 1);
    EXPECT_EQ(Browser().DragSourceSong, 2);

    // Up on the first artist chooses it again and the selection stays.
    Press(2, 0);
    EXPECT_EQ(Items(4), (Names{"1. Money"}));
    QTest::keyClick(handle(), Qt::Key_Up);
    EXPECT_EQ(List(2).currentRow(), 0);
    EXPECT_EQ(Items(4), (Names{"1. Money"}));
    QTest::keyClick(handle(), Qt::Key_Down);
    EXPECT_EQ(List(2).currentRow(), 1);
    EXPECT_EQ(Items(4).size(), 3u) << "Down chose Moon";
    Press(1, 0);
    EXPECT_EQ(List(2).currentRow(), -1) << "pressing one artist panel clears the other";

    // Double click on a song, Enter on an album: the songs go into the playlist.
    Press(2, 1);
    DoubleClick(4, 0);
    ASSERT_EQ(run->Playlists().Work().Count, 1);
    EXPECT_EQ(run->Playlists().Work().Rows[1][library::kTitle], "Wave");
    Press(3, 1);
    QTest::keyClick(handle(), Qt::Key_Return);
    EXPECT_EQ(run->Playlists().Work().Count, 3);
}

TEST_F(LibraryPanelsRig, SortMenusReorderWhatIsShown) {
    WriteLibrary(
        {{"Moon", "Zeta", "b", "2"}, {"Moon", "Alpha", "a", "1"}, {"Moon", "Zeta", "c", "1"}});
    run->FillArtistPanels();
    Press(2, 0);
    EXPECT_EQ(Items(3), (Names{"1. Zeta", "2. Alpha"})) << "equal years keep their order";
    Action(*form->LibraryPanels().AlbSort, "ByAz")->trigger();
    EXPECT_EQ(Items(3), (Names{"1. Alpha", "2. Zeta"}));
    EXPECT_TRUE(run->Settings().Checked(config::Item::ByAz));
    Action(*form->LibraryPanels().SortSong, "ByAZsong")->trigger();
    EXPECT_EQ(Items(4), (Names{"1. a", "2. b", "3. c"}));
    EXPECT_FALSE(run->Settings().Checked(config::Item::ByNomSong));
}

TEST_F(LibraryPanelsRig, TheHintAndShowFileLocationFollowThePointer) {
    WriteLibrary({{"Moon", "Best", "Tide", "1"}});
    run->FillArtistPanels();
    Press(2, 0);
    QTest::mouseMove(handle(), ItemAt(4, 0));
    EXPECT_EQ(Browser().HintText(), "Moon - Best - Tide - 04:05 - 192 kbps");
    QCursor::setPos(handle()->mapToGlobal(ItemAt(4, 0)));
    Action(*form->LibraryPanels().PopupMenu1, "SHowfilelocation1")->trigger();
    EXPECT_EQ(services.Calls().back(), "ShowInFolder\t/music/Tide.mp3");
    QCursor::setPos(handle()->mapToGlobal(Centre(controls::Main::ImgPlayPause)));
    const size_t calls = services.Calls().size();
    Action(*form->LibraryPanels().PopupMenu1, "SHowfilelocation1")->trigger();
    EXPECT_EQ(services.Calls().size(), calls) << "the pointer left the song panel";
}

// The visible label a hint is shown in, or null.
QWidget* ShownHint() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "qtooltip_label" && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

// The song panel's hint waits for the pointer to rest for a second, as every hint does, stands
// 1 pixel left of the panel and 3 pixels above the bottom edge of the hovered row, and stays ten
// seconds however long its text.
TEST_F(LibraryPanelsRig, TheSongHintWaitsASecondStandsBesideItsRowAndStaysTenSeconds) {
    const std::string title(200, 'w');
    WriteLibrary({{"Moon", "Best", "Tide", "1"}, {"Moon", "Best", title, "2"}});
    run->FillArtistPanels();
    Press(2, 0);
    ASSERT_EQ(Items(4), (Names{"1. Tide", "2. " + title}));
    QTest::mouseMove(handle(), ItemAt(4, 1));
    QElapsedTimer rested;
    rested.start();
    EXPECT_EQ(ShownHint(), nullptr) << "not at once";
    ASSERT_TRUE(QTest::qWaitFor([] { return ShownHint() != nullptr; }, 5000));
    // Qt's hint timer may fire up to 5 % early.
    EXPECT_GE(rested.elapsed(), 950);
    rested.restart();
    EXPECT_EQ(QToolTip::text().toStdString(), "Moon - Best - " + title + " - 04:05 - 192 kbps");
    controls::TCListBox& songs = List(4);
    const QRect row = songs.visualRect(songs.model()->index(1, 0));
    const QPoint place(songs.mapToGlobal(QPoint(-1, 0)).x(),
                       songs.viewport()->mapToGlobal(QPoint(0, row.top() + row.height() - 3)).y());
    EXPECT_EQ(ShownHint()->pos(), place);
    ASSERT_TRUE(QTest::qWaitFor([] { return ShownHint() == nullptr; }, 20000));
    EXPECT_GE(rested.elapsed(), 9500);
    EXPECT_LT(rested.elapsed(), 13000) << "Qt would keep a hint this long 15.3 s";
}

TEST_F(LibraryPanelsRig, TheArtistPanelModeChosenTwiceChangesNothingMore) {
    WriteLibrary({{"Звезда", "A", "Rain", "1"}, {"Moon", "B", "Tide", "1"}});
    run->FillArtistPanels();
    const QSize separate = form->size();
    QAction* incorporated = Action(*form->Menus().OptionsMenu, "mIncorporated1");
    incorporated->trigger();
    const QSize one_panel = form->size();
    EXPECT_EQ(one_panel.width(), separate.width() - 150 - 10);
    EXPECT_EQ(Items(1), (Names{"1. Moon", "2. Звезда"}));
    EXPECT_TRUE(List(2).isHidden());
    incorporated->trigger();
    EXPECT_EQ(form->size(), one_panel);
    QAction* two = Action(*form->Menus().OptionsMenu, "mSeparateRusEng");
    two->trigger();
    two->trigger();
    EXPECT_EQ(form->size(), separate);
    EXPECT_EQ(Items(1), (Names{"1. Звезда"}));
    EXPECT_EQ(Items(2), (Names{"1. Moon"}));
}

TEST_F(LibraryPanelsRig, TypingSearchesAndEnterRunsTheCommandLine) {
    WriteLibrary({{"Moon", "Best", "Tide", "1"}, {"Moon", "Best", "Ebb", "2"}});
    run->FillArtistPanels();
    controls().Gauge1->show();
    List(5).setFocus();
    Type("ti");  // typed over the playlist: into the box, searching titles of the library
    EXPECT_EQ(controls().CmdSearch->text(), "ti");
    EXPECT_EQ(Items(4), (Names{"1. Tide"}));
    QTest::keyClick(handle(), Qt::Key_Return);
    EXPECT_EQ(controls().CmdSearch->text(), "");
    EXPECT_FALSE(controls().Gauge1->isVisible());

    const size_t calls = services.Calls().size();
    Type("/ebb");
    EXPECT_EQ(Items(4), (Names{})) << "a command is not searched; the emptied box was";
    QTest::keyClick(handle(), Qt::Key_Return);
    EXPECT_EQ(services.Calls().size(), calls);

    // The search options are settings: a scope and a match kind.
    Action(*form->LibraryPanels().SearchOpt, "Artist1")->trigger();
    Action(*form->LibraryPanels().SearchOpt, "StartAt1")->trigger();
    EXPECT_TRUE(run->Settings().Checked(config::Item::Artist1));
    EXPECT_FALSE(run->Settings().Checked(config::Item::InAllLibrary2));
    Type("oo");
    EXPECT_TRUE(Items(2).empty()) << "Moon does not start with oo";

    // Reboot saves the run first, then powers the computer off.
    std::filesystem::remove(app + "/TvSysFile/conf.tcf");
    QTest::keyClick(handle(), Qt::Key_Backspace);
    QTest::keyClick(handle(), Qt::Key_Backspace);
    controls().CmdSearch->setText("\\reboot");
    QTest::keyClick(handle(), Qt::Key_Return);
    EXPECT_TRUE(std::filesystem::exists(app + "/TvSysFile/conf.tcf"));
    EXPECT_EQ(services.Calls().back(), "Shutdown\tPowerOff");
}

// A tiny MP3 of the given artist: a version-2 tag and one frame.
std::string TinyMp3(const std::string& artist) {
    const auto text = [](const std::string& value) { return std::string(1, '\0') + value; };
    const auto frame = [](const std::string& id, const std::string& data) {
        const auto size = static_cast<uint32_t>(data.size());
        return id + std::string{char(size >> 24), char(size >> 16), char(size >> 8), char(size)} +
               std::string(2, '\0') + data;
    };
    const std::string frames = frame("TPE1", text(artist)) + frame("TIT2", text("Song"));
    const auto size = static_cast<uint32_t>(frames.size());
    std::string tag = "ID3\x03" + std::string(2, '\0');
    for (int shift : {21, 14, 7, 0}) {
        tag += static_cast<char>((size >> shift) & 0x7F);
    }
    std::string frame_bytes = "\xFF\xFB\x90\x44" + std::string(413, '\0');
    return tag + frames + frame_bytes;
}

TEST_F(LibraryPanelsRig, AScanRunsBesideTheWindowAndItsLibraryComesWhenItEnds) {
    WriteLibrary({{"Moon", "Best", "Tide", "1"}});
    fs::WriteLines(app + "/sort/path.tan", {"/music/Tide.mp3"});
    run->FillArtistPanels();
    const std::string music = dir / "music";
    for (int i = 0; i < 3000; ++i) {
        testing::WriteBytes(music + "/" + std::to_string(i % 30) + "/" + std::to_string(i) + ".mp3",
                            TinyMp3("Band " + std::to_string(i % 30)));
    }
    QAction* add = Action(*form->Menus().MyLibrary, "Adddirectory1");
    services.QueueAnswer(music);
    add->trigger();
    // The menu item has returned with the scan still running: a second one is refused.
    EXPECT_TRUE(run->Background().Busy());
    add->trigger();
    Action(*form->Menus().MyLibrary, "ClearLibraryandAdddir1")->trigger();
    ASSERT_TRUE(WaitForBackgroundWork());
    EXPECT_EQ(std::count(services.Calls().begin(), services.Calls().end(),
                         std::string("MessageBox\tTarvel\t") + library::kBusyText + "\tOk"),
              2);
    EXPECT_EQ(List(2).count(), 31) << "Moon and the 30 bands, refilled when the scan ended";
    EXPECT_FALSE(controls().Gauge1->isVisible());
    EXPECT_TRUE(controls().CmdSearch->isVisible());

    // Closed while a scan runs: the library is the last complete one, nothing half-written.
    const std::string all_song = testing::ReadBytes(app + "/sort/allsong.tft");
    services.QueueAnswer(music);
    Action(*form->Menus().MyLibrary, "ClearLibraryandAdddir1")->trigger();
    form->close();
    EXPECT_FALSE(run->Background().Busy());
    const std::string after = testing::ReadBytes(app + "/sort/allsong.tft");
    EXPECT_TRUE(after == all_song || after.find("Tide") == std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(app + "/sort/.library.new"));
}

}  // namespace
}  // namespace tarvel

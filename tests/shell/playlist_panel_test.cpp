// The playlist list ListBox5 in the real main window: keys, double click, drops from the library
// panels and inside the list, hints, the playlist menu, the A-B marks and the copy items, driven
// through the window as a user's mouse and keys would.
#include "shell/playlist_panel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCursor>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QToolTip>
#include <algorithm>

#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "library/library_writer.h"
#include "platform/text/unicode.h"
#include "playlists/ab_marks.h"
#include "playlists/playlist_model.h"
#include "shell/library_panels.h"
#include "shell/main_menus.h"
#include "shell/main_window_rig.h"

namespace tarvel {
namespace {

using Names = std::vector<std::string>;

class PlaylistPanelRig : public MainWindowRig {
  protected:
    shell::PlaylistPanel& Panel() { return *form->findChild<shell::PlaylistPanel*>(); }
    playlists::TMasPLayList& Work() { return run->Playlists().Work(); }
    controls::TCListBox& List(int n) { return controls().List(n); }
    // A point of ListBox5 below its items, in the window.
    QPoint BelowItems() { return List(5).mapTo(form, QPoint(10, List(5).height() - 4)); }
    void Press(int n, int i) { QTest::mouseClick(handle(), Qt::LeftButton, {}, ItemAt(n, i)); }
    // The playlist shows row `current` of `count` rows (titles Song1..) as playing; nothing is
    // handed to an engine, so no song starts unless the handlers start one. The rows are a real
    // song, so one that starts plays on the manual output and does not end by itself.
    void Playing(int count, int current) {
        LoadRows(count);
        const std::string song = QuietToneMp3(dir.path(), 440, 2);
        for (int row = 1; row <= count; ++row) {
            Work().Rows[static_cast<size_t>(row)][library::kPath] = song;
        }
        Work().Current = current;
        Work().PlayState = 1;
        run->Playlists().MarkCurrentSong(playlists::PlayCommand::Play);
    }
    // Drags data of the given type into ListBox5 and drops it at a window point.
    void Drop(const QPoint& at, const QString& format = shell::PlaylistPanel::kDragFormat) {
        QMimeData mime;
        mime.setData(format, QByteArray("x"));
        QWidget* viewport = List(5).viewport();
        const QPoint point = viewport->mapFrom(form, at);
        QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDropEvent drop(QPointF(point), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
    }
    Names Numbered(std::initializer_list<int> numbers) {
        Names items;
        int i = 0;
        for (int n : numbers) {
            items.push_back(std::to_string(++i) + ". Song" + std::to_string(n));
        }
        return items;
    }
};

TEST_F(PlaylistPanelRig, DeleteKeyEnterDoubleClickAndUnselect) {
    Playing(8, 5);
    Press(5, 1);
    QTest::keyClick(handle(), Qt::Key_Delete);
    EXPECT_EQ(Items(5), Numbered({1, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Work().Current, 4);
    EXPECT_EQ(List(5).MarkedIndex(), 3);
    EXPECT_EQ(List(5).currentRow(), 1) << "the next row is selected";
    // The playing row is never deleted.
    Press(5, 3);
    QTest::keyClick(handle(), Qt::Key_Delete);
    EXPECT_EQ(Work().Count, 7);
    // The last row: the one before it is selected.
    Press(5, 6);
    QTest::keyClick(handle(), Qt::Key_Delete);
    EXPECT_EQ(Items(5), Numbered({1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(List(5).currentRow(), 5);
    // Ctrl unselects; Enter with nothing selected plays nothing.
    QTest::keyClick(handle(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(List(5).currentRow(), -1);
    QTest::keyClick(handle(), Qt::Key_Return);
    EXPECT_EQ(Work().Current, 4);

    Press(5, 1);
    QTest::keyClick(handle(), Qt::Key_Return);
    EXPECT_EQ(Work().Current, 2);
    EXPECT_EQ(Work().UndoKind, 1);
    QTest::mouseDClick(handle(), Qt::LeftButton, {}, ItemAt(5, 5));
    EXPECT_EQ(Work().Current, 6);
    EXPECT_EQ(List(5).MarkedIndex(), 5);
}

TEST_F(PlaylistPanelRig, DropsFromTheLibraryPanelsAndMovesInsideTheList) {
    testing::WriteLibrary(app, {{"Moon", "Best", "Tide", "2001", "1"},
                                {"Moon", "Best", "Ebb", "2001", "2"},
                                {"Moon", "Best", "Wave", "2001", "3"},
                                {"Moon", "Live", "Crowd", "2001", "1"}});
    run->FillArtistPanels();
    Playing(4, 4);
    Press(2, 0);  // the artist: kind 2
    const Names albums = Items(3);
    const auto best = std::find(albums.begin(), albums.end(), "1. Best") != albums.end() ? 0 : 1;
    Press(3, best);  // album Best: kind 3
    ASSERT_EQ(Items(4), (Names{"1. Tide", "2. Ebb", "3. Wave"}));
    Drop(ItemAt(5, 0));
    EXPECT_EQ(Items(5), (Names{"1. Tide", "2. Ebb", "3. Wave", "4. Song1", "5. Song2", "6. Song3",
                               "7. Song4"}));
    EXPECT_EQ(Work().Current, 7);
    EXPECT_EQ(List(5).MarkedIndex(), 6);
    EXPECT_EQ(Work().SongCaption, "") << "a drop never starts a song";

    Press(4, 1);  // the song Ebb: kind 4
    Drop(BelowItems());
    EXPECT_EQ(Work().Count, 8);
    EXPECT_EQ(Items(5).back(), "8. Ebb");
    EXPECT_EQ(Work().Current, 7);

    Press(2, 0);  // the whole artist at row 2
    Drop(ItemAt(5, 1));
    EXPECT_EQ(Work().Count, 12);
    EXPECT_EQ(Work().Current, 11);

    // A move inside the list: the playing row from 11 to 1.
    Press(5, 10);
    Drop(ItemAt(5, 0));
    EXPECT_EQ(Items(5)[0], "1. Song4");
    EXPECT_EQ(Work().Current, 1);
    EXPECT_EQ(List(5).MarkedIndex(), 0);

    // Files dragged in from elsewhere are not the list's to take.
    Drop(ItemAt(5, 0), "text/uri-list");
    EXPECT_EQ(Work().Count, 12);
}

TEST_F(PlaylistPanelRig, HintsBesideTheRowAndShowFileLocation) {
    LoadRows(3);
    Work().Rows[1][library::kAlbum] = "Blue";
    Work().Rows[1][library::kBitRate] = "192";
    Work().Rows[3][library::kGenre] = "CD";
    QTest::mouseMove(handle(), ItemAt(5, 0));
    EXPECT_EQ(Panel().HintRow, 1);
    EXPECT_EQ(Panel().HintText, "Artist - Blue - Song1 - 01:00 - 192 kbps");
    QHelpEvent help(QEvent::ToolTip, List(5).viewport()->mapFrom(form, ItemAt(5, 0)),
                    handle()->mapToGlobal(ItemAt(5, 0)));
    QCoreApplication::sendEvent(List(5).viewport(), &help);
    EXPECT_EQ(QToolTip::text(), "Artist - Blue - Song1 - 01:00 - 192 kbps");
    QTest::mouseMove(handle(), ItemAt(5, 2));
    EXPECT_EQ(Panel().HintText, "CD - Song3");
    QTest::mouseMove(handle(), BelowItems());
    EXPECT_EQ(Panel().HintRow, -1);
    EXPECT_EQ(Panel().HintText, "");

    QTest::mouseMove(handle(), ItemAt(5, 1));
    QCursor::setPos(handle()->mapToGlobal(ItemAt(5, 1)));
    QAction* show = form->LibraryPanels().PopupMenu1->findChild<QAction*>("SHowfilelocation1");
    show->trigger();
    EXPECT_EQ(services.Calls().back(), "ShowInFolder\t/nowhere/Song2.mp3");
    QCursor::setPos(handle()->mapToGlobal(Centre(controls::Main::ImgPlayPause)));
    const size_t calls = services.Calls().size();
    show->trigger();
    EXPECT_EQ(services.Calls().size(), calls) << "the pointer left the playlist";
}

TEST_F(PlaylistPanelRig, PlaylistMenuOnTheLeftOfTheHeadLabelWithItsItems) {
    QWidget& label = controls().Widget(controls::Main::ImgPlayListAZ);
    ASSERT_EQ(label.width(), 66);
    QMenu& menu = *Panel().PlaylistMenu;
    const struct {
        int x;
        bool opens;
    } presses[] = {{0, true}, {26, true}, {27, false}, {60, false}};
    for (const auto& p : presses) {
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(p.x, 5));
        EXPECT_EQ(menu.isVisible(), p.opens) << p.x;
        menu.hide();
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(p.x, 5));
    }
    const auto action = [&](const char* name) { return menu.findChild<QAction*>(name); };
    for (const char* name : {"ClearPlayList1", "ShufflePlaylist1", "SavePlaylist1", "LoadPlaylist1",
                             "UndoCtrlZ1", "Enabled1", "MSetPath", "MCopy", "Copy1", "mDir_Albom",
                             "mDir_Year_Albom", "mFileName_Title", "mFileName_Num_Title",
                             "mFileName_Artiat_Title", "mFileName_Num_Artiat_Title"}) {
        EXPECT_NE(action(name), nullptr) << name;
    }
    EXPECT_FALSE(action("UndoCtrlZ1")->isVisible());
    EXPECT_FALSE(action("SpecialAdd1")->isEnabled());
    EXPECT_TRUE(action("mDir_Year_Albom")->isChecked());
    EXPECT_TRUE(action("mFileName_Num_Title")->isChecked());

    LoadRows(3);
    action("ClearPlayList1")->trigger();
    EXPECT_EQ(Work().Count, 0);
    EXPECT_TRUE(Items(5).empty());
}

TEST_F(PlaylistPanelRig, CopyItemsWriteTheChosenTreeAndTheGaugeGoesBack) {
    const std::string music = dir / "music";
    const std::string out = dir / "out";
    testing::WriteBytes(music + "/a.mp3", "first");
    testing::WriteBytes(music + "/b.mp3", "second");
    LoadRows(2);
    for (int row = 1; row <= 2; ++row) {
        auto& cells = Work().Rows[static_cast<size_t>(row)];
        cells[library::kAlbum] = "Blue Hour";
        cells[library::kYear] = "1998";
        cells[library::kTrack] = row == 1 ? "3" : "12";
        cells[library::kPath] = music + (row == 1 ? "/a.mp3" : "/b.mp3");
    }
    QMenu& menu = *Panel().PlaylistMenu;
    services.QueueAnswer(out);
    menu.findChild<QAction*>("MSetPath")->trigger();
    EXPECT_EQ(run->Settings().PachToCopyDir, out);
    menu.findChild<QAction*>("mFileName_Artiat_Title")->trigger();
    menu.findChild<QAction*>("mDir_Albom")->trigger();
    menu.findChild<QAction*>("Copy1")->trigger();
    ASSERT_TRUE(WaitForBackgroundWork());
    EXPECT_EQ(testing::ReadBytes(out + "/Artist/Blue Hour/Artist - Song1.mp3"), "first");
    EXPECT_EQ(testing::ReadBytes(out + "/Artist/Blue Hour/Artist - Song2.mp3"), "second");
    EXPECT_FALSE(controls().Gauge1->isVisible());
    EXPECT_TRUE(controls().CmdSearch->isVisible());
    menu.findChild<QAction*>("MCopy")->trigger();
    ASSERT_TRUE(WaitForBackgroundWork());
    EXPECT_EQ(testing::ReadBytes(out + "/b.mp3"), "second");
}

// A click on the playlist's time shows the playlist's size in its place, a click on the size
// the time again; neither press is taken as the start of a window move.
TEST_F(PlaylistPanelRig, ClickingTheTimeShowsTheSizeAndBack) {
    LoadRows(2);
    QWidget& time = controls().Widget(controls::Main::StaticText2);
    QWidget& size = controls().Widget(controls::Main::StaticText3);
    const QPoint at = time.geometry().center();
    QTest::mouseClick(handle(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(time.isVisible());
    EXPECT_TRUE(size.isVisible());
    EXPECT_EQ(size.toolTip(), "Time/Size in MB");
    EXPECT_EQ(static_cast<QLabel&>(size).text(), "0Mb") << "rows without a bit rate";
    QTest::mouseClick(handle(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(time.isVisible());
    EXPECT_FALSE(size.isVisible());
}

TEST_F(PlaylistPanelRig, MarkButtonPlacesTheMarkersAndSwapsAnEarlierB) {
    LoadRows(2);
    controls::TKVRScrollerH& bar = *controls().TimeSKRL;
    bar.SetMax(200);
    QWidget& left = controls().Widget(controls::Main::MarkL);
    QWidget& right = controls().Widget(controls::Main::MarkR);
    const auto x_of = [&](int seconds) {
        return playlists::MarkX(seconds, bar.width(), 200, bar.x());
    };
    run->Settings().Check(config::Item::Enabled1);
    bar.SetPosition(100);
    Work().PositionMs = 100000;
    QTest::mouseClick(&controls().Widget(controls::Main::ImgMark), Qt::LeftButton);
    EXPECT_EQ(Work().MarkA, 100000);
    EXPECT_FALSE(run->Settings().Checked(config::Item::Enabled1));
    EXPECT_TRUE(left.isVisible());
    EXPECT_EQ(left.x() + left.width(), x_of(100));

    // B before A: the two swap.
    bar.SetPosition(40);
    Work().PositionMs = 40000;
    QTest::mouseClick(&controls().Widget(controls::Main::ImgMark), Qt::LeftButton);
    EXPECT_EQ(Work().MarkA, 40000);
    EXPECT_EQ(Work().MarkB, 100000);
    EXPECT_EQ(Panel().MarkLoopFlag, 1);
    EXPECT_EQ(right.x() + right.width(), x_of(100));
    EXPECT_EQ(left.x() + left.width(), x_of(40));
    EXPECT_TRUE(right.isVisible());

    QTest::mouseClick(&controls().Widget(controls::Main::ImgMark), Qt::LeftButton);
    EXPECT_EQ(Work().MarkA, 0);
    EXPECT_EQ(Work().MarkB, 0);
    EXPECT_FALSE(left.isVisible());
    EXPECT_FALSE(right.isVisible());
    EXPECT_EQ(Panel().MarkLoopFlag, 0);
}

}  // namespace
}  // namespace tarvel

// The small playlist window as the program makes it, opened from the mini player and driven by
// the mouse and the keyboard through its own window.
#include "windows/talik_window.h"

#include <gtest/gtest.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>

#include "controls/c_list_box.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "transport/transport.h"
#include "windows/secondary_windows_rig.h"

namespace tarvel {
namespace {

class SmallPlaylist : public SecondaryWindowsRig {
  protected:
    controls::TCListBox& List() { return small_list.List(); }
    playlists::TMasPLayList& Work() { return run->Playlists().Work(); }
    void Open() {
        SwitchToMini();
        QTest::mouseClick(mini_player.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          mini_player.Control(controls::Mini::ImgPls).geometry().center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&small_list));
    }
    // The centre of an item (0-based) in the window's coordinates.
    QPoint Item(int item) {
        const QRect rect = List().visualRect(List().model()->index(item, 0));
        return List().viewport()->mapTo(&small_list, rect.center());
    }
    QPoint BelowTheItems() { return List().geometry().bottomLeft() + QPoint(20, -4); }
    void DoubleClick(QPoint at) {
        QTest::mouseDClick(small_list.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    }
    void Key(Qt::Key key) { QTest::keyClick(small_list.windowHandle(), key, Qt::NoModifier); }
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        for (int r = 1; r <= Work().Count; ++r) {
            titles.push_back(Work().Rows[r][library::kTitle]);
        }
        return titles;
    }
    // A drag of a playlist row that enters the list at one point and is dropped at another.
    void DragAndDrop(QPoint enter, QPoint drop) {
        QMimeData data;
        data.setData(controls::kListRowFormat, QByteArray());
        QWidget* viewport = List().viewport();
        QDragEnterEvent entered(viewport->mapFrom(&small_list, enter), Qt::MoveAction, &data,
                                Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &entered);
        ASSERT_TRUE(entered.isAccepted());
        QDropEvent dropped(QPointF(viewport->mapFrom(&small_list, drop)), Qt::MoveAction, &data,
                           Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &dropped);
    }
    void Wheel(bool down) {
        const QPoint at = Item(0);
        QWheelEvent wheel(at, small_list.windowHandle()->mapToGlobal(at), QPoint(),
                          QPoint(0, down ? -120 : 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QGuiApplication::sendEvent(small_list.windowHandle(), &wheel);
    }
};

TEST_F(SmallPlaylist, MirrorsThePlaylistUnderTheMiniPlayer) {
    LoadRows(40);
    run->Playlists().Work().Current = 3;
    run->Playlists().MarkCurrentSong(playlists::PlayCommand::Play);
    Open();
    EXPECT_EQ(small_list.size(), QSize(213, 291));
    EXPECT_TRUE(small_list.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(small_list.Image(controls::SmallList::ImgFon).Shown().isNull())
        << "the skin is loaded";
    ASSERT_EQ(List().count(), 40);
    for (int i : {0, 17, 39}) {
        EXPECT_EQ(List().ItemText(i), controls().List(5).ItemText(i)) << i;
    }
    EXPECT_EQ(List().MarkedIndex(), 2);
    EXPECT_EQ(small_list.Bar().Position(), 0);
    EXPECT_EQ(small_list.Bar().Max(), controls().ListBar(5).Max());
    EXPECT_GT(small_list.Bar().Max(), 0);
}

// The program makes the mini player and the small playlist after the main window's first
// paint, when the playlists are loaded and auto play may have started a song: both catch up.
using SecondaryWindowsMadeLater = MainWindowRig;

TEST_F(SecondaryWindowsMadeLater, CatchUpWithThePlaylistAndTheSongInPlay) {
    LoadRows(40);
    const std::string song = QuietToneMp3(dir.path(), 440, 2);
    playlists::TMasPLayList& work = run->Playlists().Work();
    work.Rows[3][library::kPath] = song;
    work.Current = 3;
    run->Transport().PlayCurrent(playlists::PlayCommand::Play);
    ASSERT_EQ(controls().List(5).MarkedIndex(), 2);
    ASSERT_GT(controls().TimeSKRL->Max(), 0);

    TMinFrm mini(run->AppDir());
    TTalik talik(run->AppDir());
    shell::SecondaryWindows secondary(*run, mini, talik);
    ASSERT_EQ(talik.List().count(), 40);
    for (int i : {0, 2, 39}) {
        EXPECT_EQ(talik.List().ItemText(i), controls().List(5).ItemText(i)) << i;
    }
    EXPECT_EQ(talik.List().MarkedIndex(), 2);
    EXPECT_EQ(talik.List().MarkMode(), controls().List(5).MarkMode());
    EXPECT_EQ(talik.Bar().Max(), 40 - talik.List().VisibleRows() + 1);
    EXPECT_EQ(mini.Image(controls::Mini::ImgPlayPause).AddToNom(),
              controls().Image(controls::Main::ImgPlayPause).AddToNom());
    EXPECT_EQ(mini.Image(controls::Mini::ImgPlayPause).ShownSlot(),
              controls().Image(controls::Main::ImgPlayPause).ShownSlot());
    EXPECT_EQ(mini.HorizontalBar(controls::Mini::SCRLtimeMIN).Max(), controls().TimeSKRL->Max());

    // From then on both lists follow the playlist as before.
    run->Playlists().DeleteSong(40);
    EXPECT_EQ(talik.List().count(), 39);
    EXPECT_EQ(controls().List(5).count(), 39);
}

TEST_F(SmallPlaylist, ADoubleClickOnAnItemPlaysItAndOnEmptySpaceOnlyCloses) {
    LoadSongs(3);
    Open();
    DoubleClick(Item(2));
    EXPECT_EQ(Work().Current, 3);
    EXPECT_TRUE(run->Transport().Timer1Enabled());
    EXPECT_FALSE(small_list.isVisible());

    Open();
    List().setCurrentRow(0);
    DoubleClick(BelowTheItems());
    EXPECT_EQ(Work().Current, 3) << "nothing else plays";
    EXPECT_FALSE(small_list.isVisible());

    Open();
    List().setFocus();
    List().setCurrentRow(1);
    Key(Qt::Key_Return);
    EXPECT_EQ(Work().Current, 2);
    EXPECT_FALSE(small_list.isVisible());
}

TEST_F(SmallPlaylist, DeleteRemovesARowFromBothListsButNeverThePlayingOne) {
    LoadSongs(3);
    Open();
    DoubleClick(Item(1));
    Open();
    List().setFocus();
    List().setCurrentRow(1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Work().Count, 3) << "the playing row stays";
    EXPECT_EQ(List().currentRow(), 1);
    List().setCurrentRow(2);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Song1", "Song2"}));
    EXPECT_EQ(List().count(), 2);
    EXPECT_EQ(controls().List(5).count(), 2);
    EXPECT_EQ(List().currentRow(), 1);
}

TEST_F(SmallPlaylist, ADropMovesTheRowTheDragEnteredOn) {
    LoadRows(4);
    Open();
    DragAndDrop(Item(0), Item(2));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Song2", "Song3", "Song1", "Song4"}));
    EXPECT_EQ(List().ItemText(2), controls().List(5).ItemText(2));
    // Beyond the items: to the end.
    DragAndDrop(Item(1), BelowTheItems());
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Song2", "Song1", "Song4", "Song3"}));
    // A drag that entered below the items moves nothing.
    DragAndDrop(BelowTheItems(), Item(0));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Song2", "Song1", "Song4", "Song3"}));
}

TEST_F(SmallPlaylist, TheWheelScrollsThreeRowsAndStopsAtEitherEnd) {
    LoadRows(60);
    Open();
    controls::TKVRScrollerVr& bar = small_list.Bar();
    const int max = bar.Max();
    ASSERT_GT(max, 10);
    struct Case {
        int top;
        bool down;
        int to;
    };
    for (const Case c : {Case{max - 2, true, max}, Case{max - 3, true, max}, Case{5, true, 8},
                         Case{2, false, 0}, Case{3, false, 0}, Case{8, false, 5}}) {
        List().SetTopIndex(c.top);
        Wheel(c.down);
        EXPECT_EQ(List().TopIndex(), c.to) << c.top << (c.down ? " down" : " up");
        EXPECT_EQ(bar.Position(), c.to);
    }
}

TEST_F(SmallPlaylist, TheHintNamesTheSongUnderThePointer) {
    LoadRows(2);
    Work().Rows[1][library::kAlbum] = "Album";
    Work().Rows[1][library::kBitRate] = "192";
    Work().Rows[2][library::kGenre] = "CD";
    Open();
    QTest::mouseMove(small_list.windowHandle(), Item(0));
    EXPECT_EQ(small_list.HintRow(), 1);
    EXPECT_EQ(small_list.HintText(), "Artist - Album - Song1 - 01:00 - 192 kbps");
    QTest::mouseMove(small_list.windowHandle(), Item(1));
    EXPECT_EQ(small_list.HintText(), "CD - Song2");
    QTest::mouseMove(small_list.windowHandle(), BelowTheItems());
    EXPECT_EQ(small_list.HintRow(), -1);
    EXPECT_EQ(small_list.HintText(), "");
}

TEST_F(SmallPlaylist, OnThe800PixelScreenTheListIs120WideInTheSmallFont) {
    // The offscreen screen is 800 pixels wide: ScaleX 0.78125.
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().width(), 800);
    EXPECT_EQ(List().geometry(), QRect(16, 10, 120, 198));
    EXPECT_EQ(small_list.Bar().geometry(), QRect(136, 9, 10, 199));
    EXPECT_EQ(small_list.Control(controls::SmallList::ImgFon).geometry(), QRect(3, 0, 158, 219));
    EXPECT_EQ(small_list.mask().boundingRect(), QRect(8, 2, 152, 214));
    EXPECT_EQ(List().font().family(), "Small Fonts");
    EXPECT_EQ(List().font().pointSize(), 7);
}

}  // namespace
}  // namespace tarvel

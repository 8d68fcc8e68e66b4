#include "shell/playlist_panel.h"

#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>

#include "controls/c_list_box.h"
#include "controls/hint_timing.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "platform/text/unicode.h"
#include "playlists/ab_marks.h"
#include "playlists/playlist_model.h"
#include "shell/library_panels.h"
#include "shell/list_view.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_menus.h"
#include "shell/player_commands.h"

namespace tarvel::shell {

template <typename Handler>
void PlaylistPanel::Reported(Handler&& handler) {
    p_.commands.Run(std::forward<Handler>(handler));
}

PlaylistPanel::PlaylistPanel(const PlaylistPanelParts& parts)
    : QObject(&parts.window),
      p_(parts),
      copy_(std::make_unique<playlists::PlaylistCopy>(parts.settings, parts.services,
                                                      parts.progress, &parts.background)) {
    setObjectName("PlaylistPanel");
    BuildMenu();
    ConnectList();
}

PlaylistPanel::~PlaylistPanel() = default;

void PlaylistPanel::BuildMenu() {
    PlaylistMenu = new SettingsMenu("PlaylistMenu", p_.settings, &p_.window);
    SettingsMenu& m = *PlaylistMenu;
    playlists::PlaylistModel& model = p_.playlists;
    PlayerCommands& c = p_.commands;
    const auto run = [this](std::function<void()> handler) {
        return [this, handler = std::move(handler)] { Reported(handler); };
    };
    m.AddCommand(m, "ClearPlayList1", "Clear PlayList Ctrl+Delete", [&c] { c.ClearPlaylist(); });
    m.AddCommand(m, "ShufflePlaylist1", "Shuffle Playlist",
                 run([&model] { model.ShufflePlaylistClick(); }));
    QMenu* add = m.AddSubMenu(m, "ShuffleAdd1", "Shuffle Add");
    m.AddCommand(*add, "SpecialAdd1", "Special Add", nullptr);
    m.AddCommand(*add, "ShuffleAddOptions1", "Options", [&c] { c.ShowShuffleOptions(); });
    m.AddCommand(m, "SavePlaylist1", "Save Playlist Ctrl+S", [&c] { c.SavePlaylist(); });
    m.AddCommand(m, "LoadPlaylist1", "Load Playlist Ctrl+L", [&c] { c.LoadPlaylist(); });
    m.AddCommand(m, "UndoCtrlZ1", "Undo  Ctrl+Z", [&c] { c.Undo(); })->setVisible(false);
    QMenu* quick = m.AddSubMenu(m, "Quickplay1", "Quick play");
    m.AddCommand(*quick, "QuickPlayOptions1", "Options", nullptr);
    m.AddItem(*quick, config::Item::Enabled1, "Enabled", [&c] { c.QuickPlayClick(); });

    QMenu* copy = m.AddSubMenu(m, "CopyPListtoDir1", "Copy PList to Dir");
    QAction* set_path =
        m.AddCommand(*copy, "MSetPath", "SetPath", run([this] { copy_->MSetPathClick(); }));
    connect(copy, &QMenu::aboutToShow, this, [this, set_path] {
        set_path->setText(QString::fromStdString(p_.settings.MSetPathCaption()));
    });
    m.AddCommand(*copy, "MCopy", "Copy", run([this, &model] { copy_->MCopyClick(model.Work()); }));
    QMenu* special = m.AddSubMenu(*copy, "Specialcopy1", "Special copy");
    m.AddCommand(*special, "Copy1", "Copy",
                 run([this, &model] { copy_->Copy1Click(model.Work()); }));
    QMenu* options = m.AddSubMenu(*special, "SpecialCopyOptions1", "Options");
    const auto radio = [this, options](QActionGroup* group, const char* name,
                                       const QString& caption, bool checked,
                                       std::function<void()> choose) {
        QAction* action = options->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setChecked(checked);
        group->addAction(action);
        connect(action, &QAction::triggered, this, std::move(choose));
    };
    using playlists::FileName;
    using playlists::FolderName;
    playlists::ExportOptions& o = copy_->options;
    auto* folders = new QActionGroup(options);
    radio(folders, "mDir_Albom", "Albom", false, [&o] { o.folder = FolderName::Album; });
    radio(folders, "mDir_Year_Albom", "Year - Albom", true,
          [&o] { o.folder = FolderName::YearAlbum; });
    options->addSeparator();
    auto* files = new QActionGroup(options);
    radio(files, "mFileName_Title", "Title", false, [&o] { o.file = FileName::Title; });
    radio(files, "mFileName_Num_Title", QString::fromUtf8("№ - Title"), true,
          [&o] { o.file = FileName::NumTitle; });
    radio(files, "mFileName_Artiat_Title", "Artist - Title", false,
          [&o] { o.file = FileName::ArtistTitle; });
    radio(files, "mFileName_Num_Artiat_Title", QString::fromUtf8("№ - Artist - Title"), false,
          [&o] { o.file = FileName::NumArtistTitle; });
}

void PlaylistPanel::ConnectList() {
    MainControls& c = p_.controls;
    controls::TCListBox& list = c.List(5);
    list.installEventFilter(this);
    list.viewport()->installEventFilter(this);
    list.viewport()->setMouseTracking(true);
    list.setAcceptDrops(true);
    list.viewport()->setAcceptDrops(true);
    connect(&list, &QAbstractItemView::doubleClicked, this, [this] { ListBox5DblClick(); });
    list.setContextMenuPolicy(Qt::CustomContextMenu);
    QMenu* popup = p_.library.PopupMenu1;
    connect(&list, &QWidget::customContextMenuRequested, this,
            [popup, &list](const QPoint& at) { popup->popup(list.viewport()->mapToGlobal(at)); });
    if (auto* show = popup->findChild<QAction*>("SHowfilelocation1")) {
        connect(show, &QAction::triggered, this,
                [this] { Reported([this] { ShowFileLocation(); }); });
    }
    for (int n = 1; n <= 5; ++n) {
        connect(&c.List(n), &controls::TCListBox::RowDragStarted, this,
                [this, n] { StartRowDrag(p_.controls.List(n)); });
    }
    connect(&list, &controls::TCListBox::PointerOverItem, this, &PlaylistPanel::ListBox5MouseMove);
    connect(&list, &controls::TCListBox::HintWanted, this, [this] { ShowHint(); });
    connect(&c.Image(controls::Main::ImgPlayListAZ), &controls::TMegaImage::OnMouseDown, this,
            [this](QMouseEvent* event) {
                ImgPlayListAZMouseDown(static_cast<int>(event->position().x()));
            });
    connect(&c.Image(controls::Main::ImgMark), &controls::TMegaImage::OnClick, this,
            [this] { Reported([this] { ImgMarkClick(); }); });
}

void PlaylistPanel::ListBox5DblClick() {
    const int selected = p_.controls.List(5).currentRow();
    if (selected >= 0) {
        p_.commands.PlayRow(selected + 1);
    }
}

bool PlaylistPanel::ListBox5KeyDown(QKeyEvent& key) {
    controls::TCListBox& list = p_.controls.List(5);
    controls::TKVRScrollerVr& bar = p_.controls.ListBar(5);
    bar.SetPosition(list.TopIndex());
    p_.list6.SetScrollerMax(bar.Max());
    const int selected = list.currentRow();
    if (selected < 0) {
        return false;
    }
    if (key.key() == Qt::Key_Delete) {
        p_.commands.DeleteSong(selected + 1);
        const int next = playlists::SelectionAfterDelete(selected, list.count());
        if (next >= 0) {
            list.setCurrentRow(next);
        }
        return true;
    }
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        ListBox5DblClick();
        return true;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        list.setCurrentRow(-1);
        return true;
    }
    return false;
}

void PlaylistPanel::ListBox5MouseDown(const QPoint& at) {
    controls::TCListBox& list = p_.controls.List(5);
    p_.controls.ListBar(5).SetPosition(list.TopIndex());
    const QModelIndex index = list.indexAt(at);
    DragSourceRow = index.isValid() ? index.row() + 1 : -1;
    p_.library.Browser().DragSourceKind = 5;
}

void PlaylistPanel::ListBox5MouseMove(int item) {
    const int row = item >= 0 ? item + 1 : -1;
    if (row == HintRow) {
        return;
    }
    HintRow = row;
    QToolTip::hideText();
    HintText = playlists::RowHint(p_.playlists.Work(), row);
}

void PlaylistPanel::ShowHint() {
    controls::TCListBox& list = p_.controls.List(5);
    if (HintText.empty() || HintRow < 1) {
        QToolTip::hideText();
        return;
    }
    controls::ShowListHint(list, HintRow - 1, text::ToQString(HintText));
}

void PlaylistPanel::ShowFileLocation() {
    controls::TCListBox& list = p_.controls.List(5);
    const playlists::TMasPLayList& work = p_.playlists.Work();
    const bool over = list.rect().contains(list.mapFromGlobal(QCursor::pos()));
    if (over && HintRow >= 1 && HintRow <= work.Count) {
        p_.commands.ShowInFolder(work.Rows[static_cast<size_t>(HintRow)][library::kPath]);
    }
}

void PlaylistPanel::ListBox5DragDrop(const QPoint& at) {
    controls::TCListBox& list = p_.controls.List(5);
    const QModelIndex index = list.indexAt(at);
    const int target = playlists::DropTarget(index.isValid() ? index.row() : -1, list.count());
    LibraryPanels& panels = p_.library;
    const playlists::DragSource source{panels.Browser().DragSourceKind,
                                       panels.Browser().DragSourceSong, panels.Songs()};
    p_.playlists.DropOnPlaylist(target, DragSourceRow, source);
}

void PlaylistPanel::ImgPlayListAZMouseDown(int x) {
    if (playlists::OpensPlaylistMenu(x,
                                     p_.controls.Widget(controls::Main::ImgPlayListAZ).width())) {
        MainMenus::PopUp(*PlaylistMenu, QCursor::pos());
    }
}

void PlaylistPanel::PlaceMarker(controls::Main name, int right_edge) {
    QWidget& marker = p_.controls.Widget(name);
    marker.move(right_edge - marker.width(), marker.y());
    marker.show();
    marker.raise();
}

void PlaylistPanel::ImgMarkClick() {
    MainControls& c = p_.controls;
    const controls::TKVRScrollerH& bar = *c.TimeSKRL;
    const int x = playlists::MarkX(bar.Position(), bar.width(), bar.Max(), bar.x());
    switch (playlists::ClickAbMark(p_.playlists.Work(), MarkLoopFlag, p_.settings)) {
        case playlists::AbClick::Reset:
            c.Widget(controls::Main::MarkL).hide();
            c.Widget(controls::Main::MarkR).hide();
            break;
        case playlists::AbClick::SetA:
            PlaceMarker(controls::Main::MarkL, x);
            break;
        case playlists::AbClick::SetB:
            PlaceMarker(controls::Main::MarkR, x);
            break;
        case playlists::AbClick::SwapB: {
            QWidget& left = c.Widget(controls::Main::MarkL);
            PlaceMarker(controls::Main::MarkR, left.x() + c.Widget(controls::Main::MarkR).width());
            PlaceMarker(controls::Main::MarkL, x);
            break;
        }
        case playlists::AbClick::None:
            break;
    }
}

void PlaylistPanel::StartRowDrag(controls::TCListBox& list) {
    auto* mime = new QMimeData;
    mime->setData(kDragFormat, QByteArray());
    auto* drag = new QDrag(&list);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

bool PlaylistPanel::ListBox5Event(QEvent& event) {
    switch (event.type()) {
        case QEvent::MouseButtonPress: {
            auto& press = static_cast<QMouseEvent&>(event);
            if (press.button() == Qt::LeftButton) {
                Reported([&] { ListBox5MouseDown(press.position().toPoint()); });
            }
            return false;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto& drag = static_cast<QDragMoveEvent&>(event);
            if (!drag.mimeData()->hasFormat(kDragFormat)) {
                return false;
            }
            drag.acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto& drop = static_cast<QDropEvent&>(event);
            if (!drop.mimeData()->hasFormat(kDragFormat)) {
                return false;
            }
            drop.acceptProposedAction();
            Reported([&] { ListBox5DragDrop(drop.position().toPoint()); });
            return true;
        }
        default:
            return false;
    }
}

bool PlaylistPanel::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            break;
        default:
            // Nothing else is handled here, and the window's controls may already be gone
            // while the window closes.
            return QObject::eventFilter(watched, event);
    }
    MainControls& c = p_.controls;
    controls::TCListBox& list5 = c.List(5);
    if (watched == &list5 && event->type() == QEvent::KeyPress) {
        bool taken = false;
        Reported([&] { taken = ListBox5KeyDown(static_cast<QKeyEvent&>(*event)); });
        return taken;
    }
    if (watched == list5.viewport()) {
        return ListBox5Event(*event);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tarvel::shell

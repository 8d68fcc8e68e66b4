#include "shell/library_panels.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <array>

#include "controls/c_list_box.h"
#include "controls/hint_timing.h"
#include "controls/mega_image.h"
#include "library/song_rows.h"
#include "platform/text/unicode.h"
#include "shell/command_box.h"
#include "shell/main_controls.h"
#include "shell/main_menus.h"
#include "shell/player_commands.h"

namespace tarvel::shell {
namespace {

using config::Item;
using library::SearchScope;

struct ScopeItem {
    Item item;
    SearchScope scope;
};
constexpr std::array<ScopeItem, 6> kScopes = {{
    {Item::Artist1, SearchScope::Artist1},
    {Item::InAllLibrary1, SearchScope::InAllLibrary1},
    {Item::InActivArtist1, SearchScope::InActivArtist1},
    {Item::InAllLibrary2, SearchScope::InAllLibrary2},
    {Item::InActivArtist2, SearchScope::InActivArtist2},
    {Item::InActivAlbum1, SearchScope::InActivAlbum1},
}};

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

template <typename Handler>
void LibraryPanels::Reported(Handler&& handler) {
    commands_.Run(std::forward<Handler>(handler));
}

LibraryPanels::LibraryPanels(QWidget& window, MainControls& controls, config::Settings& settings,
                             const std::string& app_dir, PlayerCommands& commands)
    : window_(window),
      controls_(controls),
      settings_(settings),
      commands_(commands),
      view_(controls),
      browser_(app_dir, view_, [&settings] {
          return library::BrowserOptions{settings.Checked(Item::ByNomSong),
                                         settings.Checked(Item::Byyear),
                                         !settings.Checked(Item::mIncorporated1)};
      }) {
    BuildMenus();
    ConnectPanels();
    ConnectCommandBox(controls, commands);
    connect(controls.CmdSearch, &QLineEdit::textChanged, this,
            [this](const QString& text) { Search(text); });
}

LibraryPanels::~LibraryPanels() = default;

void LibraryPanels::BuildMenus() {
    config::Settings& settings = settings_;
    AlbSort = new SettingsMenu("AlbSort", settings, &window_);
    SortSong = new SettingsMenu("SortSong", settings, &window_);
    SearchOpt = new SettingsMenu("SearchOpt", settings, &window_);
    const auto album_order = [this, &settings](Item item) {
        return [this, &settings, item] {
            settings.Check(item);
            Reported([this] { browser_.OrderAlbums(); });
        };
    };
    AlbSort->AddItem(*AlbSort, Item::Byyear, "Year", album_order(Item::Byyear));
    AlbSort->AddItem(*AlbSort, Item::ByAz, "A-z", album_order(Item::ByAz));
    const auto song_order = [this, &settings](Item item) {
        return [this, &settings, item] {
            if (!settings.Checked(item)) {
                settings.Check(item);
                Reported([this] { browser_.OrderSongs(); });
            }
        };
    };
    SortSong->AddItem(*SortSong, Item::ByNomSong, QString::fromUtf8("№"),
                      song_order(Item::ByNomSong));
    SortSong->AddItem(*SortSong, Item::ByAZsong, "A-z", song_order(Item::ByAZsong));

    SettingsMenu& s = *SearchOpt;
    const auto check = [&settings](Item item) {
        return [&settings, item] { settings.Check(item); };
    };
    s.AddItem(s, Item::Artist1, "Artist", check(Item::Artist1));
    QMenu* album = s.AddSubMenu(s, "Album1", "Album");
    s.AddItem(*album, Item::InAllLibrary1, "In All Library", check(Item::InAllLibrary1));
    s.AddItem(*album, Item::InActivArtist1, "In Active Artist", check(Item::InActivArtist1));
    QMenu* song = s.AddSubMenu(s, "Song1", "Song");
    s.AddItem(*song, Item::InAllLibrary2, "In All Library", check(Item::InAllLibrary2));
    s.AddItem(*song, Item::InActivArtist2, "In Active Artist", check(Item::InActivArtist2));
    s.AddItem(*song, Item::InActivAlbum1, "In Active Album", check(Item::InActivAlbum1));
    QMenu* options = s.AddSubMenu(s, "Options1", "Options");
    s.AddItem(*options, Item::StartAt1, "Start At", check(Item::StartAt1));
    s.AddItem(*options, Item::InAllworld1, "Consist of", check(Item::InAllworld1));

    PopupMenu1 = new QMenu(&window_);
    PopupMenu1->setObjectName("PopupMenu1");
    QAction* show = PopupMenu1->addAction("Show File Location");
    show->setObjectName("SHowfilelocation1");
    connect(show, &QAction::triggered, this, [this] { ShowFileLocation(); });

    MainControls& c = controls_;
    const auto pop_up = [](SettingsMenu* menu) {
        return [menu] { MainMenus::PopUp(*menu, QCursor::pos()); };
    };
    connect(&c.Image(controls::Main::ImgAblSortBy), &controls::TMegaImage::OnClick, this,
            pop_up(AlbSort));
    connect(&c.Image(controls::Main::ImgSongSortBy), &controls::TMegaImage::OnClick, this,
            pop_up(SortSong));
    connect(&c.Image(controls::Main::ImgCmdPref), &controls::TMegaImage::OnClick, this,
            pop_up(SearchOpt));
}

void LibraryPanels::ConnectPanels() {
    MainControls& c = controls_;
    for (int n = 1; n <= 4; ++n) {
        controls::TCListBox& list = c.List(n);
        list.installEventFilter(this);
        connect(&list, &QAbstractItemView::pressed, this, [this, n] {
            Reported([this, n] {
                if (n <= 2) {
                    ArtistPress(n);
                } else if (n == 3) {
                    AlbumPress();
                } else {
                    SongPress();
                }
            });
        });
        connect(&list, &QAbstractItemView::doubleClicked, this,
                [this, n] { Reported([this, n] { DoubleClick(n); }); });
    }
    controls::TCListBox& songs = c.List(4);
    songs.setMouseTracking(true);
    songs.viewport()->setMouseTracking(true);
    connect(&songs, &controls::TCListBox::PointerOverItem, this, &LibraryPanels::SongMouseMove);
    connect(&songs, &controls::TCListBox::HintWanted, this, [this] { ShowSongHint(); });
    songs.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&songs, &QWidget::customContextMenuRequested, this, [this, &songs](const QPoint& at) {
        PopupMenu1->popup(songs.viewport()->mapToGlobal(at));
    });
}

void LibraryPanels::ArtistPress(int panel) {
    controls::TCListBox& list = controls_.List(panel);
    const int row = list.currentRow();
    if (row < 0) {
        return;
    }
    controls_.List(panel == 1 ? 2 : 1).setCurrentRow(-1);
    browser_.DragSourceKind = panel;
    browser_.DropAlbum();
    browser_.ChooseArtist(view_.ItemText(panel, row));
}

void LibraryPanels::AlbumPress() {
    const int row = controls_.List(3).currentRow();
    if (row >= 0) {
        browser_.ChooseAlbum(view_.ItemText(3, row), true);
        browser_.DragSourceKind = 3;
    }
}

void LibraryPanels::SongPress() {
    const int row = controls_.List(4).currentRow();
    if (row >= 0) {
        browser_.DragSourceKind = 4;
        browser_.DragSourceSong = row + 1;
    }
}

bool LibraryPanels::PanelKeyDown(int panel, QKeyEvent& key) {
    controls::TCListBox& list = controls_.List(panel);
    if (panel <= 2 && IsEnter(key)) {
        DoubleClick(panel);
        return true;
    }
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        list.setCurrentRow(-1);
        return true;
    }
    const bool up = key.key() == Qt::Key_Up;
    const int row = list.currentRow();
    if (panel == 4 || row < 0 || (!up && key.key() != Qt::Key_Down)) {
        return false;
    }
    int target = up ? row - 1 : row + 1;
    if (target < 0 || target >= list.count()) {
        target = row;  // Up on the first item, Down on the last: the same item again
    }
    const std::string item = view_.ItemText(panel, target);
    if (panel <= 2) {
        controls_.List(panel == 1 ? 2 : 1).setCurrentRow(-1);
        browser_.DragSourceKind = panel;
        browser_.DropAlbum();
        browser_.ChooseArtist(item);
    } else {
        browser_.ChooseAlbum(item, false);
    }
    return false;  // the list moves its selection as usual
}

void LibraryPanels::PanelKeyUp(int panel, QKeyEvent& key) {
    if (panel >= 3 && IsEnter(key) && !key.isAutoRepeat()) {
        DoubleClick(panel);
    }
}

void LibraryPanels::DoubleClick(int panel) {
    if (panel <= 2) {
        commands_.ArtistDoubleClick(Songs());
    } else if (panel == 3) {
        commands_.AlbumDoubleClick(Songs());
    } else {
        const int row = controls_.List(4).currentRow();
        if (row >= 0) {
            commands_.SongDoubleClick(Songs(), row);
        }
    }
}

void LibraryPanels::SongMouseMove(int item) {
    controls::TCListBox& list = controls_.List(4);
    const int row = item >= 0 ? item + 1 : list.count() + 1;
    if (!browser_.HoverSong(row, list.count())) {
        return;
    }
    QToolTip::hideText();
}

void LibraryPanels::ShowSongHint() {
    if (browser_.HintText().empty() || browser_.HintRow() < 1) {
        QToolTip::hideText();
        return;
    }
    controls::ShowListHint(controls_.List(4), browser_.HintRow() - 1,
                           text::ToQString(browser_.HintText()));
}

void LibraryPanels::ShowFileLocation() {
    controls::TCListBox& list = controls_.List(4);
    const bool over = list.rect().contains(list.mapFromGlobal(QCursor::pos()));
    const std::string path = browser_.HoveredPath();
    if (over && !path.empty()) {
        commands_.ShowInFolder(path);
    }
}

bool LibraryPanels::eventFilter(QObject* watched, QEvent* event) {
    MainControls& c = controls_;
    for (int n = 1; n <= 4; ++n) {
        if (watched != &c.List(n)) {
            continue;
        }
        bool taken = false;
        if (event->type() == QEvent::KeyPress) {
            Reported([&] { taken = PanelKeyDown(n, static_cast<QKeyEvent&>(*event)); });
        } else if (event->type() == QEvent::KeyRelease) {
            Reported([&] { PanelKeyUp(n, static_cast<QKeyEvent&>(*event)); });
        }
        return taken;
    }
    return QObject::eventFilter(watched, event);
}

playlists::BrowserSongs LibraryPanels::Songs() {
    const library::BrowserTables& t = browser_.Tables();
    library::CopyRows(t.artist_songs, artist_copy_);
    library::CopyRows(t.album_songs, album_copy_);
    playlists::BrowserSongs songs;
    songs.artist_songs = &artist_copy_;
    songs.artist_count = t.artist_songs.Count();
    songs.album_songs = &album_copy_;
    songs.album_count = t.album_songs.Count();
    songs.artist_selected =
        controls_.List(1).currentRow() >= 0 || controls_.List(2).currentRow() >= 0;
    return songs;
}

void LibraryPanels::Search(const QString& text) {
    const config::Settings& settings = settings_;
    SearchScope scope = SearchScope::Artist1;
    for (const ScopeItem& s : kScopes) {
        if (settings.Checked(s.item)) {
            scope = s.scope;
        }
    }
    const library::MatchKind kind = settings.Checked(Item::StartAt1)
                                        ? library::MatchKind::StartAt
                                        : library::MatchKind::ConsistOf;
    Reported([&] { library::SearchLibrary(browser_, text::FromQString(text), scope, kind); });
}

}  // namespace tarvel::shell

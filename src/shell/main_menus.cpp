#include "shell/main_menus.h"

namespace tarvel::shell {
namespace {

using config::Item;

// Captions of the items that carry a setting.
struct ItemCaption {
    Item item;
    const char* caption;
};

constexpr ItemCaption kShuffleSources[] = {
    {Item::mShuffLib, "From librury"},         {Item::mShuffRus, "From Rus Artist"},
    {Item::mShuffEng, "From Engl Artist"},     {Item::mShuffActArt, "Form active artist"},
    {Item::mShuffActAlb, "Form active Album"},
};
constexpr ItemCaption kFullShuffles[] = {
    {Item::mShuffLib100, "100% librury"},
    {Item::mShuffRus100, "100% Rus Artist"},
    {Item::mShuffEng100, "100% Engl Artist"},
    {Item::mShuffPlist, "PlayList"},
};
// The gain ReplayGain tags ask for, applied when a song starts.
constexpr ItemCaption kTagEncodings[] = {
    {Item::TagsWindows1251, "Windows-1251"},
    {Item::TagsLatin1, "Latin-1"},
    {Item::TagsGuess, "Guess"},
};
constexpr ItemCaption kLeveling[] = {
    {Item::LevelingOff, "Off"},
    {Item::LevelingTrack, "Track"},
    {Item::LevelingAlbum, "Album"},
};

// Items of a radio group: a click checks the item and unchecks the others.
std::function<void()> CheckOnly(config::Settings& settings, Item item,
                                std::function<void()> then = {}) {
    return [&settings, item, then] {
        settings.Check(item);
        if (then) {
            then();
        }
    };
}

// The sleep items: each checks itself and unchecks the other when it was unchecked; a click on a
// checked item does nothing.
std::function<void()> SleepItem(config::Settings& settings, Item item) {
    return [&settings, item] {
        if (!settings.Checked(item)) {
            settings.Check(item);
        }
    };
}

}  // namespace

SettingsMenu::SettingsMenu(const QString& name, config::Settings& settings, QWidget* parent)
    : QMenu(parent), settings_(settings) {
    setObjectName(name);
    connect(this, &QMenu::aboutToShow, this, [this] { Mirror(); });
}

QAction* SettingsMenu::AddItem(QMenu& menu, config::Item item, const QString& caption,
                               std::function<void()> handler) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QString::fromUtf8(config::ItemName(item).data(),
                                            static_cast<int>(config::ItemName(item).size())));
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        if (handler) {
            handler();
        }
        Mirror();
    });
    items_[item] = action;
    return action;
}

QAction* SettingsMenu::AddCommand(QMenu& menu, const QString& name, const QString& caption,
                                  std::function<void()> handler) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    if (handler) {
        connect(action, &QAction::triggered, this, std::move(handler));
    } else {
        action->setEnabled(false);
    }
    return action;
}

QMenu* SettingsMenu::AddSubMenu(QMenu& menu, const QString& name, const QString& caption) {
    QMenu* sub = menu.addMenu(caption);
    sub->setObjectName(name);
    sub->menuAction()->setObjectName(name);
    return sub;
}

void SettingsMenu::Mirror() {
    for (const auto& [item, action] : items_) {
        action->setChecked(settings_.Checked(item));
    }
    for (const ItemCaption& source : kShuffleSources) {
        const auto found = items_.find(source.item);
        if (found != items_.end() && !settings_.ShareCaption(source.item).empty()) {
            found->second->setText(QString::fromStdString(settings_.ShareCaption(source.item)));
        }
    }
}

void MainMenus::PopUp(SettingsMenu& menu, const QPoint& at) {
    menu.Mirror();
    menu.popup(at);
}

MainMenus::MainMenus(config::Settings& settings, const MenuHandlers& on, QWidget* parent)
    : OptionsMenu(new SettingsMenu("OptionsMenu", settings, parent)),
      TrayMenu(new SettingsMenu("TrayMenu", settings, parent)),
      MyLibrary(new SettingsMenu("MyLibrary", settings, parent)),
      ShufflMenu(new SettingsMenu("ShufflMenu", settings, parent)),
      REpeatMenu(new SettingsMenu("REpeatMenu", settings, parent)) {
    SettingsMenu& o = *OptionsMenu;
    QMenu* engine = o.AddSubMenu(o, "ipeofplayer1", "External/Internal engine");
    QMenu* internal = o.AddSubMenu(*engine, "Internal", "Internal");
    o.AddItem(*internal, Item::mFmod, "Fmod", on.mFmod);
    o.AddItem(*internal, Item::mBass, "Bass", on.mBass);
    QMenu* external = o.AddSubMenu(*engine, "External1", "External");
    o.AddItem(*external, Item::Apollo, "Apollo", on.Apollo);
    o.AddItem(*external, Item::Winamp, "Winamp", {})->setEnabled(false);

    QMenu* loading = o.AddSubMenu(o, "Loadingplayer1", "Loading player");
    o.AddItem(*loading, Item::Autoloadplayer1, "Auto load playList And Auto Play",
              CheckOnly(settings, Item::Autoloadplayer1));
    o.AddItem(*loading, Item::AutoloadPlayListWithoutautoplay1,
              "Auto Load PlayList Without Auto Play",
              CheckOnly(settings, Item::AutoloadPlayListWithoutautoplay1));

    QMenu* resize = o.AddSubMenu(o, "Resize1", "Resize");
    resize->menuAction()->setEnabled(false);
    o.AddCommand(*resize, "MainForm1", "Main Form", {});
    o.AddCommand(*resize, "Miniform1", "Mini Form", on.restart_warning);
    o.AddCommand(*resize, "Optionsform1", "Options Form", on.restart_warning);

    QMenu* sleep = o.AddSubMenu(o, "Sleep1", "Sleep");
    o.AddItem(*sleep, Item::Afterendplaylist1, "After end playlist",
              SleepItem(settings, Item::Afterendplaylist1));
    o.AddItem(*sleep, Item::AfterendTimer1, "After end Timer",
              SleepItem(settings, Item::AfterendTimer1));

    QMenu* panels = o.AddSubMenu(o, "ArtistPanal1", "Artist Panal");
    o.AddItem(*panels, Item::mSeparateRusEng, "Separate Rus and Eng",
              CheckOnly(settings, Item::mSeparateRusEng, on.artist_panels));
    o.AddItem(*panels, Item::mIncorporated1, "The incorporated",
              CheckOnly(settings, Item::mIncorporated1, on.artist_panels));

    QMenu* leveling = o.AddSubMenu(o, "VolumeLeveling1", "Volume leveling");
    for (const ItemCaption& choice : kLeveling) {
        o.AddItem(*leveling, choice.item, choice.caption, CheckOnly(settings, choice.item));
    }
    // Read by the next scan: tags already in the library keep the text they were read with.
    QMenu* tags = o.AddSubMenu(o, "TagsWithoutEncoding1", "Tags without an encoding");
    for (const ItemCaption& choice : kTagEncodings) {
        o.AddItem(*tags, choice.item, choice.caption, CheckOnly(settings, choice.item));
    }

    SettingsMenu& t = *TrayMenu;
    t.AddCommand(t, "RestoreItem", QString::fromUtf8("&Восстановить"), on.restore);
    t.addSeparator();
    t.AddCommand(t, "FileExitItem1", QString::fromUtf8("Выход"), on.exit);

    SettingsMenu& l = *MyLibrary;
    l.AddCommand(l, "ClearLibraryandAdddir1", "Clear Library and Add Files",
                 on.clear_library_and_add);
    l.AddCommand(l, "Adddirectory1", "Add Files", on.add_files);
    l.AddCommand(l, "RefreshLibrary1", "Refresh Library", {});

    SettingsMenu& s = *ShufflMenu;
    for (const ItemCaption& source : kShuffleSources) {
        s.AddItem(s, source.item, source.caption, CheckOnly(settings, source.item));
    }
    s.AddCommand(s, "MenuItem13", "Special Add", {});
    s.AddCommand(s, "MenuItem14", "Options", on.shuffle_options);
    for (const ItemCaption& source : kFullShuffles) {
        s.AddItem(s, source.item, source.caption, CheckOnly(settings, source.item));
    }

    SettingsMenu& r = *REpeatMenu;
    r.AddItem(r, Item::repeatOne1, "One song", CheckOnly(settings, Item::repeatOne1));
    r.AddItem(r, Item::RepeatAllPlayList1, "All PlayList",
              CheckOnly(settings, Item::RepeatAllPlayList1));
    r.AddCommand(r, "MenuItem4", "Some song", {});
}

}  // namespace tarvel::shell

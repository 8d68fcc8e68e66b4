#pragma once

#include <QMenu>
#include <functional>
#include <map>
#include <string>

#include "config/settings.h"

namespace tarvel::shell {

// A pop-up menu whose check marks mirror the settings: each item is named as its menu item and
// shows the model's check state every time the menu opens.
class SettingsMenu : public QMenu {
    Q_OBJECT
  public:
    SettingsMenu(const QString& name, config::Settings& settings, QWidget* parent = nullptr);

    // A checkable item for a setting; the handler runs on a click (after Qt's own toggling is
    // undone: the handler decides through the settings).
    QAction* AddItem(QMenu& menu, config::Item item, const QString& caption,
                     std::function<void()> handler);
    // A plain item.
    QAction* AddCommand(QMenu& menu, const QString& name, const QString& caption,
                        std::function<void()> handler);
    // A sub-menu named as its item.
    QMenu* AddSubMenu(QMenu& menu, const QString& name, const QString& caption);

    // Sets every item's check mark (and the captions the settings keep) from the model.
    void Mirror();

  private:
    config::Settings& settings_;
    std::map<config::Item, QAction*> items_;
};

// The handlers the menus of the main window call.
struct MenuHandlers {
    // Engine items.
    std::function<void()> mFmod, mBass, Apollo;
    // Restart warning of the resize items.
    std::function<void()> restart_warning;
    // Artist panel mode changed.
    std::function<void()> artist_panels;
    // Tray menu.
    std::function<void()> restore, exit;
    // Library menu.
    std::function<void()> clear_library_and_add, add_files;
    // Shuffle options window.
    std::function<void()> shuffle_options;
};

// The main window's pop-up menus: OptionsMenu (ImgPref), TrayMenu, MyLibrary (ImgLibrary),
// ShufflMenu (ImgShuffStr) and REpeatMenu (ImgRepStr).
struct MainMenus {
    MainMenus(config::Settings& settings, const MenuHandlers& handlers, QWidget* parent);

    SettingsMenu* OptionsMenu;
    SettingsMenu* TrayMenu;
    SettingsMenu* MyLibrary;
    SettingsMenu* ShufflMenu;
    SettingsMenu* REpeatMenu;

    // The menu that mirrors the settings, refreshed before each pop-up.
    static void PopUp(SettingsMenu& menu, const QPoint& at);
};

}  // namespace tarvel::shell

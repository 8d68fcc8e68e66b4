#include "shell/main_menus.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QWidget>

#include "config/settings.h"

namespace tarvel::shell {
namespace {

using config::Item;

// "Volume leveling" under Preferences: Off, Track and Album, one checked at a time, Off at first.
TEST(MainMenus, VolumeLevelingIsAChoiceOfThreeUnderPreferences) {
    QWidget owner;
    config::Settings settings;
    MainMenus menus(settings, MenuHandlers{}, &owner);
    auto* leveling = menus.OptionsMenu->findChild<QMenu*>("VolumeLeveling1");
    ASSERT_NE(leveling, nullptr);
    EXPECT_EQ(leveling->title(), "Volume leveling");
    const QList<QAction*> items = leveling->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Off");
    EXPECT_EQ(items[1]->text(), "Track");
    EXPECT_EQ(items[2]->text(), "Album");
    menus.OptionsMenu->Mirror();
    EXPECT_TRUE(items[0]->isChecked());

    items[2]->trigger();
    EXPECT_TRUE(settings.Checked(Item::LevelingAlbum));
    EXPECT_FALSE(settings.Checked(Item::LevelingOff));
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_TRUE(items[2]->isChecked());
    items[1]->trigger();
    EXPECT_TRUE(settings.Checked(Item::LevelingTrack));
    EXPECT_FALSE(settings.Checked(Item::LevelingAlbum));
}

}  // namespace
}  // namespace tarvel::shell

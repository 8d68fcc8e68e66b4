// Every door of the player reaches the one error boundary: the main window's buttons, keys and
// menus, the mini player, the small playlist, the hotkeys (X11 grabs and the portal deliver them
// through the same desktop handler), the desktop's media controls, the command box and
// files handed over.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/settings.h"
#include "controls/c_list_box.h"
#include "platform/desktop/desktop.h"
#include "shell/desktop_media.h"
#include "shell/main_controls.h"
#include "shell/player_commands.h"
#include "shell/single_instance.h"
#include "transport/transport.h"
#include "windows/secondary_windows_rig.h"

namespace tarvel {
namespace {

class CommandDoors : public SecondaryWindowsRig {
  protected:
    std::vector<std::string> Reports() {
        std::vector<std::string> reports;
        for (const std::string& call : services.Calls()) {
            if (call.starts_with("MessageBox\t")) {
                reports.push_back(call);
            }
        }
        return reports;
    }
    void OpenSmallPlaylist() {
        SwitchToMini();
        ClickMini(controls::Mini::ImgPls);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&small_list));
    }
    void DoubleClickSmallList(int item) {
        controls::TCListBox& list = small_list.List();
        const QRect rect = list.visualRect(list.model()->index(item, 0));
        QTest::mouseDClick(small_list.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                           list.viewport()->mapTo(&small_list, rect.center()));
    }
    void RunInCommandBox(const char* line) {
        controls().CmdSearch->setText(line);
        controls().CmdSearch->setFocus();
        QTest::keyClick(handle(), Qt::Key_Return);
    }
};

// With the external player chosen and none running no song can start: each door's operation
// fails with an AppError. It is reported once in a message box, the main window stays, and the
// same door's next operation plays once an internal engine is chosen again.
TEST_F(CommandDoors, AFailingOperationIsReportedFromEveryDoorAndTheNextOneWorks) {
    LoadSongs(6);
    const std::string song = run->Playlists().Work().Rows[1][library::kPath];
    shell::WindowMediaPlayer media(run->Playlists(), run->Settings(), run->AnsweringCommands());
    shell::FileInbox inbox(std::nullopt);
    struct Door {
        const char* name;
        std::function<void()> use;
    };
    const std::vector<Door> doors = {
        {"the main window's next button",
         [&] { QTest::mouseClick(handle(), Qt::LeftButton, {}, Centre(controls::Main::ImgNext)); }},
        {"Enter on the main window's playlist",
         [&] {
             controls().List(5).setFocus();
             controls().List(5).setCurrentRow(2);
             QTest::keyClick(handle(), Qt::Key_Return);
         }},
        {"the mini player's next button",
         [&] {
             SwitchToMini();
             ClickMini(controls::Mini::ImgNext);
         }},
        {"a double click in the small playlist",
         [&] {
             OpenSmallPlaylist();
             DoubleClickSmallList(3);
         }},
        {"the playlist menu's quick play item",
         [&] {
             auto* quick = form->findChild<QAction*>("Enabled1");
             ASSERT_NE(quick, nullptr);
             run->Settings().Uncheck(config::Item::Enabled1);
             quick->trigger();
         }},
        {"the next hotkey", [&] { desktop->FireHotkey(desktop::kHotkeyRight); }},
        {"the media controls' next", [&] { media.Next(); }},
        {"the command box", [&] { RunInCommandBox("/play"); }},
        {"files handed over", [&] { inbox.Open(run->Commands(), {song}); }},
    };
    for (const Door& door : doors) {
        SCOPED_TRACE(door.name);
        run->Settings().Check(config::Item::Apollo);
        run->Playlists().Work().Current = 1;
        const size_t before = Reports().size();
        door.use();
        ASSERT_TRUE(WaitUntil([&] { return Reports().size() > before; }));
        EXPECT_NE(Reports().back().find(transport::Transport::kNoExternalPlayer), std::string::npos)
            << Reports().back();
        QCoreApplication::processEvents();
        EXPECT_EQ(Reports().size(), before + 1) << "reported once";
        EXPECT_TRUE(form->isVisible() || mini_player.isVisible()) << "the run goes on";

        // The failure stopped the playlist.
        run->Settings().Check(config::Item::mBass);
        run->Playlists().Work().Current = 1;
        door.use();
        QCoreApplication::processEvents();
        EXPECT_EQ(Reports().size(), before + 1);
        EXPECT_TRUE(run->Transport().Timer1Enabled()) << "a song plays";
        run->Commands().Stop();
        run->Commands().ShowMain();
        mini_player.hide();
        small_list.hide();
    }
}

}  // namespace
}  // namespace tarvel

#include "shell/window_states.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop/fake_desktop.h"

namespace tarvel::shell {
namespace {

using desktop::FakeDesktop;

// The windows as the rules see them: the visible flags, what the native windows show, a volume
// bar with the transport's step rule, and one line per call.
class RecordingHost : public WindowStateHost {
  public:
    bool main_flag = true;
    bool main_native_hidden = false;
    bool main_minimised = false;
    bool mini_flag = false;
    bool mini_minimised = false;
    bool talik_shown = false;
    int volume = 500;
    std::string title = "Tarvel";
    std::vector<std::string> calls;

    // What the user sees: "main", "mini", "tray" (neither), or both when the rules went wrong.
    std::string Seen() const {
        const bool main = main_flag && !main_native_hidden && !main_minimised;
        const bool mini = mini_flag && !mini_minimised;
        if (main && mini) {
            return "main+mini";
        }
        return main ? "main" : mini ? "mini" : "tray";
    }
    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    bool MainVisible() const override { return main_flag; }
    bool MiniVisible() const override { return mini_flag; }
    void ShowMain() override {
        calls.push_back("ShowMain");
        main_flag = true;
        main_native_hidden = false;
    }
    void HideMain() override {
        calls.push_back("HideMain");
        main_flag = false;
    }
    void HideMainNative() override {
        calls.push_back("HideMainNative");
        main_native_hidden = true;
    }
    void RestoreMainNative() override {
        calls.push_back("RestoreMainNative");
        main_native_hidden = false;
        main_minimised = false;
    }
    void MinimiseInstead(bool mini) override {
        calls.push_back(mini ? "MinimiseInstead mini" : "MinimiseInstead main");
        if (mini) {
            mini_flag = true;
            mini_minimised = true;
        } else {
            main_minimised = true;
        }
    }
    void BringMainToFront() override { calls.push_back("BringMainToFront"); }
    void ShowWindowedChildren() override { calls.push_back("ShowWindowedChildren"); }
    void PopUpTrayMenu(desktop::ScreenPoint at) override {
        calls.push_back("PopUpTrayMenu " + std::to_string(at.x) + "," + std::to_string(at.y));
    }
    void ShowMini() override {
        calls.push_back("ShowMini");
        mini_flag = true;
        mini_minimised = false;
    }
    void HideMini() override {
        calls.push_back("HideMini");
        mini_flag = false;
    }
    void HideTalik() override {
        calls.push_back("HideTalik");
        talik_shown = false;
    }
    void PrepareTalikScroller() override { calls.push_back("PrepareTalikScroller"); }
    std::string AppTitle() const override { return title; }
    void StepVolume(int delta) override {
        calls.push_back("StepVolume " + std::to_string(delta));
        if ((delta > 0 && volume >= 771) || (delta < 0 && volume <= 0)) {
            return;
        }
        volume = std::clamp(volume + delta, 0, 771);
    }
    void PlayNext() override { calls.push_back("PlayNext"); }
    void PlayPrevious() override { calls.push_back("PlayPrevious"); }
    void PlayPause() override { calls.push_back("PlayPause"); }
};

class WindowStatesTest : public ::testing::Test {
  protected:
    WindowStatesTest() { states.RegisterHotkeys(); }

    // A hotkey as the desktop delivers it.
    void Press(int hotkey) { desktop.FireHotkey(hotkey); }
    // The main window handed over to the mini player, as ImgMini does.
    void ShowingMini() {
        states.SwitchToMini();
        host.talik_shown = true;
        ASSERT_EQ(host.Seen(), "mini");
    }

    RecordingHost host;
    FakeDesktop desktop;
    WindowStates states{host, desktop};
};

TEST_F(WindowStatesTest, VolumeAndTransportHotkeys) {
    struct Case {
        int volume;
        int hotkey;
        int volume_after;
        const char* call;
    };
    const Case cases[] = {
        {771, desktop::kHotkeyUp, 771, "StepVolume 10"},   // at the top nothing moves
        {765, desktop::kHotkeyUp, 771, "StepVolume 10"},   // stops at 771
        {4, desktop::kHotkeyDown, 0, "StepVolume -10"},    // stops at 0
        {0, desktop::kHotkeyDown, 0, "StepVolume -10"},    //
        {300, desktop::kHotkeyRight, 300, "PlayNext"},     //
        {300, desktop::kHotkeyLeft, 300, "PlayPrevious"},  //
        {300, desktop::kHotkeySpace, 300, "PlayPause"},    //
    };
    for (const Case& c : cases) {
        host.volume = c.volume;
        host.calls.clear();
        Press(c.hotkey);
        EXPECT_EQ(host.volume, c.volume_after) << c.call << " at " << c.volume;
        EXPECT_EQ(host.calls, std::vector<std::string>{c.call});
    }
    host.calls.clear();
    states.HotkeyDispatch(0);
    states.HotkeyDispatch(9);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(host.Seen(), "main");
}

// The main window in the tray still counts as visible, so Win+PageUp switches to the mini
// player instead of restoring the main window, and the icon goes with the tray.
TEST_F(WindowStatesTest, TrayThenWinPageUpGivesTheMiniPlayer) {
    Press(desktop::kHotkeyPageDown);
    EXPECT_EQ(host.Seen(), "tray");
    EXPECT_TRUE(host.main_flag);
    EXPECT_TRUE(desktop.IconShown());
    EXPECT_FALSE(states.RestoreToMini());

    Press(desktop::kHotkeyPageUp);
    EXPECT_EQ(host.Seen(), "mini");
    EXPECT_FALSE(desktop.IconShown());
    EXPECT_EQ(host.Count("PrepareTalikScroller"), 1);
    // A double click on a left-over icon would have brought the main window up beside it.
    desktop.FireTrayDoubleClick();
    EXPECT_EQ(host.Seen(), "mini");
}

// From the mini player the tray brings the mini player back, by every way back except Win+Home.
TEST_F(WindowStatesTest, MiniPlayerToTrayComesBackAsTheMiniPlayer) {
    struct Way {
        const char* name;
        std::function<void()> restore;
        const char* seen;
    };
    const Way ways[] = {
        {"double click", [&] { desktop.FireTrayDoubleClick(); }, "mini"},
        {"tray menu", [&] { states.RestoreFromTray(); }, "mini"},
        {"Win+PageUp", [&] { Press(desktop::kHotkeyPageUp); }, "mini"},
        {"Win+Home", [&] { Press(desktop::kHotkeyHome); }, "main"},
    };
    for (const Way& way : ways) {
        host.ShowMain();
        host.HideMini();
        ShowingMini();
        Press(desktop::kHotkeyPageDown);
        EXPECT_EQ(host.Seen(), "tray") << way.name;
        EXPECT_FALSE(host.talik_shown) << way.name;
        EXPECT_TRUE(states.RestoreToMini()) << way.name;
        EXPECT_TRUE(desktop.IconShown()) << way.name;

        way.restore();
        EXPECT_EQ(host.Seen(), way.seen) << way.name;
        EXPECT_FALSE(desktop.IconShown()) << way.name;
    }
}

TEST_F(WindowStatesTest, WinHomeFromTheMiniPlayerGivesTheMainWindowInFront) {
    ShowingMini();
    host.calls.clear();
    Press(desktop::kHotkeyHome);
    EXPECT_EQ(host.Seen(), "main");
    EXPECT_FALSE(host.talik_shown);
    EXPECT_EQ(host.calls.back(), "BringMainToFront");
}

TEST_F(WindowStatesTest, TipIsTheFirst63CharactersOfTheTitle) {
    // Characters, not bytes: Ж takes two bytes and 소 three.
    std::string long_title;
    std::string first_63;
    for (int i = 0; i < 70; ++i) {
        const std::string letter = i % 10 == 9 ? " " : (i % 2 == 0 ? "Ж" : "소");
        long_title += letter;
        if (i < 63) {
            first_63 += letter;
        }
    }
    host.title = long_title;
    states.MainToTray();
    EXPECT_EQ(desktop.Tip(), first_63);
    EXPECT_EQ(QString::fromStdString(desktop.Tip()).size(), 63);

    EXPECT_EQ(TrayTip("Tarvel"), "Tarvel");
    EXPECT_EQ(TrayTip(std::string(63, 'a')), std::string(63, 'a'));
    EXPECT_EQ(TrayTip(""), "");

    // The tip follows the song while the icon is shown, and not after.
    states.AppTitleChanged("Next song - 00:01/03:00");
    EXPECT_EQ(desktop.Tip(), "Next song - 00:01/03:00");
    states.RestoreFromTray();
    states.AppTitleChanged("Other");
    EXPECT_EQ(desktop.Calls().back(), "DeleteTrayIcon");
}

TEST_F(WindowStatesTest, FirstRestoreShowsTheWindowedChildrenOnce) {
    for (int round = 0; round < 3; ++round) {
        states.MainToTray();
        desktop.FireTrayDoubleClick();
        EXPECT_EQ(host.Seen(), "main");
    }
    EXPECT_EQ(host.Count("ShowWindowedChildren"), 1);
    EXPECT_TRUE(states.FirstRestoreDone());
    EXPECT_EQ(host.Count("RestoreMainNative"), 3);
}

TEST_F(WindowStatesTest, RightClickOnTheIconPopsUpTheTrayMenuOverTheMainWindow) {
    states.MainToTray();
    host.calls.clear();
    desktop.FireTrayRightClick({1200, 5});
    EXPECT_EQ(host.calls, (std::vector<std::string>{"BringMainToFront", "PopUpTrayMenu 1200,5"}));
}

// The desktop's minimise sends a shown main window to the tray, and that is what comes back,
// even after the mini player came back from the tray before.
TEST_F(WindowStatesTest, MinimisedMainWindowComesBackAsTheMainWindow) {
    ShowingMini();
    states.MiniToTray();
    states.RestoreFromTray();
    Press(desktop::kHotkeyHome);
    ASSERT_EQ(host.Seen(), "main");

    states.MainMinimised();
    EXPECT_EQ(host.Seen(), "tray");
    desktop.FireTrayDoubleClick();
    EXPECT_EQ(host.Seen(), "main");
}

// Without a tray the windows are minimised instead, and every way back still works.
TEST_F(WindowStatesTest, WithoutATrayWindowsAreMinimisedInstead) {
    desktop.SetTrayAvailable(false);
    Press(desktop::kHotkeyPageDown);
    EXPECT_EQ(host.calls.back(), "MinimiseInstead main");
    EXPECT_EQ(host.Seen(), "tray");
    states.MainMinimised();  // the desktop reports the minimise: nothing more happens
    EXPECT_EQ(host.Count("MinimiseInstead main"), 1);
    Press(desktop::kHotkeyHome);
    EXPECT_EQ(host.Seen(), "main");

    ShowingMini();
    Press(desktop::kHotkeyPageDown);
    EXPECT_EQ(host.calls.back(), "MinimiseInstead mini");
    EXPECT_EQ(host.Seen(), "tray");
    states.RestoreFromTray();
    EXPECT_EQ(host.Seen(), "mini");
    EXPECT_TRUE(desktop.Calls().end() ==
                std::find_if(desktop.Calls().begin(), desktop.Calls().end(),
                             [](const std::string& c) { return c.rfind("AddTrayIcon", 0) == 0; }));
}

}  // namespace
}  // namespace tarvel::shell

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <vector>

#include "platform/desktop/fake_desktop.h"
#include "platform/desktop/real_desktop.h"
#include "platform/fs/line_file.h"
#include "support/temp_dir.h"

namespace tarvel::desktop {
namespace {

TEST(FakeDesktop, RecordsEveryCallAndDeliversOnlyWhatTheDesktopWould) {
    testing::TempDir dir;
    FakeDesktop fake(dir / "platform.log");
    std::vector<int> hotkeys;
    int double_clicks = 0;
    std::vector<int> right_click_x;
    fake.OnTrayDoubleClick([&] { ++double_clicks; });
    fake.OnTrayRightClick([&](ScreenPoint at) { right_click_x.push_back(at.x); });

    fake.FireHotkey(kHotkeyRight);  // nothing registered yet
    fake.RegisterHotkeys([&](int n) { hotkeys.push_back(n); });
    fake.FireHotkey(kHotkeyRight);
    fake.UnregisterHotkeys();
    fake.FireHotkey(kHotkeyLeft);

    fake.FireTrayDoubleClick();  // no icon yet
    fake.AddTrayIcon("Song\twith a tab\r\n");
    fake.FireTrayDoubleClick();
    fake.FireTrayRightClick({640, 10});
    fake.SetTrayTip("Next song");
    EXPECT_EQ(fake.Tip(), "Next song");
    fake.DeleteTrayIcon();
    fake.FireTrayRightClick({1, 1});

    EXPECT_EQ(hotkeys, std::vector<int>{kHotkeyRight});
    EXPECT_EQ(double_clicks, 1);
    EXPECT_EQ(right_click_x, std::vector<int>{640});
    const std::vector<std::string> expected{
        "RegisterHotkeys",       "UnregisterHotkeys", "AddTrayIcon\tSong with a tab  ",
        "SetTrayTip\tNext song", "DeleteTrayIcon",
    };
    EXPECT_EQ(fake.Calls(), expected);
    EXPECT_EQ(fs::ReadLines(dir / "platform.log"), expected);
}

// Under the offscreen platform of the test run there is no X server to grab keys on.
TEST(RealDesktop, WithoutX11RegistersNoHotkeysAndSaysSoOnce) {
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);  // no portal either
    RealDesktop desktop;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(desktop.RegisterHotkeys([](int) {}));
    EXPECT_FALSE(desktop.RegisterHotkeys([](int) {}));
    desktop.UnregisterHotkeys();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "tarvel: no system-wide hotkeys: neither the desktop portal's global shortcuts nor "
              "key grabs on the desktop (offscreen)\n");
}

TEST(RealDesktop, TrayIconIsTheApplicationsOrADrawnOne) {
    const QImage drawn = ApplicationIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.pixelColor(0, 0).alpha(), 0) << "rounded corner";
    EXPECT_EQ(drawn.pixelColor(4, 16).rgb(), QColor(0xB4, 0x5D, 0x62).rgb()) << "strip colour";
    EXPECT_EQ(drawn.pixelColor(17, 16).rgb(), QColor(Qt::white).rgb()) << "play sign";

    QPixmap own(16, 16);
    own.fill(Qt::green);
    QApplication::setWindowIcon(QIcon(own));
    EXPECT_EQ(ApplicationIcon().pixmap(16, 16).toImage().pixelColor(8, 8).rgb(),
              QColor(Qt::green).rgb());
    QApplication::setWindowIcon(QIcon());
}

}  // namespace
}  // namespace tarvel::desktop

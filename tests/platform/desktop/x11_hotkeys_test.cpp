// The hotkeys on a real X server: Xvfb started by the test, keys typed into it with xdotool.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "platform/desktop/real_desktop.h"

namespace tarvel::desktop {
namespace {

// Waits this long for something the X server was sure to deliver: only a broken run reaches it.
constexpr int kGuardMs = 20000;

class X11Hotkeys : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty()) {
            return;
        }
        server_ = new QProcess;
        // -displayfd: the server picks a free display and writes its number once it listens.
        server_->start("Xvfb",
                       {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
        ASSERT_TRUE(server_->waitForStarted(kGuardMs));
        while (!server_->canReadLine() && server_->waitForReadyRead(kGuardMs)) {
        }
        display_ = ":" + server_->readLine().trimmed();
        ASSERT_NE(display_, ":") << "Xvfb gave no display: "
                                 << server_->readAllStandardError().data();
        qputenv("DISPLAY", display_);
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char name[] = "test_desktop_x11";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }

    static void TearDownTestSuite() {
        delete app_;  // closes the X connection before its server goes
        app_ = nullptr;
        if (server_ != nullptr) {
            server_->terminate();
            EXPECT_TRUE(server_->waitForFinished(kGuardMs));
            EXPECT_EQ(server_->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(server_->exitCode(), 0) << server_->readAllStandardError().data();
            delete server_;
            server_ = nullptr;
        }
    }

    void SetUp() override {
        if (server_ == nullptr) {
            GTEST_SKIP() << "Xvfb is not installed (scripts/setup installs it): no X server to "
                            "grab keys on";
        }
    }

    // Types the keys (xdotool's names, e.g. "super+Right") on the test's X server.
    static void Type(const QStringList& keys) {
        Xdotool(QStringList{"key", "--clearmodifiers"} + keys);
    }

    static void Xdotool(const QStringList& arguments) {
        QProcess xdotool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromUtf8(display_));
        xdotool.setProcessEnvironment(env);
        xdotool.start("xdotool", arguments);
        ASSERT_TRUE(xdotool.waitForStarted(kGuardMs)) << "xdotool is missing (scripts/setup)";
        ASSERT_TRUE(xdotool.waitForFinished(kGuardMs));
        EXPECT_EQ(xdotool.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().data();
    }

    // Runs the event loop until the hotkey `last` arrives; what arrived on the way, in order.
    std::vector<int> ReceivedUpTo(int last) {
        QEventLoop loop;
        QTimer::singleShot(kGuardMs, &loop, &QEventLoop::quit);
        received_until_ = last;
        quit_ = [&loop] { loop.quit(); };
        if (received_.empty() || received_.back() != last) {
            loop.exec();
        }
        quit_ = nullptr;
        return std::exchange(received_, {});
    }

    Desktop::HotkeyHandler Recorder() {
        return [this](int n) {
            received_.push_back(n);
            if (n == received_until_ && quit_) {
                quit_();
            }
        };
    }

    static inline QProcess* server_ = nullptr;
    static inline QApplication* app_ = nullptr;
    static inline QByteArray display_;
    std::vector<int> received_;
    int received_until_ = 0;
    std::function<void()> quit_;
};

TEST_F(X11Hotkeys, SuperKeysArriveAsTheirNumbers) {
    RealDesktop desktop;
    ASSERT_TRUE(desktop.RegisterHotkeys(Recorder()));

    Type({"super+Right"});
    EXPECT_EQ(ReceivedUpTo(kHotkeyRight), std::vector<int>{kHotkeyRight});

    // Plain keys and other modifiers are not hotkeys; Home after them shows they were seen.
    Type({"Right", "ctrl+Up", "super+shift+Left", "super+Home"});
    EXPECT_EQ(ReceivedUpTo(kHotkeyHome), std::vector<int>{kHotkeyHome});

    const std::vector<int> all{kHotkeyUp,     kHotkeyDown,     kHotkeyLeft, kHotkeySpace,
                               kHotkeyPageUp, kHotkeyPageDown, kHotkeyRight};
    Type({"super+Up", "super+Down", "super+Left", "super+space", "super+Prior", "super+Next",
          "super+Right"});
    EXPECT_EQ(ReceivedUpTo(kHotkeyRight), all);
}

TEST_F(X11Hotkeys, CapsLockAndNumLockDoNotStopThem) {
    RealDesktop desktop;
    ASSERT_TRUE(desktop.RegisterHotkeys(Recorder()));
    Type({"Caps_Lock", "super+space", "Caps_Lock", "Num_Lock", "super+Down", "Caps_Lock",
          "super+Up", "Caps_Lock", "Num_Lock"});
    EXPECT_EQ(ReceivedUpTo(kHotkeyUp), (std::vector<int>{kHotkeySpace, kHotkeyDown, kHotkeyUp}));
}

TEST_F(X11Hotkeys, ASecondRegistrationReplacesTheFirst) {
    RealDesktop desktop;
    std::vector<int> first;
    ASSERT_TRUE(desktop.RegisterHotkeys([&first](int n) { first.push_back(n); }));
    ASSERT_TRUE(desktop.RegisterHotkeys(Recorder()));
    Type({"super+Left", "super+Home"});
    EXPECT_EQ(ReceivedUpTo(kHotkeyHome), (std::vector<int>{kHotkeyLeft, kHotkeyHome}))
        << "each press once";
    EXPECT_TRUE(first.empty());
}

// Takes the keys a window of the application gets.
class KeyCatcher : public QWidget {
  public:
    std::vector<int> keys;

  protected:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
};

TEST_F(X11Hotkeys, ArriveAlsoWhileAWindowOfTheApplicationHasTheFocus) {
    KeyCatcher window;
    window.setGeometry(0, 0, 300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Xdotool({"windowfocus", "--sync", QString::number(window.winId())});
    RealDesktop desktop;
    ASSERT_TRUE(desktop.RegisterHotkeys(Recorder()));

    Type({"Left", "super+Right"});
    EXPECT_EQ(ReceivedUpTo(kHotkeyRight), std::vector<int>{kHotkeyRight});
    // The Super key alone is no hotkey: the window sees it go down, but not the Right after it.
    EXPECT_THAT(window.keys, ::testing::Contains(Qt::Key_Left)) << "the window has the focus";
    EXPECT_THAT(window.keys, ::testing::Not(::testing::Contains(Qt::Key_Right)));
}

// Whether the X server refuses another program a grab of Super+Left, as it does while someone
// else holds that grab.
bool OtherProgramIsRefusedSuperLeft(xcb_connection_t* other) {
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(other);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, 0xff51);  // Left
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
    xcb_generic_error_t* error =
        xcb_request_check(other, xcb_grab_key_checked(other, 1, root, XCB_MOD_MASK_4, codes[0],
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool refused = error != nullptr && error->error_code == XCB_ACCESS;
    if (!refused) {
        xcb_ungrab_key(other, codes[0], root, XCB_MOD_MASK_4);
        xcb_flush(other);
    }
    std::free(error);
    std::free(codes);
    xcb_key_symbols_free(symbols);
    return refused;
}

TEST_F(X11Hotkeys, UnregisteringGivesTheKeysBackToOtherPrograms) {
    xcb_connection_t* other = xcb_connect(display_.constData(), nullptr);
    ASSERT_EQ(xcb_connection_has_error(other), 0);
    RealDesktop desktop;
    ASSERT_TRUE(desktop.RegisterHotkeys(Recorder()));
    EXPECT_TRUE(OtherProgramIsRefusedSuperLeft(other));
    desktop.UnregisterHotkeys();
    EXPECT_FALSE(OtherProgramIsRefusedSuperLeft(other));
    xcb_disconnect(other);
}

}  // namespace
}  // namespace tarvel::desktop

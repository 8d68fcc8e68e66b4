// The hotkeys of the real player on its own X server and a private session bus: through a fake
// desktop portal of the test when the bus has one, through X11 key grabs when it has none.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <memory>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "support/fake_portal.h"
#include "support/private_bus.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

// A player with PL1 holding three 6-second tones, on its own X server and session bus; what it
// says on stderr is kept.
class HotkeyJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    HotkeyJourney() { ::setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().toUtf8().constData(), 1); }
    ~HotkeyJourney() override { ::unsetenv("DBUS_SESSION_BUS_ADDRESS"); }

    // Starts the player and its first song; its stderr goes to the test's, which is captured.
    void StartPlaying() {
        app.WriteTonePl1({440, 660, 880}, 6);
        app.WriteSettings({kWithoutAutoPlay});
        ::testing::internal::CaptureStderr();
        capturing = true;
        ASSERT_NO_FATAL_FAILURE(StartPlayer());
        Click(controls::Main::ImgPlayPause);
        ASSERT_TRUE(x.WaitForShown("tone440", true)) << "the first song did not start";
    }

    // Closes the player with its close button; it must end with exit code 0. Returns its stderr.
    std::string CloseAndTellStderr() {
        x.Click(x.FindWindow("tone"), ControlCentre(controls::Main::ImgClose));
        ExpectCleanExit(player);
        capturing = false;
        return ::testing::internal::GetCapturedStderr();
    }

    void TearDown() override {
        if (capturing) {
            std::fputs(::testing::internal::GetCapturedStderr().c_str(), stderr);
        }
        EndIfRunning(player);
    }

    PrivateBus bus;
    bool capturing = false;
};

TEST_F(HotkeyJourney, ThePortalsNextShortcutSkipsToTheNextSong) {
    FakePortal portal(bus.Address());
    ASSERT_TRUE(portal.Ok());
    // The player comes up and plays while the portal has not answered yet; its shortcuts
    // follow the answer.
    portal.HoldAnswers();
    StartPlaying();
    EXPECT_TRUE(portal.Sessions().empty());
    portal.ReleaseAnswers();
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal.Bindings().size() == 1; }, 10000))
        << "the player bound no shortcuts";
    const FakePortal::Binding bound = portal.Bindings()[0];
    ASSERT_EQ(portal.Sessions(), QStringList{bound.session});
    QStringList triggers;
    for (const desktop::PortalShortcut& s : bound.shortcuts) {
        triggers << s.id + "=" + s.properties.value("preferred_trigger").toString();
    }
    EXPECT_EQ(triggers, (QStringList{"volume-up=LOGO+Up", "volume-down=LOGO+Down",
                                     "next=LOGO+Right", "previous=LOGO+Left",
                                     "play-pause=LOGO+space", "mini-player=LOGO+Page_Up",
                                     "to-tray=LOGO+Page_Down", "main-window=LOGO+Home"}));

    portal.Activate(bound.session, "next");
    EXPECT_TRUE(x.WaitForShown("tone660", true, 5000)) << "the next shortcut did not skip";

    const std::string said = CloseAndTellStderr();
    EXPECT_EQ(portal.Closed(), QStringList{bound.session}) << "the session outlived the player";
    EXPECT_NE(said.find("tarvel: system-wide hotkeys through the desktop portal's global "
                        "shortcuts\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find("X11"), std::string::npos) << said;
}

TEST_F(HotkeyJourney, WithoutAPortalTheKeyGrabsSkipWithSuperRight) {
    StartPlaying();
    x.Key("super+Right");
    EXPECT_TRUE(x.WaitForShown("tone660", true, 5000)) << "Super+Right did not skip";
    const std::string said = CloseAndTellStderr();
    EXPECT_NE(said.find("tarvel: system-wide hotkeys through X11 key grabs\n"), std::string::npos)
        << said;
    EXPECT_EQ(said.find("portal"), std::string::npos) << said;
}

}  // namespace
}  // namespace tarvel::testing

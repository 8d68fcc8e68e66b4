// The hotkeys through a fake desktop portal on a private session bus, in the same process: the
// player's side opens a session, binds the shortcuts and hears their activations.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <memory>
#include <vector>

#include "platform/desktop/system_hotkeys.h"
#include "support/fake_portal.h"
#include "support/private_bus.h"

namespace tarvel::desktop {
namespace {

using Way = SystemHotkeys::Way;

class PortalHotkeysTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        bus = new testing::PrivateBus;
        // The player's side uses the session bus, as the program does.
        ::setenv("DBUS_SESSION_BUS_ADDRESS", bus->Address().toUtf8().constData(), 1);
    }
    static void TearDownTestSuite() {
        delete bus;
        bus = nullptr;
    }

    void SetUp() override { ASSERT_TRUE(portal.Ok()); }

    static testing::PrivateBus* bus;
    testing::FakePortal portal{bus->Address()};
    SystemHotkeys hotkeys;
    std::vector<int> heard;
};

testing::PrivateBus* PortalHotkeysTest::bus = nullptr;

TEST_F(PortalHotkeysTest, OneSessionBindsTheEightShortcutsAndTheirActivationsAreTheHotkeys) {
    ::testing::internal::CaptureStderr();
    // Register does not wait for the portal: it returns while the portal holds its answer.
    portal.HoldAnswers();
    EXPECT_TRUE(hotkeys.Register([this](int n) { heard.push_back(n); }));
    EXPECT_EQ(hotkeys.InUse(), Way::kPending);
    QCoreApplication::processEvents();
    EXPECT_EQ(hotkeys.InUse(), Way::kPending);
    EXPECT_TRUE(portal.Sessions().empty());
    portal.ReleaseAnswers();
    ASSERT_TRUE(QTest::qWaitFor([this] { return portal.Bindings().size() == 1; }, 5000));
    EXPECT_EQ(hotkeys.InUse(), Way::kPortal);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tarvel: system-wide hotkeys through the desktop portal's global shortcuts\n");

    ASSERT_EQ(portal.Sessions().size(), 1);
    const QString session = portal.Sessions()[0];
    const testing::FakePortal::Binding bound = portal.Bindings()[0];
    EXPECT_EQ(bound.session, session);
    // The ids in hotkey order with the triggers the desktop is asked for.
    const std::vector<std::pair<QString, QString>> expected{
        {"volume-up", "LOGO+Up"},      {"volume-down", "LOGO+Down"},
        {"next", "LOGO+Right"},        {"previous", "LOGO+Left"},
        {"play-pause", "LOGO+space"},  {"mini-player", "LOGO+Page_Up"},
        {"to-tray", "LOGO+Page_Down"}, {"main-window", "LOGO+Home"},
    };
    ASSERT_EQ(bound.shortcuts.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const PortalShortcut& s = bound.shortcuts[static_cast<qsizetype>(i)];
        EXPECT_EQ(s.id, expected[i].first);
        EXPECT_EQ(s.properties.value("preferred_trigger").toString(), expected[i].second);
        EXPECT_FALSE(s.properties.value("description").toString().isEmpty()) << i;
    }

    // Another session's shortcut and an id of no hotkey go unheard; the signals keep their order.
    portal.Activate(session + "x", "next");
    portal.Activate(session, "louder");
    for (const auto& [id, trigger] : expected) {
        portal.Activate(session, id);
    }
    ASSERT_TRUE(QTest::qWaitFor([this] { return heard.size() >= 8; }, 5000));
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));

    // Unregistering closes the session; a new registration opens another, and only its
    // shortcuts arrive.
    hotkeys.Unregister();
    portal.Activate(session, "next");
    heard.clear();
    EXPECT_TRUE(hotkeys.Register([this](int n) { heard.push_back(n); }));
    ASSERT_TRUE(QTest::qWaitFor([this] { return portal.Bindings().size() == 2; }, 5000));
    EXPECT_EQ(portal.Closed(), QStringList{session});
    portal.Activate(portal.Sessions().back(), "previous");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !heard.empty(); }, 5000));
    EXPECT_EQ(heard, std::vector<int>{kHotkeyLeft});
}

// Dropping the registration, or making another, while the portal's answer is awaited: the
// dropped one does nothing when its answer comes.
TEST_F(PortalHotkeysTest, AnAnswerAwaitedForADroppedRegistrationIsIgnored) {
    ::testing::internal::CaptureStderr();
    std::vector<int> first_heard;
    portal.HoldAnswers();
    EXPECT_TRUE(hotkeys.Register([&](int n) { first_heard.push_back(n); }));
    hotkeys.Unregister();
    EXPECT_EQ(hotkeys.InUse(), Way::kNone);
    EXPECT_TRUE(hotkeys.Register([&](int n) { first_heard.push_back(n); }));
    EXPECT_TRUE(hotkeys.Register([this](int n) { heard.push_back(n); }));
    EXPECT_EQ(hotkeys.InUse(), Way::kPending);
    portal.ReleaseAnswers();
    // The answers come in the order asked, so the dropped ones would have opened their
    // sessions before the last one bound its shortcuts.
    ASSERT_TRUE(QTest::qWaitFor([this] { return portal.Bindings().size() == 1; }, 5000));
    EXPECT_EQ(portal.Sessions().size(), 1);
    portal.Activate(portal.Sessions()[0], "next");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !heard.empty(); }, 5000));
    EXPECT_EQ(heard, std::vector<int>{kHotkeyRight});
    EXPECT_TRUE(first_heard.empty());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tarvel: system-wide hotkeys through the desktop portal's global shortcuts\n");
}

// A portal that never answers: Register still returns at once, and after the three seconds the
// call may take the key grabs are tried (none here: the test runs offscreen).
TEST_F(PortalHotkeysTest, APortalThatNeverAnswersLeavesTheHotkeysToKeyGrabs) {
    ::testing::internal::CaptureStderr();
    portal.HoldAnswers();
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(hotkeys.Register([this](int n) { heard.push_back(n); }));
    EXPECT_LT(clock.elapsed(), 1500) << "Register waited for the portal";
    ASSERT_TRUE(QTest::qWaitFor([this] { return hotkeys.InUse() != Way::kPending; }, 20000));
    EXPECT_GE(clock.elapsed(), 2500) << "gave up on the portal before its time";
    EXPECT_EQ(hotkeys.InUse(), Way::kNone);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tarvel: no system-wide hotkeys: neither the desktop portal's global shortcuts nor "
              "key grabs on the desktop (offscreen)\n");
}

TEST_F(PortalHotkeysTest, ARefusedSessionFallsBackToKeyGrabsAndSaysWhy) {
    portal.SetSessionResponse(1);  // the user said no
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(hotkeys.Register([this](int n) { heard.push_back(n); }));
    ASSERT_TRUE(QTest::qWaitFor([this] { return hotkeys.InUse() == Way::kNone; }, 5000));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tarvel: system-wide hotkeys through the desktop portal's global shortcuts\n"
              "tarvel: the desktop portal gave no hotkeys: no shortcuts session (response 1)\n"
              "tarvel: no system-wide hotkeys: neither the desktop portal's global shortcuts nor "
              "key grabs on the desktop (offscreen)\n");
    EXPECT_EQ(hotkeys.InUse(), Way::kNone) << "the test runs offscreen: no X server to grab on";
    EXPECT_TRUE(portal.Bindings().empty());
}

}  // namespace
}  // namespace tarvel::desktop

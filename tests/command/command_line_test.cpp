// The command line of the search box and the shutdown, against the recording platform fake.
#include "command/command_line.h"

#include <gtest/gtest.h>

#include "command/shutdown.h"
#include "platform/system/fake_system_services.h"

namespace tarvel::command {
namespace {

using Calls = std::vector<std::string>;

class CommandLine : public ::testing::Test {
  protected:
    CommandLine() {
        const auto record = [this](const char* what) {
            return [this, what] { done.push_back(what); };
        };
        targets.PlayPause = record("PlayPause");
        targets.PlayFromStart = record("PlayFromStart");
        targets.ClearPlaylist = record("ClearPlaylist");
        targets.SaveOnExit = record("SaveOnExit");
        targets.Close = record("Close");
    }
    // What one line did: the targets it called, then the platform calls it made.
    Calls Run(const std::string& line) {
        done.clear();
        system::FakeSystemServices services;
        services.SetSucceeds(succeeds);
        RunCommandLine(line, services, targets);
        Calls all = done;
        all.insert(all.end(), services.Calls().begin(), services.Calls().end());
        return all;
    }

    CommandTargets targets;
    Calls done;
    bool succeeds = true;
};

TEST_F(CommandLine, PrefixesAreTestedLongestFirst) {
    struct Case {
        const char* line;
        Calls calls;
    };
    const Case cases[] = {
        {"\\pause", {"PlayPause"}},
        {"/play", {"PlayFromStart"}},
        {"/cp", {"ClearPlaylist"}},
        {"\\close", {"SaveOnExit", "Close"}},
        {"///sitename", {"OpenWithDesktop\thttp://sitename"}},
        {"\\\\\\http://x", {"OpenWithDesktop\thttp://x"}},
        {"///www.x.org/http", {"OpenWithDesktop\twww.x.org/http"}},
        {"//xterm -e top", {"StartProgram\txterm -e top\t9"}},
        {"\\\\/home/me/Music", {"StartProgram\t/home/me/Music\t9"}},
        // Compared exactly: no other word, case or spacing runs anything.
        {"\\Pause", {}},
        {"/pause ", {}},
        {"/", {}},
        {"abc", {}},
        {"", {}},
        {" /pause", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.line), c.calls) << c.line;
    }
}

TEST_F(CommandLine, WhatCannotBeStartedIsOpenedThroughTheDesktop) {
    succeeds = false;
    EXPECT_EQ(Run("//Music folder"),
              (Calls{"StartProgram\tMusic folder\t9", "OpenWithDesktop\tMusic folder"}));
}

TEST_F(CommandLine, AnAddressNoBrowserOpensIsSaidInAMessage) {
    succeeds = false;
    EXPECT_EQ(Run("///sitename"),
              (Calls{"OpenWithDesktop\thttp://sitename",
                     "MessageBox\tTarvel\tNo web browser could open http://sitename\tOk"}));
}

TEST_F(CommandLine, RebootSavesTheRunThenPowersOff) {
    EXPECT_EQ(Run("\\reboot"), (Calls{"SaveOnExit", "Shutdown\tPowerOff"}));
}

TEST(ShutdownComputer, PowersOffOrFallsBackToAPlainPowerOffThenLogOff) {
    system::FakeSystemServices accepted;
    ShutdownComputer(accepted);
    EXPECT_EQ(accepted.Calls(), (Calls{"Shutdown\tPowerOff"}));
    system::FakeSystemServices refused;
    refused.SetSucceeds(false);
    ShutdownComputer(refused);
    EXPECT_EQ(refused.Calls(),
              (Calls{"Shutdown\tPowerOff", "Shutdown\tPowerOff", "Shutdown\tLogOff"}));
}

}  // namespace
}  // namespace tarvel::command

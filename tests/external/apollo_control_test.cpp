#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "external/apollo_command.h"
#include "external/apollo_handover.h"
#include "external/apollo_lifecycle.h"
#include "platform/fs/file_ops.h"
#include "platform/system/fake_system_services.h"
#include "support/temp_dir.h"
#include "support/winmsg_peer.h"

namespace tarvel::external {
namespace {

using tarvel::testing::Hex;
using tarvel::testing::Peer;
using tarvel::testing::ReadBytes;
using tarvel::testing::TempDir;
using tarvel::testing::WriteBytes;

// Each test has a window folder of its own, so programs of other tests are never found.
class ApolloControl : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("TARVEL_WINDOWS_DIR", (dir_ / "windows").c_str(), 1); }
    void TearDown() override { ::unsetenv("TARVEL_WINDOWS_DIR"); }

    std::vector<std::string> Lines(Peer& peer, size_t count) {
        std::vector<std::string> lines;
        while (lines.size() < count) {
            lines.push_back(peer.NextLine());
        }
        return lines;
    }

    TempDir dir_;
};

TEST_F(ApolloControl, WithNoPlayerEveryCommandReturnsZero) {
    EXPECT_FALSE(ApolloRunning());
    for (int32_t command : {1, 9, 11, 13, 18, 19, 20}) {
        EXPECT_EQ(ApolloCommand(command, 1234), 0) << command;
    }
    EXPECT_EQ(SendFileToApollo("/music/a.mp3"), 0);
    CloseApollo();
    HideApollo();
    std::vector<int> waits;
    HandOverFile("/music/a.mp3", 83450, PlayCommand::Play, 771,
                 [&](int ms) { waits.push_back(ms); });
    EXPECT_EQ(waits, std::vector<int>{400});
}

TEST_F(ApolloControl, CommandsReachTheApolloWindowWithTheirResult) {
    Peer apollo(kApolloClass, "Apollo");
    EXPECT_TRUE(ApolloRunning());
    EXPECT_EQ(ApolloCommand(19, 0), 19);  // the peer answers wParam + lParam
    EXPECT_EQ(apollo.NextLine(), "send 1027 19 0");
    EXPECT_EQ(ApolloCommand(20, 65535), 65555);
    EXPECT_EQ(apollo.NextLine(), "send 1027 20 65535");
}

TEST_F(ApolloControl, HandOverSendsItsMessagesInOrder) {
    const std::string path = "/music/\xC0\xEB\xE8\xF1\xE0/01 Song.mp3";
    const std::string record = "copydata 2 " + Hex(path + std::string(1, '\0'));
    struct Case {
        int32_t position_ms;
        PlayCommand command;
        int volume;
        std::vector<std::string> lines;
        std::vector<int> waits;
    };
    const Case cases[] = {
        {83450,
         PlayCommand::Play,
         771,
         {"send 1027 11 0", "send 1027 20 0", record, "send 1027 18 83450", "send 1027 20 65535"},
         {400}},
        {83450,
         PlayCommand::Pause,
         100,
         {"send 1027 11 0", "send 1027 20 0", record, "send 1027 18 83450", "send 1027 13 0",
          "send 1027 20 8500"},
         {400}},
        {0,
         PlayCommand::Pause,
         10,
         {"send 1027 11 0", "send 1027 20 0", record, "send 1027 13 0", "send 1027 20 850"},
         {}},
        {0, PlayCommand::Play, 500, {"send 1027 11 0", record}, {}},
    };
    Peer apollo(kApolloClass, "Apollo");
    for (const auto& c : cases) {
        std::vector<int> waits;
        HandOverFile(path, c.position_ms, c.command, c.volume,
                     [&](int ms) { waits.push_back(ms); });
        EXPECT_EQ(Lines(apollo, c.lines.size()), c.lines) << c.position_ms;
        EXPECT_EQ(waits, c.waits);
    }
}

TEST_F(ApolloControl, StartUpStartsApolloMinimisedOnlyWhenNeededAndHidesIt) {
    system::FakeSystemServices services;
    StartApolloAtStartup(services, "None");
    StartApolloAtStartup(services, "/opt/apollo/apollo");
    EXPECT_EQ(services.Calls(), std::vector<std::string>{"StartProgram\t/opt/apollo/apollo\t6"});

    Peer apollo(kApolloClass, "Apollo");
    StartApolloAtStartup(services, "/opt/apollo/apollo");
    EXPECT_EQ(services.Calls().size(), 1u) << "a running Apollo is not started again";
    EXPECT_EQ(apollo.NextLine(), "show 0");
}

TEST_F(ApolloControl, TheCdPluginIsInstalledOnlyWhenMissingWithApolloChosen) {
    const std::string apollo_path = dir_ / "Apollo/apollo";
    const std::string plugin = dir_ / "Apollo/Plug-ins/CDReader.dll";
    WriteBytes(dir_ / "app/ForApollo/CDReader.dll", "the CD reader");
    struct Case {
        bool cd_shown, apollo_chosen, plugin_present, rebuild;
        bool installs;
    };
    const Case cases[] = {
        {true, true, false, false, true},
        {true, true, true, true, false},
        {true, false, false, true, false},
        {false, true, false, true, false},
    };
    for (const auto& c : cases) {
        fs::RemoveFile(plugin);
        if (c.plugin_present) {
            WriteBytes(plugin, "already there");
        }
        Peer apollo(kApolloClass, "Apollo");
        system::FakeSystemServices services;
        std::vector<int> waits;
        int rebuilds = 0;
        CdPluginContext context{c.cd_shown,         c.apollo_chosen,
                                apollo_path,        dir_ / "app",
                                &services,          [&](int ms) { waits.push_back(ms); },
                                [&] { ++rebuilds; }};
        EnsureCdReaderPlugin(c.rebuild, context);
        SCOPED_TRACE(::testing::Message() << c.cd_shown << c.apollo_chosen << c.plugin_present);
        EXPECT_EQ(rebuilds, c.cd_shown && c.rebuild ? 1 : 0);
        if (c.installs) {
            EXPECT_EQ(ReadBytes(plugin), "the CD reader");
            EXPECT_EQ(Lines(apollo, 2), (std::vector<std::string>{"send 1027 9 0", "post 16 0 0"}));
            EXPECT_EQ(waits, std::vector<int>{300});
            EXPECT_EQ(services.Calls(),
                      std::vector<std::string>{"StartProgram\t" + apollo_path + "\t6"});
        } else {
            EXPECT_EQ(fs::FileExists(plugin), c.plugin_present);
            EXPECT_TRUE(services.Calls().empty());
            EXPECT_EQ(ApolloCommand(1, 0), 1) << "Apollo was left alone";
        }
    }
}

TEST_F(ApolloControl, TheEqualizerButtonReopensApollosEqualizerOnTop) {
    Peer apollo(kApolloClass, "Apollo");
    Peer equalizer("Apollo - Graphic Equalizer", kApolloEqualizerTitle);
    OpenApolloEqualizer();
    EXPECT_EQ(equalizer.NextLine(), "post 256 27 1");
    EXPECT_EQ(apollo.NextLine(), "post 256 69 76");
    EXPECT_EQ(equalizer.NextLine(), "show 5");
    EXPECT_EQ(equalizer.NextLine(), "topmost 1");
}

}  // namespace
}  // namespace tarvel::external

#include "platform/system/fake_system_services.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/fs/line_file.h"
#include "support/temp_dir.h"

namespace tarvel::system {
namespace {

using tarvel::testing::TempDir;
using tarvel::testing::WriteBytes;

TEST(FakeSystemServices, RecordsEveryCallAndAnswersFromItsQueue) {
    TempDir dir;
    FakeSystemServices fake(dir / "calls.log");
    fake.QueueAnswer("Cancel");
    fake.QueueAnswer("/music/new");
    fake.QueueAnswer("");

    EXPECT_TRUE(fake.StartProgram("/opt/apollo/apollo.exe", kShowMinimized));
    EXPECT_EQ(fake.MessageBox("Tarvel", "Для того\nчто бы", Buttons::OkCancel), Answer::Cancel);
    EXPECT_EQ(fake.ChooseFolder("Укажите путь"), "/music/new");
    EXPECT_EQ(fake.OpenFileDialog("Load", "/pl", "*.tpl"), std::nullopt);  // "" cancels
    // With the queue empty: the first button, a cancelled dialog.
    EXPECT_EQ(fake.MessageBox("T", "x", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(fake.MessageBox("T", "x", Buttons::Ok), Answer::Ok);
    EXPECT_EQ(fake.SaveFileDialog("Save", "/pl", "*.tpl"), std::nullopt);
    EXPECT_TRUE(fake.Shutdown(ShutdownKind::PowerOff));

    const std::vector<std::string> expected = {
        "StartProgram\t/opt/apollo/apollo.exe\t6",
        "MessageBox\tTarvel\tДля того\\nчто бы\tOkCancel",
        "ChooseFolder\tУкажите путь",
        "OpenFileDialog\tLoad\t/pl\t*.tpl",
        "MessageBox\tT\tx\tYesNo",
        "MessageBox\tT\tx\tOk",
        "SaveFileDialog\tSave\t/pl\t*.tpl",
        "Shutdown\tPowerOff",
    };
    EXPECT_EQ(fake.Calls(), expected);
    EXPECT_EQ(fs::ReadLines(dir / "calls.log"), expected);
}

TEST(FakeSystemServices, TheEnvironmentSelectsTheFakeWithItsLogAndAnswers) {
    TempDir dir;
    WriteBytes(dir / "answers", "No\n/picked\n");
    ::setenv("TARVEL_PLATFORM", "fake", 1);
    ::setenv("TARVEL_PLATFORM_LOG", (dir / "log").c_str(), 1);
    ::setenv("TARVEL_PLATFORM_ANSWERS", (dir / "answers").c_str(), 1);
    const auto services = CreateSystemServices();
    ASSERT_NE(dynamic_cast<FakeSystemServices*>(services.get()), nullptr);
    EXPECT_EQ(services->MessageBox("c", "t", Buttons::YesNo), Answer::No);
    EXPECT_EQ(services->ChooseFolder("c"), "/picked");
    ReportError(*services, "Cannot open file \"/x\": No such file or directory");
    EXPECT_EQ(fs::ReadLines(dir / "log").back(),
              "MessageBox\tTarvel\tCannot open file \"/x\": No such file or directory\tOk");
    ::unsetenv("TARVEL_PLATFORM_LOG");
    ::unsetenv("TARVEL_PLATFORM_ANSWERS");
}

}  // namespace
}  // namespace tarvel::system

namespace tarvel::system {
namespace {

// The program with every window hidden (in the tray) or none made yet.
class NoWindowShown : public FakeSystemServices {
  public:
    bool WindowShown() const override { return false; }
};

TEST(ErrorReport, AMessageBoxWhileAWindowIsShownElseOneLineOnStderr) {
    FakeSystemServices shown;
    ReportError(shown, "a.mp3: gone");
    EXPECT_EQ(shown.Calls(), std::vector<std::string>{"MessageBox\tTarvel\ta.mp3: gone\tOk"});

    NoWindowShown hidden;
    ::testing::internal::CaptureStderr();
    ReportError(hidden, "first line\nsecond line\r\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "tarvel: first line second line  \n");
    EXPECT_TRUE(hidden.Calls().empty());
}

}  // namespace
}  // namespace tarvel::system

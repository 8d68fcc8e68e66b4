#include "windows/fmod_window.h"

#include <gtest/gtest.h>

#include "platform/system/fake_system_services.h"
#include "sound_support/shared_manual.h"
#include "support/temp_dir.h"

namespace tarvel {
namespace {

TEST(TfrmMain, HiddenHostOfTheFmodEngine) {
    sound::ManualOutput& out = testing::UseManualSharedEngine();
    system::FakeSystemServices services;
    TfrmMain window(services, [] { return 310; });  // FMOD volume 100
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.tmrMain.interval(), 50);
    EXPECT_FALSE(window.tmrMain.isActive());
    EXPECT_EQ(window.lblCDTrack->objectName(), "lblCDTrack");

    testing::TempDir dir;
    const std::string cue = testing::WriteCueBin(dir.path());
    setenv("TARVEL_CD", cue.c_str(), 1);
    window.Engine().FmodPlay("CD", "", 1);
    window.Engine().FmodCDRefresh();
    EXPECT_EQ(window.lblCDTrack->text(), "01/02");
    window.Engine().FmodPlay("", testing::SoundData("tone_1k_2s.mp3"), 0);
    out.Advance(500);
    EXPECT_NEAR(testing::PeakAbs(out.Captured(), 11025, 22050), 0.5 * 100 / 255, 0.03);
    EXPECT_TRUE(services.Calls().empty());
    unsetenv("TARVEL_CD");
    fmod::FSOUND_Close();
    sound::ResetSharedEngine();
}

}  // namespace
}  // namespace tarvel

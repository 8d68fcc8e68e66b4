#include "audio/fmod_engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "platform/error/app_error.h"
#include "platform/sound/cd_toc.h"
#include "platform/system/fake_system_services.h"
#include "sound_support/shared_manual.h"
#include "support/temp_dir.h"

namespace tarvel::audio {
namespace {

using namespace tarvel::fmod;

class RecordingDisplay : public FmodDisplay {
  public:
    void SetCdTrackText(const std::string& text) override { text_ = text; }
    std::string text_;
};

class FmodEngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        out_ = &testing::UseManualSharedEngine();
        ASSERT_TRUE(engine_.Initialise(nullptr));
        testing::WriteTinyMod(dir_ / "tiny.mod");
    }
    void TearDown() override {
        FSOUND_Close();
        sound::ResetSharedEngine();
        unsetenv("TARVEL_CD");
    }
    std::int32_t State(const std::string& kind = "") {
        std::int32_t state = -1;
        engine_.FmodGetState(kind, state);
        return state;
    }
    // Advances until the state is 0; the milliseconds it took.
    int PlayOut(const std::string& kind = "") {
        int ms = 0;
        while (State(kind) != 0 && ms < 60000) {
            out_->Advance(100);
            ms += 100;
        }
        return ms;
    }
    std::string Boxes() const {
        std::string all;
        for (const auto& call : services_.Calls()) {
            all += call + "\n";
        }
        return all;
    }

    testing::TempDir dir_;
    sound::ManualOutput* out_ = nullptr;
    system::FakeSystemServices services_;
    RecordingDisplay display_;
    int volume_position_ = 771;
    FmodEngine engine_{services_, display_, [this] { return volume_position_; }};
};

TEST_F(FmodEngineTest, EachFormatPlaysSeeksPausesAndEnds) {
    const std::pair<const char*, int> songs[] = {
        {"tone_1k_2s.mp3", 2000},  {"tone_1k_3s.flac", 3000}, {"tone_1k_3s.ogg", 3000},
        {"tone_1k_3s.opus", 3000}, {"tone_1k_3s.m4a", 3000},  {"tone_1k_3s_alac.m4a", 3000},
    };
    for (const auto& [song, length_ms] : songs) {
        SCOPED_TRACE(song);
        engine_.FmodPlay("", testing::SoundData(song), 0);
        EXPECT_EQ(State(), 1);
        out_->Advance(500);
        EXPECT_EQ(engine_.FmodGetTime(""), 500);
        engine_.FmodSetTime("", 1234);
        EXPECT_EQ(engine_.FmodGetTime(""), 1234);
        engine_.FmodPause("", true);
        EXPECT_EQ(State(), 2);
        out_->Advance(300);
        EXPECT_EQ(engine_.FmodGetTime(""), 1234);
        engine_.FmodPause("", false);
        EXPECT_EQ(State(), 1);
        const std::size_t resumed = out_->Captured().size() / 2;
        EXPECT_EQ(PlayOut(), (length_ms - 1234 + 99) / 100 * 100);
        EXPECT_EQ(engine_.FmodGetTime(""), length_ms);
        EXPECT_NEAR(
            testing::ZeroCrossingHz(out_->Captured(), resumed + 2205, resumed + 22050, 44100), 1000,
            2);
        EXPECT_TRUE(services_.Calls().empty()) << Boxes();
    }
}

TEST_F(FmodEngineTest, ModulePlaysToItsEndAndReportsItsTime) {
    engine_.FmodPlay("", dir_ / "tiny.mod", 0);
    EXPECT_EQ(State(), 1);
    out_->Advance(300);
    EXPECT_EQ(engine_.FmodGetTime(""), 300);
    EXPECT_GT(testing::Rms(out_->Captured(), 0, 0, 13230), 0.01);
    engine_.FmodPause("", true);
    EXPECT_EQ(State(), 2);
    engine_.FmodPause("", false);
    EXPECT_LE(PlayOut(), 1200);
    EXPECT_EQ(State(), 0);
}

// The tiny module sounds on its first channel only, which a ProTracker module pans hard left.
// At a separation of 0.15 the difference of the two sides is 15 % of their sum (at full
// separation it would be as large as the sum).
TEST_F(FmodEngineTest, ProtrackerModulePlaysAtThePanSeparationItWasGiven) {
    engine_.FmodPlay("", dir_ / "tiny.mod", 0);
    out_->Advance(500);
    const std::vector<float>& sound = out_->Captured();
    double side = 0;
    double mid = 0;
    for (std::size_t i = 0; i + 1 < sound.size(); i += 2) {
        side += (sound[i] - sound[i + 1]) * (sound[i] - sound[i + 1]);
        mid += (sound[i] + sound[i + 1]) * (sound[i] + sound[i + 1]);
    }
    ASSERT_GT(mid, 1.0) << "the module sounds";
    EXPECT_NEAR(std::sqrt(side / mid), 0.15, 0.02);
}

TEST_F(FmodEngineTest, VolumeFollowsTheBarAndTheScale) {
    volume_position_ = 771;  // 249 of 255
    engine_.FmodPlay("", dir_ / "tiny.mod", 0);
    const double at_249 = testing::NextLevel(*out_, 200);
    engine_.FmodSetVolume("", 124);
    EXPECT_NEAR(testing::NextLevel(*out_, 200) / at_249, 124.0 / 249, 0.02);
    engine_.FmodSetVolume("", 0);
    EXPECT_EQ(testing::NextLevel(*out_, 200), 0.0);
}

// Leveling scales the streams started after it is set; modules keep their level.
TEST_F(FmodEngineTest, LevelingScalesTheNextStreams) {
    const std::string tone = dir_ / "tone.wav";
    testing::WriteWav(tone, 44100, 2, 16, testing::Sine(1000, 0.25, 44100, 2, 44100));
    engine_.FmodPlay("", tone, 0);
    const double plain = testing::NextLevel(*out_, 200);
    engine_.FmodPlay("", dir_ / "tiny.mod", 0);
    const double module = testing::NextLevel(*out_, 200);
    engine_.SetLeveling(0.25f);
    engine_.FmodPlay("", tone, 0);
    EXPECT_NEAR(testing::NextLevel(*out_, 200) / plain, 0.25, 0.005);
    engine_.FmodPlay("", dir_ / "tiny.mod", 0);
    EXPECT_NEAR(testing::NextLevel(*out_, 200) / module, 1.0, 0.005);
}

TEST_F(FmodEngineTest, LoadErrorsShowBoxesAndLeaveSilence) {
    testing::WriteBytes(dir_ / "words.mp3", "not a song\n");
    engine_.FmodPlay("", testing::SoundData("tone_1k_2s.mp3"), 0);
    out_->Advance(200);
    engine_.FmodPlay("", dir_ / "none.mp3", 0);
    engine_.FmodPlay("", dir_ / "words.mp3", 0);
    EXPECT_EQ(services_.Calls().size(), 2u);
    EXPECT_EQ(Boxes(),
              "MessageBox\tLoad error\tFile not found\tOk\n"
              "MessageBox\tLoad error\tUnknown file format\tOk\n");
    // The previous song does not start again.
    EXPECT_EQ(State(), 0);
    EXPECT_EQ(testing::NextLevel(*out_, 200), 0.0);
    engine_.FmodStop("");
    EXPECT_EQ(engine_.FmodGetTime(""), 0);
}

TEST_F(FmodEngineTest, CdTracksFromTheImage) {
    const std::string cue = testing::WriteCueBin(dir_.path());
    setenv("TARVEL_CD", cue.c_str(), 1);
    std::vector<std::int32_t> lengths{99};
    engine_.FmodGetCDTrackLengths(lengths);
    EXPECT_EQ(lengths, (std::vector<std::int32_t>{2000, 1000}));
    EXPECT_EQ(display_.text_, "00/02");
    engine_.FmodPlay("CD", "whatever/Track01.cda", 2);
    EXPECT_TRUE(engine_.CdPlaying);
    EXPECT_EQ(State("CD"), 1);
    engine_.FmodCDRefresh();
    EXPECT_EQ(display_.text_, "02/02");
    out_->Advance(300);
    // At the volume bar's level (771 -> 249), not the drive's full volume.
    EXPECT_NEAR(testing::PeakAbs(out_->Captured(), 0, 13230), 0.5 * 249 / 255, 0.001);
    engine_.FmodPause("CD", true);
    EXPECT_EQ(State("CD"), 2);
    EXPECT_EQ(State(""), 0);
    engine_.FmodPause("CD", false);
    engine_.FmodSetTime("CD", 500);
    EXPECT_EQ(engine_.FmodGetTime("CD"), 500);
    EXPECT_EQ(PlayOut("CD"), 500);
    // A file after a CD track stops the drive.
    engine_.FmodPlay("CD", "", 1);
    engine_.FmodPlay("", dir_ / "tiny.mod", 0);
    EXPECT_EQ(State("CD"), 0);
    EXPECT_EQ(State(""), 1);
}

TEST_F(FmodEngineTest, TimerRefreshesTheCdLabelAboutOnceASecond) {
    for (int tick = 0; tick < 20; ++tick) {
        engine_.TimerTick(50);
    }
    EXPECT_EQ(display_.text_, "");
    engine_.TimerTick(50);
    EXPECT_EQ(display_.text_, "00/00");
    EXPECT_EQ(engine_.TimerTag, 0);
}

TEST_F(FmodEngineTest, TheTimerReadsADiscsTableOncePerDisc) {
    setenv("TARVEL_CD", testing::WriteCueBin(dir_.path()).c_str(), 1);
    const auto ten_seconds = [this] {
        for (int tick = 0; tick < 200; ++tick) {
            engine_.TimerTick(50);
        }
    };
    const std::uint64_t before = sound::CdTocReads();
    ten_seconds();
    EXPECT_EQ(display_.text_, "00/02");
    EXPECT_EQ(sound::CdTocReads(), before + 1) << "ten refreshes, one read of the disc";
    std::vector<std::int32_t> lengths;
    engine_.FmodGetCDTrackLengths(lengths);
    EXPECT_EQ(lengths, (std::vector<std::int32_t>{2000, 1000}));
    EXPECT_EQ(sound::CdTocReads(), before + 1);
    // Another disc, and the same image written anew: each is read once.
    std::filesystem::create_directories(dir_ / "other");
    setenv("TARVEL_CD", testing::WriteCueBin(dir_ / "other").c_str(), 1);
    ten_seconds();
    EXPECT_EQ(sound::CdTocReads(), before + 2);
    testing::WriteCueBin(dir_ / "other");
    ten_seconds();
    EXPECT_EQ(sound::CdTocReads(), before + 3);
    EXPECT_EQ(display_.text_, "00/02");
    // No disc at all: no tracks, and asking again costs nothing until one comes.
    setenv("TARVEL_CD", (dir_ / "none.cue").c_str(), 1);
    ten_seconds();
    EXPECT_EQ(display_.text_, "00/00");
    EXPECT_EQ(sound::CdTocReads(), before + 4);
}

TEST(FmodErrorText, Table) {
    EXPECT_EQ(FmodEngine::FmodErrorText(0), "No errors");
    EXPECT_EQ(FmodEngine::FmodErrorText(1),
              "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first");
    EXPECT_EQ(FmodEngine::FmodErrorText(9), "File not found");
    EXPECT_EQ(FmodEngine::FmodErrorText(10), "Unknown file format");
    EXPECT_EQ(FmodEngine::FmodErrorText(18), "Required Mediaplayer codec is not installed");
    EXPECT_EQ(FmodEngine::FmodErrorText(19), "Unknown error");
    EXPECT_EQ(FmodEngine::FmodErrorText(-1), "Unknown error");
}

TEST(FmodInitialise, VersionAndSetUpFailures) {
    testing::UseManualSharedEngine();
    system::FakeSystemServices services;
    RecordingDisplay display;
    FmodEngine old(
        services, display, [] { return 0; }, [] { return 3.70f; });
    EXPECT_FALSE(old.Initialise(nullptr));
    ASSERT_EQ(services.Calls().size(), 1u);
    EXPECT_EQ(services.Calls()[0],
              "MessageBox\tVersion mismatch\tAPI version 3.71 is newer than DLL version 3.70\tOk");
    FmodEngine exact(
        services, display, [] { return 0; }, [] { return 3.71f; });
    EXPECT_TRUE(exact.Initialise(nullptr));
    // Initialised already: the set-up calls fail.
    try {
        exact.Initialise(nullptr);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "FSOUND_SetOutput failed");
    }
    EXPECT_EQ(services.Calls().back(),
              "MessageBox\tInitialization\tCannot call this command after FSOUND_Init.  Call "
              "FSOUND_Close first\tOk");
    FSOUND_Close();
    sound::ResetSharedEngine();
}

}  // namespace
}  // namespace tarvel::audio

#include "platform/fmod/fmod.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sound_support/shared_manual.h"
#include "support/temp_dir.h"

namespace tarvel::fmod {
namespace {

class FmodApi : public ::testing::Test {
  protected:
    void SetUp() override {
        out_ = &testing::UseManualSharedEngine();
        ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_WINMM));
        ASSERT_TRUE(FSOUND_Init(44100, 128, 0));
        wav_ = dir_ / "tone.wav";
        testing::WriteWav(wav_, 44100, 2, 16, testing::Sine(1000, 1.0, 44100, 2, 44100));
    }
    void TearDown() override {
        FSOUND_Close();
        sound::ResetSharedEngine();
        unsetenv("TARVEL_CD");
    }

    testing::TempDir dir_;
    std::string wav_;
    sound::ManualOutput* out_ = nullptr;
};

TEST_F(FmodApi, VersionAndSetUpOrder) {
    EXPECT_GE(FSOUND_GetVersion(), 3.71f);
    EXPECT_FALSE(FSOUND_SetOutput(FSOUND_OUTPUT_WINMM));
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_BUSY);
    EXPECT_FALSE(FSOUND_Init(44100, 128, 0));
    FSOUND_Close();
    EXPECT_EQ(FSOUND_Stream_Open(wav_.c_str(), FSOUND_NORMAL, 0, 0), nullptr);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_UNINITIALIZED);
    EXPECT_FALSE(FSOUND_SetDriver(1));
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INVALID_PARAM);
    // No-sound output: streams still open and play.
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND));
    ASSERT_TRUE(FSOUND_Init(44100, 128, 0));
    EXPECT_EQ(
        FSOUND_Stream_Play(FSOUND_FREE, FSOUND_Stream_Open(wav_.c_str(), FSOUND_NORMAL, 0, 0)), 0);
}

TEST_F(FmodApi, StreamOnAChannelPlaysSeeksPausesAndEnds) {
    FSOUND_STREAM* stream = FSOUND_Stream_Open(wav_.c_str(), FSOUND_NORMAL, 0, 0);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(FSOUND_Stream_GetLengthMs(stream), 1000);
    const int channel = FSOUND_Stream_Play(FSOUND_FREE, stream);
    EXPECT_EQ(channel, 0);
    EXPECT_TRUE(FSOUND_IsPlaying(channel));
    out_->Advance(300);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 300);
    EXPECT_TRUE(FSOUND_Stream_SetTime(stream, 700));
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 700);
    EXPECT_TRUE(FSOUND_SetPaused(FSOUND_ALL, -1));
    EXPECT_TRUE(FSOUND_GetPaused(channel));
    out_->Advance(500);
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 700);
    FSOUND_SetPaused(FSOUND_ALL, 0);
    out_->Advance(400);
    EXPECT_FALSE(FSOUND_IsPlaying(channel));
    EXPECT_FALSE(FSOUND_IsPlaying(99));
    EXPECT_TRUE(FSOUND_Stream_Stop(stream));
    EXPECT_EQ(FSOUND_Stream_GetTime(stream), 0);
    EXPECT_TRUE(FSOUND_Stream_Close(stream));
    EXPECT_FALSE(FSOUND_Stream_Close(stream));
}

TEST_F(FmodApi, VolumeIsLinear) {
    const int channel =
        FSOUND_Stream_Play(FSOUND_FREE, FSOUND_Stream_Open(wav_.c_str(), FSOUND_NORMAL, 0, 0));
    const double full = testing::NextLevel(*out_, 100);
    EXPECT_TRUE(FSOUND_SetVolume(FSOUND_ALL, 128));
    EXPECT_NEAR(testing::NextLevel(*out_, 100) / full, 128.0 / 255, 0.001);
    FSOUND_SetVolume(channel, 0);
    EXPECT_EQ(testing::NextLevel(*out_, 100), 0.0);
}

TEST_F(FmodApi, LoadErrors) {
    testing::WriteBytes(dir_ / "words.mp3", "words, no sound\n");
    EXPECT_EQ(FSOUND_Stream_Open((dir_ / "none.mp3").c_str(), FSOUND_NORMAL, 0, 0), nullptr);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_FILE_NOTFOUND);
    EXPECT_EQ(FMUSIC_LoadSong((dir_ / "words.mp3").c_str()), nullptr);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_FILE_FORMAT);
    EXPECT_EQ(FMUSIC_LoadSong(wav_.c_str()), nullptr);
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_FILE_FORMAT);
    EXPECT_EQ(FSOUND_Stream_Play(FSOUND_FREE, nullptr), -1);
}

TEST_F(FmodApi, ModuleSong) {
    testing::WriteTinyMod(dir_ / "tiny.mod");
    FMUSIC_MODULE* module = FMUSIC_LoadSong((dir_ / "tiny.mod").c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FMUSIC_GetType(module), FMUSIC_TYPE_MOD);
    EXPECT_FALSE(FMUSIC_IsPlaying(module));
    EXPECT_TRUE(FMUSIC_PlaySong(module));
    out_->Advance(400);
    EXPECT_TRUE(FMUSIC_IsPlaying(module));
    EXPECT_EQ(FMUSIC_GetTime(module), 400);
    for (int i = 0; i < 20; ++i) {
        out_->Advance(100);
    }
    EXPECT_FALSE(FMUSIC_IsPlaying(module));
    EXPECT_TRUE(FMUSIC_IsFinished(module));
    EXPECT_TRUE(FMUSIC_FreeSong(module));
}

TEST_F(FmodApi, TheSharedEnginesEndEndsTheInitialisationOnIt) {
    FSOUND_STREAM* stream = FSOUND_Stream_Open(wav_.c_str(), FSOUND_NORMAL, 0, 0);
    const int channel = FSOUND_Stream_Play(FSOUND_FREE, stream);
    ASSERT_GE(channel, 0);
    { sound::SharedEngineOwner owner; }
    EXPECT_FALSE(FSOUND_IsPlaying(channel));
    EXPECT_FALSE(FSOUND_SetVolume(FSOUND_ALL, 100));
    EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_UNINITIALIZED);
    // Set up again, it plays on the next shared engine.
    out_ = &testing::UseManualSharedEngine();
    ASSERT_TRUE(FSOUND_Init(44100, 128, 0));
    stream = FSOUND_Stream_Open(wav_.c_str(), FSOUND_NORMAL, 0, 0);
    EXPECT_GE(FSOUND_Stream_Play(FSOUND_FREE, stream), 0);
    EXPECT_GT(testing::NextLevel(*out_, 100), 0.5);
}

TEST_F(FmodApi, CdDriveZeroIsTheImage) {
    const std::string cue = testing::WriteCueBin(dir_.path());
    setenv("TARVEL_CD", cue.c_str(), 1);
    EXPECT_EQ(FSOUND_CD_GetNumTracks(0), 2);
    EXPECT_EQ(FSOUND_CD_GetTrackLength(0, 1), 2000);
    EXPECT_EQ(FSOUND_CD_GetTrackLength(0, 2), 1000);
    EXPECT_EQ(FSOUND_CD_GetTrack(0), 0);
    EXPECT_TRUE(FSOUND_CD_Play(0, 1));
    EXPECT_EQ(FSOUND_CD_GetTrack(0), 1);
    EXPECT_TRUE(FSOUND_CD_SetTrackTime(0, 1500));
    EXPECT_EQ(FSOUND_CD_GetTrackTime(0), 1500);
    FSOUND_CD_SetPaused(0, -1);
    EXPECT_TRUE(FSOUND_CD_GetPaused(0));
    FSOUND_CD_SetPaused(0, 0);
    out_->Advance(600);
    EXPECT_EQ(FSOUND_CD_GetTrack(0), 0);
    EXPECT_FALSE(FSOUND_CD_Play(0, 3));
    unsetenv("TARVEL_CD");
    setenv("TARVEL_CD", (dir_ / "none.cue").c_str(), 1);
    EXPECT_EQ(FSOUND_CD_GetNumTracks(0), 0);
}

TEST_F(FmodApi, SpectrumOfTheMix) {
    float* bins = FSOUND_DSP_GetSpectrum();
    EXPECT_EQ(*std::max_element(bins, bins + 512), 0.0f);
    FSOUND_Stream_Play(FSOUND_FREE, FSOUND_Stream_Open(wav_.c_str(), FSOUND_NORMAL, 0, 0));
    out_->Advance(100);
    bins = FSOUND_DSP_GetSpectrum();
    EXPECT_NEAR(std::max_element(bins, bins + 512) - bins, 23, 1);
}

}  // namespace
}  // namespace tarvel::fmod

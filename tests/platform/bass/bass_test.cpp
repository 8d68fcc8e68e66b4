#include "platform/bass/bass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>

#include "sound_support/shared_manual.h"
#include "support/temp_dir.h"

namespace tarvel::bass {
namespace {

std::atomic<int> end_calls{0};
std::atomic<DWORD> end_channel{0};
void CountEnd(HSYNC, DWORD channel, DWORD, DWORD user) {
    end_calls += static_cast<int>(user);
    end_channel = channel;
}

class BassApi : public ::testing::Test {
  protected:
    void SetUp() override {
        out_ = &testing::UseManualSharedEngine();
        ASSERT_EQ(BASS_Init(1, 44100, 0, nullptr, nullptr), kTrue);
        wav_ = dir_ / "tone.wav";
        testing::WriteWav(wav_, 44100, 2, 16, testing::Sine(1000, 1.0, 44100, 2, 44100));
        end_calls = 0;
    }
    void TearDown() override {
        BASS_Free();
        sound::ResetSharedEngine();
    }
    HSTREAM Stream(DWORD flags = BASS_SAMPLE_FX) {
        return BASS_StreamCreateFile(kFalse, wav_.c_str(), 0, 0, flags);
    }

    testing::TempDir dir_;
    std::string wav_;
    sound::ManualOutput* out_ = nullptr;
};

TEST_F(BassApi, VersionAndInitialisation) {
    EXPECT_EQ(BASS_GetVersion(), 2u);
    EXPECT_EQ(BASS_Init(1, 44100, 0, nullptr, nullptr), kFalse);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    EXPECT_EQ(BASS_SetConfig(BASS_CONFIG_BUFFER, 10000), 10000u);
    BASS_Free();
    EXPECT_EQ(BASS_Init(7, 44100, 0, nullptr, nullptr), kFalse);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_EQ(Stream(), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    // Device 0 plays without sound.
    ASSERT_EQ(BASS_Init(0, 44100, 0, nullptr, nullptr), kTrue);
    const HSTREAM s = Stream();
    EXPECT_NE(s, 0u);
    EXPECT_EQ(BASS_StreamPlay(s, kFalse, 512), kTrue);
}

TEST_F(BassApi, TheSharedEnginesEndEndsTheInitialisationOnIt) {
    const HSTREAM s = Stream();
    ASSERT_EQ(BASS_StreamPlay(s, kFalse, 512), kTrue);
    { sound::SharedEngineOwner owner; }
    EXPECT_EQ(BASS_ChannelIsActive(s), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    EXPECT_EQ(BASS_Free(), kFalse) << "nothing is left to free";
    // The no-sound device has an engine of its own, which the shared one's end leaves alone.
    testing::UseManualSharedEngine();
    ASSERT_EQ(BASS_Init(0, 44100, 0, nullptr, nullptr), kTrue);
    const HSTREAM quiet = Stream();
    ASSERT_EQ(BASS_StreamPlay(quiet, kFalse, 512), kTrue);
    sound::ResetSharedEngine();
    EXPECT_EQ(BASS_ChannelIsActive(quiet), 1u);
}

TEST_F(BassApi, HandlesOfTheWrongKindFailHarmlessly) {
    const HSTREAM s = Stream();
    ASSERT_NE(s, 0u);
    EXPECT_EQ(BASS_MusicFree(s), kFalse);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(BASS_MusicPlay(s), kFalse);
    EXPECT_EQ(BASS_ChannelPause(0), kFalse);
    EXPECT_EQ(BASS_ChannelGetPosition(0), static_cast<QWORD>(-1));
    EXPECT_LT(BASS_ChannelBytes2Seconds(0, 0), 0.0f);
    EXPECT_EQ(BASS_FXSetParameters(0, nullptr), kFalse);
    EXPECT_EQ(BASS_ChannelSetFX(s, 3), 0u);  // only the parametric equalizer exists
    EXPECT_EQ(BASS_StreamFree(s), kTrue);
    EXPECT_EQ(BASS_StreamFree(s), kFalse);
}

TEST_F(BassApi, PositionsAreBytesOfTheMix) {
    const HSTREAM s = Stream();
    EXPECT_EQ(BASS_StreamPlay(s, kFalse, 512), kTrue);
    out_->Advance(250);
    EXPECT_EQ(BASS_ChannelGetPosition(s), 11025u * 4);
    EXPECT_FLOAT_EQ(BASS_ChannelBytes2Seconds(s, 11025 * 4), 0.25f);
    EXPECT_EQ(BASS_ChannelSeconds2Bytes(s, 0.5f), 22050u * 4);
    EXPECT_EQ(BASS_ChannelSetPosition(s, 30000 * 4), kTrue);
    EXPECT_EQ(BASS_ChannelGetPosition(s), 30000u * 4);
    EXPECT_EQ(BASS_ChannelSetPosition(s, static_cast<QWORD>(std::int64_t{-4})), kFalse);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);
    EXPECT_EQ(BASS_ChannelIsActive(s), 1u);
    EXPECT_EQ(BASS_ChannelPause(s), kTrue);
    EXPECT_EQ(BASS_ChannelIsActive(s), 3u);
    out_->Advance(100);
    EXPECT_EQ(BASS_ChannelGetPosition(s), 30000u * 4);
    EXPECT_EQ(BASS_ChannelResume(s), kTrue);
}

TEST_F(BassApi, EndSyncRunsOnceWithTheChannel) {
    const HSTREAM s = Stream();
    EXPECT_NE(BASS_ChannelSetSync(s, BASS_SYNC_END, 0, &CountEnd, 1), 0u);
    EXPECT_EQ(BASS_ChannelSetSync(s, 1, 0, &CountEnd, 1), 0u);
    BASS_StreamPlay(s, kFalse, 512);
    out_->Advance(900);
    EXPECT_EQ(end_calls, 0);
    out_->Advance(200);
    EXPECT_EQ(end_calls, 1);
    EXPECT_EQ(end_channel, s);
    EXPECT_EQ(BASS_ChannelIsActive(s), 0u);
}

TEST_F(BassApi, VolumeIsLinearAmplitude) {
    BASS_StreamPlay(Stream(), kFalse, 512);
    const double full = testing::NextLevel(*out_, 100);
    EXPECT_EQ(BASS_SetVolume(50), kTrue);
    EXPECT_NEAR(testing::NextLevel(*out_, 100) / full, 0.5, 0.001);
    EXPECT_EQ(BASS_GetVolume(), 50u);
    BASS_SetVolume(0);
    EXPECT_EQ(testing::NextLevel(*out_, 100), 0.0);
    EXPECT_EQ(BASS_SetVolume(101), kFalse);
}

TEST_F(BassApi, EffectsNeedTheFxFlag) {
    EXPECT_EQ(BASS_ChannelSetFX(Stream(0), BASS_FX_PARAMEQ), 0u);
    const HFX fx = BASS_ChannelSetFX(Stream(), BASS_FX_PARAMEQ);
    ASSERT_NE(fx, 0u);
    BASS_FXPARAMEQ p{1200.0f, 10.0f, 6.0f};
    EXPECT_EQ(BASS_FXSetParameters(fx, &p), kTrue);
    BASS_FXPARAMEQ back{};
    EXPECT_EQ(BASS_FXGetParameters(fx, &back), kTrue);
    EXPECT_EQ(back.fCenter, 1200.0f);
    EXPECT_EQ(back.fGain, 6.0f);
    p.fGain = 40.0f;
    EXPECT_EQ(BASS_FXSetParameters(fx, &p), kFalse);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ILLPARAM);
}

TEST_F(BassApi, FftDataOfTheChannel) {
    const HSTREAM s = Stream();
    float bins[513] = {};
    EXPECT_EQ(BASS_ChannelGetData(s, bins, BASS_DATA_FFT1024), 2048u);
    EXPECT_EQ(*std::max_element(bins, bins + 512), 0.0f);
    BASS_StreamPlay(s, kFalse, 512);
    out_->Advance(100);
    BASS_ChannelGetData(s, bins, BASS_DATA_FFT1024);
    const auto top = std::max_element(bins, bins + 512);
    EXPECT_NEAR(top - bins, 23, 1);
    EXPECT_GT(*top, 0.3f);
    EXPECT_LE(*top, 1.0f);
    EXPECT_EQ(bins[512], 0.0f);
    EXPECT_EQ(BASS_ChannelGetData(s, bins, 100), static_cast<DWORD>(-1));
}

TEST_F(BassApi, FileErrorsHaveCodes) {
    testing::WriteBytes(dir_ / "text.mp3", "just some words\n");
    EXPECT_EQ(BASS_StreamCreateFile(kFalse, (dir_ / "none.mp3").c_str(), 0, 0, 128), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    EXPECT_EQ(BASS_StreamCreateFile(kFalse, (dir_ / "text.mp3").c_str(), 0, 0, 128), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
    EXPECT_EQ(BASS_MusicLoad(kFalse, (dir_ / "text.mp3").c_str(), 0, 0, 640, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
    EXPECT_EQ(BASS_CD_StreamCreate(1, 0, 128), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
}

}  // namespace
}  // namespace tarvel::bass

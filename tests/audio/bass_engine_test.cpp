#include "audio/bass_engine.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "audio/analyser.h"
#include "platform/error/app_error.h"
#include "platform/sound/cd_disc.h"
#include "platform/system/fake_system_services.h"
#include "sound_support/shared_manual.h"
#include "support/temp_dir.h"

namespace tarvel::audio {
namespace {

using namespace tarvel::bass;

class BassEngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        out_ = &testing::UseManualSharedEngine();
        BassPlayState = 0;
        engine_ = std::make_unique<CBassEngine>();
        testing::WriteTinyMod(dir_ / "tiny.mod");
    }
    void TearDown() override {
        engine_.reset();
        BASS_Free();
        sound::ResetSharedEngine();
        unsetenv("TARVEL_CD");
    }
    std::string Tone(double hz, double amplitude = 0.25, int seconds = 2) {
        const std::string path = dir_ / ("tone" + std::to_string(static_cast<int>(hz)) + ".wav");
        testing::WriteWav(path, 44100, 2, 16,
                          testing::Sine(hz, amplitude, 44100, 2, 44100 * seconds));
        return path;
    }
    std::int64_t FramePosition() const {
        return static_cast<std::int64_t>(BASS_ChannelGetPosition(engine_->Channel) / 4);
    }
    // Plays until the state leaves 1; returns the milliseconds it took (in 100 ms steps).
    int PlayOut() {
        int ms = 0;
        while (engine_->GetState() == 1 && ms < 60000) {
            out_->Advance(100);
            ms += 100;
        }
        return ms;
    }
    // Level of a sine file through the engine, after the filters have settled.
    double Level(const std::string& path) {
        engine_->PlayFile(path);
        out_->Advance(300);
        return testing::NextLevel(*out_, 500);
    }

    testing::TempDir dir_;
    sound::ManualOutput* out_ = nullptr;
    std::unique_ptr<CBassEngine> engine_;
};

TEST_F(BassEngineTest, Mp3PlaysToItsEndAndTheCallbackClearsTheState) {
    EXPECT_EQ(engine_->GetState(), 0);
    engine_->PlayFile(testing::SoundData("tone_1k_2s.mp3"));
    EXPECT_EQ(engine_->GetState(), 1);
    out_->Advance(1500);
    EXPECT_EQ(FramePosition(), out_->RenderedFrames());
    EXPECT_EQ(engine_->GetPosition(), 1);
    const int ms = PlayOut();
    EXPECT_EQ(engine_->GetState(), 0);
    EXPECT_EQ(FramePosition(), 88200);
    EXPECT_EQ(ms, 500);  // the end is seen in the block that reaches it
}

TEST_F(BassEngineTest, OnlyTheEndOfTheSongStartedLastEndsIt) {
    engine_->PlayFile(Tone(440));
    const DWORD left = engine_->Channel;
    engine_->PlayFile(Tone(660));
    // The first channel's end comes in after the second song has started: it is not the end.
    CBassEngine::OnChannelEnd(0, left, 0, 0);
    EXPECT_EQ(engine_->GetState(), 1);
    EXPECT_GT(PlayOut(), 1500) << "the second song played on to its own end";
    EXPECT_EQ(engine_->GetState(), 0);
}

TEST_F(BassEngineTest, ModulePlaysToItsEnd) {
    engine_->PlayFile(dir_ / "tiny.mod");
    EXPECT_EQ(engine_->GetState(), 1);
    out_->Advance(500);
    EXPECT_EQ(FramePosition(), out_->RenderedFrames());
    EXPECT_GT(testing::Rms(out_->Captured(), 0, 0, 22050), 0.01);
    PlayOut();
    EXPECT_EQ(engine_->GetState(), 0);
}

TEST_F(BassEngineTest, SeekPauseStopAndVolume) {
    engine_->PlayFile(Tone(1000, 0.5, 3));
    engine_->SetPosition(2);
    EXPECT_EQ(FramePosition(), 88200);
    EXPECT_EQ(engine_->GetPosition(), 2);
    engine_->Pause(true);
    EXPECT_EQ(engine_->GetState(), 2);
    out_->Advance(700);
    EXPECT_EQ(FramePosition(), 88200);
    engine_->Pause(false);
    EXPECT_EQ(engine_->GetState(), 1);
    const double full = testing::NextLevel(*out_, 100);
    engine_->SetVolume(50);
    EXPECT_NEAR(testing::NextLevel(*out_, 100) / full, 0.5, 0.001);
    engine_->Stop();
    EXPECT_EQ(engine_->GetState(), 1);  // Stop leaves the state to the caller
    EXPECT_EQ(testing::NextLevel(*out_, 100), 0.0);
}

TEST_F(BassEngineTest, EqualizerBandEightBoostsAndCutsTwelveDecibels) {
    const std::string at_band = Tone(1200);
    const std::string low = Tone(100);
    const double flat_band = Level(at_band);
    const double flat_low = Level(low);
    for (int gain : {12, -12}) {
        engine_->SetEQBand(8, gain);
        EXPECT_NEAR(20 * std::log10(Level(at_band) / flat_band), gain, 1.0) << gain;
        EXPECT_NEAR(20 * std::log10(Level(low) / flat_low), 0.0, 1.0) << gain;
    }
    // Switched off: flat, also across slider moves and a new song; on again: the stored gain.
    engine_->SetEQEnabled(false);
    EXPECT_NEAR(20 * std::log10(testing::NextLevel(*out_, 500) / flat_low), 0.0, 0.1);
    engine_->SetEQBand(8, 12);
    EXPECT_EQ(engine_->EqGain[8], 12);
    EXPECT_NEAR(20 * std::log10(Level(at_band) / flat_band), 0.0, 0.1);
    engine_->SetEQEnabled(true);
    out_->Advance(200);
    EXPECT_NEAR(20 * std::log10(testing::NextLevel(*out_, 500) / flat_band), 12.0, 1.0);
    EXPECT_TRUE(engine_->GetEQEnabled());
}

// Leveling scales the songs started after it is set, whatever the equalizer does after it; a
// gain of 1 leaves the sound exactly as it was.
TEST_F(BassEngineTest, LevelingScalesTheNextSongsAheadOfTheEqualizer) {
    const std::string tone = Tone(1200);
    const double plain = Level(tone);
    engine_->SetEQBand(8, 12);
    const double boosted = Level(tone);
    engine_->SetLeveling(0.5f);
    EXPECT_NEAR(20 * std::log10(testing::NextLevel(*out_, 200) / boosted), 0.0, 0.01);
    EXPECT_NEAR(20 * std::log10(Level(tone) / boosted), -6.02, 0.05);
    engine_->SetEQBand(8, 0);
    EXPECT_NEAR(20 * std::log10(Level(tone) / plain), -6.02, 0.05);
    engine_->SetLeveling(1.0f);
    EXPECT_DOUBLE_EQ(Level(tone), plain);
}

TEST_F(BassEngineTest, GainsStoredBeforeTheFirstSongTakeEffect) {
    engine_->SetEQBand(8, 12);
    engine_->SetEQBand(3, 6);
    EXPECT_EQ(engine_->EqFx[8], 0u);
    const std::string at_band = Tone(1200);
    const double boosted = Level(at_band);
    BASS_FXPARAMEQ p{};
    BASS_FXGetParameters(engine_->EqFx[3], &p);
    EXPECT_EQ(p.fGain, 6.0f);
    EXPECT_EQ(p.fCenter, 230.0f);
    EXPECT_EQ(p.fBandwidth, 10.0f);
    engine_->SetEQBand(8, 0);
    EXPECT_NEAR(20 * std::log10(boosted / testing::NextLevel(*out_, 500)), 12.0, 1.0);
}

TEST_F(BassEngineTest, CdTrackNamesPlayFromTheImage) {
    const std::string cue = testing::WriteCueBin(dir_.path());
    setenv("TARVEL_CD", cue.c_str(), 1);
    engine_->PlayFile(sound::CdDrive() + "Track02.cda");
    EXPECT_EQ(engine_->GetState(), 1);
    out_->Advance(500);
    EXPECT_NEAR(testing::PeakAbs(out_->Captured(), 0, 22050), 0.5, 0.001);
    PlayOut();
    EXPECT_EQ(FramePosition(), 75 * 588);
    EXPECT_EQ(engine_->GetState(), 0);

    // The extension is compared case included: not a CD track, and no stream or module either.
    engine_->PlayFile(sound::CdDrive() + "TRACK01.CDA");
    EXPECT_EQ(engine_->GetState(), 0);
    EXPECT_EQ(engine_->Channel, 0u);
}

TEST_F(BassEngineTest, BadInputLeavesThePreviousState) {
    testing::WriteBytes(dir_ / "text.mp3", "this is text, not sound\r\n");
    testing::WriteWav(dir_ / "u8.wav", 22050, 1, 8, testing::Sine(440, 0.5, 22050, 1, 22050));
    engine_->PlayFile(Tone(440));
    ASSERT_EQ(engine_->GetState(), 1);
    for (const std::string name : {"missing.mp3", "text.mp3", "u8.wav"}) {
        engine_->PlayFile(dir_ / name);
        EXPECT_EQ(engine_->GetState(), 1) << name;
        EXPECT_EQ(engine_->GetPosition(), 0) << name;
        EXPECT_EQ(testing::NextLevel(*out_, 100), 0.0) << name;  // nothing plays
    }
    try {
        engine_->PlayFile(dir_ / "Trackab.cda");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "'ab' is not a valid integer value");
    }
    // At an event handler's boundary the error becomes the general error report.
    system::FakeSystemServices services;
    system::RunReported(services, [&] { engine_->PlayFile(dir_ / "x.cda"); });
    ASSERT_EQ(services.Calls().size(), 1u);
    EXPECT_NE(services.Calls()[0].find("'' is not a valid integer value"), std::string::npos);
    EXPECT_EQ(engine_->GetState(), 1);

    // A truncated MP3 plays what it has and ends.
    const std::string whole = testing::ReadBytes(testing::SoundData("tone_1k_2s.mp3"));
    testing::WriteBytes(dir_ / "cut.mp3", whole.substr(0, whole.size() / 3));
    engine_->PlayFile(dir_ / "cut.mp3");
    EXPECT_LT(PlayOut(), 1000);
    EXPECT_EQ(engine_->GetState(), 0);
}

TEST_F(BassEngineTest, SpectrumOfTheChannel) {
    QImage target(288, 17, QImage::Format_RGB32);
    QPainter painter(&target);
    engine_->DrawSpectrum(painter);  // no analyser: nothing to draw, nothing breaks
    engine_->CreateSpectrum(288, 17);
    ASSERT_NE(engine_->Spectrum(), nullptr);
    EXPECT_EQ(engine_->Spectrum()->MaxHeight, 15);
    EXPECT_EQ(engine_->Spectrum()->BarWidth, 3);
    engine_->DrawSpectrum(painter);  // no channel: flat
    EXPECT_EQ(
        *std::max_element(engine_->Spectrum()->Levels.begin(), engine_->Spectrum()->Levels.end()),
        0);
    engine_->PlayFile(Tone(1000, 1.0));
    out_->Advance(100);
    engine_->DrawSpectrum(painter);
    const auto& levels = engine_->Spectrum()->Levels;
    // 1000 Hz is bin 23, shown by bar 18.
    EXPECT_NEAR(std::max_element(levels.begin(), levels.end()) - levels.begin(), 18, 1);
    EXPECT_EQ(levels[18], 15);
    engine_->FreeSpectrum();
    EXPECT_EQ(engine_->Spectrum(), nullptr);
}

TEST_F(BassEngineTest, NoSecondInitialisation) {
    EXPECT_EXIT(CBassEngine(), ::testing::ExitedWithCode(EXIT_FAILURE), "");
}

}  // namespace
}  // namespace tarvel::audio

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/sound/decoders.h"
#include "platform/sound/peaking_eq.h"
#include "platform/sound/spectrum_fft.h"
#include "sound_support/manual_engine.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"

namespace tarvel::sound {
namespace {

// Level change in dB of a sine through one band of gain dB at centre Hz (10 semitones wide).
double BandEffectDb(double sine_hz, float centre, float gain) {
    std::vector<float> stereo = testing::Sine(sine_hz, 0.25, 44100, 2, 44100);
    const double before = testing::Rms(stereo, 0, 22050, 44100);
    EqChain chain;
    for (int i = 0; i < 16; ++i) {
        chain.AddBand();
    }
    chain.SetBand(7, EqBandParams{centre, 10.0f, gain});
    chain.Process(stereo.data(), 44100);
    return 20 * std::log10(testing::Rms(stereo, 0, 22050, 44100) / before);
}

TEST(PeakingEq, BoostsAndCutsAtTheCentreOnly) {
    struct Case {
        double hz;
        float gain;
        double expected_db;
    };
    for (const Case& c : {Case{1200, 12, 12}, Case{100, 12, 0}, Case{1200, -12, -12},
                          Case{100, -12, 0}, Case{1200, 0, 0}, Case{5000, 6, 0}}) {
        EXPECT_NEAR(BandEffectDb(c.hz, 1200, c.gain), c.expected_db, c.expected_db == 0 ? 0.5 : 0.3)
            << c.hz << " Hz at " << c.gain << " dB";
    }
}

TEST(PeakingEq, FlatBandsLeaveSamplesUntouched) {
    std::vector<float> stereo = testing::Sine(700, 0.9, 44100, 2, 4096);
    const auto original = stereo;
    EqChain chain;
    chain.SetBand(chain.AddBand(), EqBandParams{700, 10, 0});
    chain.Process(stereo.data(), 4096);
    EXPECT_EQ(stereo, original);
    EXPECT_EQ(chain.Band(0).centre, 700.0f);
}

TEST(SpectrumFft, FullScaleSineAndSilence) {
    SpectrumFft fft;
    const auto sine = testing::Sine(1000, 1.0, 44100, 1, kFftSize);
    float bins[kFftBins];
    fft.Magnitudes(sine.data(), bins);
    const auto top = std::max_element(bins, bins + kFftBins);
    EXPECT_NEAR(top - bins, 23, 1);
    EXPECT_GT(*top, 0.3f);
    EXPECT_LE(*top, 1.0f);
    const std::vector<float> silence(kFftSize, 0.0f);
    fft.Magnitudes(silence.data(), bins);
    EXPECT_TRUE(std::all_of(bins, bins + kFftBins, [](float v) { return v == 0.0f; }));
}

TEST(SpectrumFft, ChannelSpectrumFollowsWhatItPlayed) {
    testing::TempDir dir;
    testing::WriteWav(dir / "k.wav", 44100, 2, 16, testing::Sine(1000, 1.0, 44100, 2, 44100));
    auto engine = testing::ManualEngine();
    const ChannelId id = engine->Open(OpenStreamDecoder(dir / "k.wav"));
    float bins[kFftBins];
    ASSERT_TRUE(engine->Spectrum(id, bins));
    EXPECT_EQ(*std::max_element(bins, bins + kFftBins), 0.0f);
    engine->Play(id);
    engine->Manual()->Advance(100);
    engine->Spectrum(id, bins);
    EXPECT_NEAR(std::max_element(bins, bins + kFftBins) - bins, 23, 1);
    engine->MixSpectrum(bins);
    EXPECT_NEAR(std::max_element(bins, bins + kFftBins) - bins, 23, 1);
}

}  // namespace
}  // namespace tarvel::sound

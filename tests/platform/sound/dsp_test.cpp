#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/sound/decoders.h"
#include "platform/sound/fft_bins.h"
#include "platform/sound/peaking_eq.h"
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

// The chain runs its bands in a skewed pipeline; whatever the block sizes, the result is the
// plain cascade of biquads, sample for sample.
TEST(PeakingEq, PipelineEqualsThePlainCascade) {
    const std::vector<EqBandParams> params = {{80, 10, 6},    {230, 10, -4},  {880, 10, 9},
                                              {1200, 10, 12}, {4000, 10, -8}, {10000, 10, 5},
                                              {16000, 10, -3}};
    std::vector<float> input;
    unsigned seed = 12345;
    for (int i = 0; i < 2 * 3000; ++i) {
        seed = seed * 1103515245 + 12345;
        input.push_back(static_cast<float>((seed >> 16) % 2001) / 1000.0f - 1.0f);
    }
    // Reference: each band's biquad in double precision, one band after another.
    std::vector<double> expected(input.begin(), input.end());
    for (const EqBandParams& p : params) {
        const double a = std::pow(10.0, p.gain / 40.0);
        const double w0 = 2 * M_PI * p.centre / 44100.0;
        const double alpha =
            std::sin(w0) * std::sinh(std::log(2.0) / 2 * p.bandwidth / 12 * w0 / std::sin(w0));
        const double a0 = 1 + alpha / a;
        const double b0 = (1 + alpha * a) / a0, b1 = -2 * std::cos(w0) / a0,
                     b2 = (1 - alpha * a) / a0;
        const double a1 = b1, a2 = (1 - alpha / a) / a0;
        for (int c = 0; c < 2; ++c) {
            double z1 = 0, z2 = 0;
            for (std::size_t n = 0; n < 3000; ++n) {
                const double x = expected[2 * n + c];
                const double y = b0 * x + z1;
                z1 = b1 * x - a1 * y + z2;
                z2 = b2 * x - a2 * y;
                expected[2 * n + c] = y;
            }
        }
    }
    EqChain chain;
    for (const EqBandParams& p : params) {
        chain.SetBand(chain.AddBand(), p);
    }
    chain.AddBand();  // a flat band is skipped
    std::vector<float> output = input;
    std::size_t at = 0;
    for (std::size_t block : {1, 2, 3, 4, 5, 7, 1024, 1954}) {
        chain.Process(output.data() + 2 * at, block);
        at += block;
    }
    ASSERT_EQ(at, 3000u);
    double worst = 0;
    for (std::size_t i = 0; i < output.size(); ++i) {
        worst = std::max(worst, std::fabs(output[i] - expected[i]));
    }
    EXPECT_LT(worst, 1e-3);  // single precision against double; a misplaced sample is off by ~1
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

// Compressed formats through libavformat/libavcodec: sample-exact lengths and exact seeks.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/sound/decoders.h"
#include "sound_support/manual_engine.h"
#include "sound_support/sound_fixtures.h"

namespace tarvel::sound {
namespace {

// The 3.000 s fixtures of a 1000 Hz sine at amplitude 0.5 (tests/data/sound/make_fixtures.sh).
struct Fixture {
    const char* name;
    int rate;             // the decoder's own rate
    std::int64_t frames;  // its exact length at that rate
    // Largest sample difference after a seek: none for lossless codecs; lossy ones restart their
    // state, but a frame off would differ by about 0.07 (a 1000 Hz sine of amplitude 0.5).
    double seek_tolerance;
};
const Fixture kFixtures[] = {
    {"tone_1k_3s.flac", 44100, 132300, 0.0},  {"tone_1k_3s_alac.m4a", 44100, 132300, 0.0},
    {"tone_1k_3s.ogg", 44100, 132300, 5e-3},  {"tone_1k_3s.m4a", 44100, 132300, 5e-3},
    {"tone_1k_3s.opus", 48000, 144000, 1e-2},
};

// Every frame a decoder gives, interleaved.
std::vector<float> ReadAll(Decoder& decoder) {
    const auto channels = static_cast<std::size_t>(decoder.Format().channels);
    std::vector<float> all;
    std::vector<float> block(4096 * channels);
    while (const std::size_t got = decoder.Read(block.data(), 4096)) {
        all.insert(all.end(), block.begin(),
                   block.begin() + static_cast<std::ptrdiff_t>(got * channels));
    }
    return all;
}

TEST(AvDecoder, EachFormatRendersExactlyItsEncodedFrames) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(f.name);
        auto decoder = OpenStreamDecoder(testing::SoundData(f.name));
        EXPECT_EQ(decoder->Format().rate, f.rate);
        EXPECT_EQ(decoder->Format().channels, 2);
        EXPECT_EQ(decoder->Length(), f.frames);
        EXPECT_TRUE(decoder->LengthIsExact());

        auto engine = testing::ManualEngine();
        const ChannelId id = engine->Open(std::move(decoder));
        engine->Play(id);
        while (engine->State(id) == PlayState::Playing) {
            engine->Manual()->Advance(100);
        }
        const auto heard = engine->Manual()->Captured();
        // 48 kHz resampled to the mix: within one frame of 3.000 s.
        EXPECT_NEAR(static_cast<double>(engine->Position(id)), 132300, f.rate == 44100 ? 0 : 1);
        EXPECT_NEAR(testing::ZeroCrossingHz(heard, 4410, 127890, 44100), 1000, 1);
        EXPECT_NEAR(testing::Rms(heard, 1, 4410, 127890), 0.5 / std::sqrt(2), 0.02);
        // Sound up to the last frame, silence after it.
        EXPECT_GT(testing::PeakAbs(heard, 131300, 132300), 0.3);
        EXPECT_EQ(testing::PeakAbs(heard, 132302, heard.size() / 2), 0.0);
    }
}

TEST(AvDecoder, SeekLandsOnTheFrameAsDecodedFromTheStart) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(f.name);
        auto whole = OpenStreamDecoder(testing::SoundData(f.name));
        const std::vector<float> all = ReadAll(*whole);
        ASSERT_EQ(static_cast<std::int64_t>(all.size() / 2), f.frames);
        auto decoder = OpenStreamDecoder(testing::SoundData(f.name));
        for (const std::int64_t to :
             {f.frames / 2 + 77, std::int64_t{1000}, std::int64_t{0}, f.frames - 300}) {
            SCOPED_TRACE(to);
            ASSERT_TRUE(decoder->Seek(to));
            std::vector<float> got(2 * 1000);
            const std::size_t n = decoder->Read(got.data(), 1000);
            ASSERT_EQ(n, static_cast<std::size_t>(std::min<std::int64_t>(1000, f.frames - to)));
            double worst = 0;
            for (std::size_t i = 0; i < 2 * n; ++i) {
                worst = std::max(
                    worst, std::abs(double{got[i]} - all[2 * static_cast<std::size_t>(to) + i]));
            }
            EXPECT_LE(worst, f.seek_tolerance);
        }
    }
}

}  // namespace
}  // namespace tarvel::sound

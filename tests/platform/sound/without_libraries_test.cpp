// The sound core where the libraries it opens on first use cannot be used: this program finds
// stand-ins under their sonames first (its run path), valid libraries with none of the
// functions. Each feature then fails the way a bad file or a missing device fails there, with
// the library named, and MP3s (whose libraries are linked) play on.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/sound/cd_disc.h"
#include "platform/sound/decoders.h"
#include "platform/sound/engine.h"
#include "platform/sound/output.h"
#include "platform/sound/paced_output.h"
#include "platform/sound/sound_error.h"
#include "sound_support/manual_engine.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"

namespace tarvel::sound {
namespace {

using testing::TempDir;

TEST(WithoutLibraries, FilesOfThoseFormatsCannotBePlayedAndSayWhy) {
    TempDir dir;
    testing::WriteWav(dir / "tone.wav", 44100, 2, 16, testing::Sine(440, 0.5, 44100, 2, 4410));
    testing::WriteTinyMod(dir / "tiny.mod");
    const std::string cue = testing::WriteCueBin(dir.path());
    struct Case {
        std::function<void()> open;
        SoundFault fault;
        std::string said;
    };
    const Case cases[] = {
        {[&] { OpenStreamDecoder(dir / "tone.wav"); }, SoundFault::UnknownFormat,
         "tone.wav: libsndfile.so.1 has no function sf_open"},
        {[&] { OpenModuleDecoder(dir / "tiny.mod"); }, SoundFault::UnknownFormat,
         "tiny.mod: libopenmpt.so.0 has no function"},
        {[&] { OpenStreamDecoder(testing::SoundData("tone_1k_3s.flac")); },
         SoundFault::UnknownFormat, "tone_1k_3s.flac: libavformat.so.59 has no function"},
        {[&] { CdDisc::Open(cue); }, SoundFault::NoDevice,
         "disc.cue: cannot open the CD: libcdio.so.19 has no function"},
        // A file that is not there is still said to be missing.
        {[&] { OpenModuleDecoder(dir / "missing.mod"); }, SoundFault::NotFound, "file not found"},
    };
    for (const Case& c : cases) {
        try {
            c.open();
            ADD_FAILURE() << "opened: " << c.said;
        } catch (const SoundError& e) {
            EXPECT_EQ(e.fault(), c.fault) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.said), std::string::npos) << e.what();
        }
    }
}

TEST(WithoutLibraries, Mp3PlaysWithASilentSpectrumAndOutputsFallBack) {
    auto engine = testing::ManualEngine();
    const ChannelId id = engine->Open(OpenStreamDecoder(testing::SoundData("tone_1k_2s.mp3")));
    engine->Play(id);
    engine->Manual()->Advance(500);
    const auto heard = engine->Manual()->Captured();
    EXPECT_NEAR(testing::ZeroCrossingHz(heard, 2000, 20000, 44100), 1000, 1);
    float bins[kFftBins];
    std::fill(std::begin(bins), std::end(bins), -1.0f);
    ::testing::internal::CaptureStderr();
    engine->MixSpectrum(bins);
    EXPECT_TRUE(engine->Spectrum(id, bins));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::all_of(std::begin(bins), std::end(bins), [](float b) { return b == 0.0f; }));
    EXPECT_NE(said.find("no spectrum: libfftw3f.so.3 has no function"), std::string::npos) << said;

    // The sound device output plays without sound; the WAV output discards the sound.
    TempDir dir;
    ::testing::internal::CaptureStderr();
    auto device = CreateOutput("default");
    auto wav = CreateOutput("wav:" + (dir / "out.wav"));
    const std::string outputs_said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(dynamic_cast<PacedOutput*>(device.get()), nullptr);
    EXPECT_NE(dynamic_cast<PacedOutput*>(wav.get()), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));
    EXPECT_NE(outputs_said.find("no sound device (libportaudio.so.2 has no function"),
              std::string::npos)
        << outputs_said;
    EXPECT_NE(outputs_said.find("cannot write sound to " + (dir / "out.wav") +
                                ": libsndfile.so.1 has no function"),
              std::string::npos)
        << outputs_said;
}

}  // namespace
}  // namespace tarvel::sound

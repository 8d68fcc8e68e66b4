#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "platform/sound/byte_source.h"
#include "platform/sound/cd_disc.h"
#include "platform/sound/decoders.h"
#include "platform/sound/mpeg_sniff.h"
#include "platform/sound/mpg123_decoder.h"
#include "platform/sound/openmpt_decoder.h"
#include "platform/sound/sound_error.h"
#include "sound_support/manual_engine.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"

namespace tarvel::sound {
namespace {

using testing::TempDir;

// Plays a decoder to its end on a manual engine; returns what was heard.
std::vector<float> PlayToEnd(std::unique_ptr<Decoder> decoder, std::int64_t& position) {
    auto engine = testing::ManualEngine();
    const ChannelId id = engine->Open(std::move(decoder));
    engine->Play(id);
    while (engine->State(id) == PlayState::Playing) {
        engine->Manual()->Advance(100);
    }
    position = engine->Position(id);
    return engine->Manual()->Captured();
}

SoundFault FaultOf(const std::function<void()>& open) {
    try {
        open();
    } catch (const SoundError& e) {
        return e.fault();
    }
    ADD_FAILURE() << "no SoundError";
    return SoundFault::BadArgument;
}

TEST(Decoders, Mp3IsGaplessToTheSample) {
    auto decoder = OpenStreamDecoder(testing::SoundData("tone_1k_2s.mp3"));
    EXPECT_EQ(decoder->Format().rate, 44100);
    EXPECT_EQ(decoder->Length(), 88200);
    std::int64_t end = 0;
    const auto heard = PlayToEnd(std::move(decoder), end);
    EXPECT_EQ(end, 88200);
    EXPECT_NEAR(testing::ZeroCrossingHz(heard, 2000, 86000, 44100), 1000, 1);
    EXPECT_NEAR(testing::Rms(heard, 0, 2000, 86000), 0.5 / std::sqrt(2), 0.03);
}

// Counts the bytes a decoder reads.
class CountingBytes final : public ByteSource {
  public:
    CountingBytes(std::unique_ptr<ByteSource> bytes, std::int64_t& count)
        : bytes_(std::move(bytes)), count_(count) {}
    std::int64_t Read(void* out, std::size_t bytes) override {
        const std::int64_t got = bytes_->Read(out, bytes);
        count_ += std::max<std::int64_t>(got, 0);
        return got;
    }
    std::int64_t Seek(std::int64_t offset, int whence) override {
        return bytes_->Seek(offset, whence);
    }

  private:
    std::unique_ptr<ByteSource> bytes_;
    std::int64_t& count_;
};

// A long MP3: the audio frames of the 2 s fixture over and over, without the info frame that
// tells an exact length. Returns how many frames of sound it holds.
std::int64_t WriteLongMp3(const std::string& path, int repeats) {
    const std::string one = testing::ReadBytes(testing::SoundData("tone_1k_2s.mp3"));
    const auto* bytes = reinterpret_cast<const unsigned char*>(one.data());
    std::size_t at = MpegFrameSize(bytes);  // the info frame goes
    std::string audio;
    std::int64_t frames = 0;
    while (at + 4 <= one.size()) {
        const std::size_t size = MpegFrameSize(bytes + at);
        if (size == 0 || at + size > one.size()) {
            break;
        }
        audio += one.substr(at, size);
        frames += 1152;
        at += size;
    }
    std::string all;
    for (int i = 0; i < repeats; ++i) {
        all += audio;
    }
    testing::WriteBytes(path, all);
    return frames * repeats;
}

TEST(Decoders, Mp3IsReadAsItPlaysNeverWhole) {
    TempDir dir;
    const std::string path = dir / "long.mp3";
    const std::int64_t frames = WriteLongMp3(path, 40);  // 80 s, 1.3 MB
    ASSERT_GT(testing::ReadBytes(path).size(), 1'000'000u);
    std::int64_t read = 0;
    auto decoder =
        OpenMpg123Decoder(std::make_unique<CountingBytes>(OpenFileBytes(path), read), path);
    // Without an info frame the length is estimated from the file's size, not counted.
    EXPECT_FALSE(decoder->LengthIsExact());
    EXPECT_NEAR(static_cast<double>(decoder->Length()), static_cast<double>(frames),
                frames / 100.0);
    std::vector<float> first(2 * 4096);
    EXPECT_EQ(decoder->Read(first.data(), 4096), 4096u);
    EXPECT_LT(read, 32 * 1024) << "the length and the first samples cost a few frames";
    // Played, it still ends where its sound ends, estimate or not.
    std::int64_t end = 0;
    PlayToEnd(std::move(decoder), end);
    EXPECT_EQ(4096 + end, frames);
}

TEST(Decoders, OtherRatesAreResampledToTheMix) {
    auto decoder = OpenStreamDecoder(testing::SoundData("tone_1k_2s_22k.mp3"));
    EXPECT_EQ(decoder->Format().rate, 22050);
    EXPECT_EQ(decoder->Format().channels, 1);
    std::int64_t end = 0;
    const auto heard = PlayToEnd(std::move(decoder), end);
    EXPECT_NEAR(static_cast<double>(end), 88200, 2);
    EXPECT_NEAR(testing::ZeroCrossingHz(heard, 2000, 86000, 44100), 1000, 1);
    EXPECT_NEAR(testing::Rms(heard, 1, 2000, 86000), testing::Rms(heard, 0, 2000, 86000), 1e-6);
}

TEST(Decoders, TinyModulePlaysOnceToItsEnd) {
    TempDir dir;
    testing::WriteTinyMod(dir / "tiny.mod");
    EXPECT_EQ(FaultOf([&] { OpenStreamDecoder(dir / "tiny.mod"); }), SoundFault::UnknownFormat);
    auto decoder = OpenModuleDecoder(dir / "tiny.mod");
    EXPECT_EQ(ModuleTypeOf(*decoder), "mod");
    EXPECT_NEAR(static_cast<double>(decoder->Length()), testing::kTinyModMs * 44.1, 441);
    std::int64_t end = 0;
    const auto heard = PlayToEnd(std::move(decoder), end);
    // The last row rings on briefly after the song's nominal duration.
    EXPECT_GE(static_cast<double>(end), testing::kTinyModMs * 44.1 - 441);
    EXPECT_LE(static_cast<double>(end), testing::kTinyModMs * 44.1 + 4410 + 441);
    EXPECT_GT(testing::Rms(heard, 0, 0, static_cast<std::size_t>(end)), 0.01);
}

TEST(Decoders, CueBinImageGivesTracks) {
    TempDir dir;
    const std::string cue = testing::WriteCueBin(dir.path());
    auto disc = CdDisc::Open(cue);
    ASSERT_EQ(disc->TrackCount(), 2);
    EXPECT_EQ(CdTrackLengthMs(*disc, 1), 2000);
    EXPECT_EQ(CdTrackLengthMs(*disc, 2), 1000);
    EXPECT_EQ(CdTrackLengthMs(*disc, 3), 0);

    setenv("TARVEL_CD", cue.c_str(), 1);
    EXPECT_EQ(CdDrive(), cue + "/");
    std::int64_t end = 0;
    const auto heard = PlayToEnd(OpenCdTrackDecoder(2), end);
    EXPECT_EQ(end, 75 * 588);
    EXPECT_NEAR(testing::PeakAbs(heard, 0, 75 * 588), 0.5, 0.001);
    EXPECT_EQ(FaultOf([] { OpenCdTrackDecoder(3); }), SoundFault::NoDevice);
    setenv("TARVEL_CD", (dir / "none.cue").c_str(), 1);
    EXPECT_EQ(FaultOf([] { OpenCdTrackDecoder(1); }), SoundFault::NoDevice);
    unsetenv("TARVEL_CD");
}

TEST(Decoders, BadInputGivesClearFaults) {
    TempDir dir;
    testing::WriteBytes(dir / "text.mp3", std::string(5000, 'x') + "\nnot music at all\n");
    EXPECT_EQ(FaultOf([&] { OpenStreamDecoder(dir / "missing.mp3"); }), SoundFault::NotFound);
    EXPECT_EQ(FaultOf([&] { OpenModuleDecoder(dir / "missing.mp3"); }), SoundFault::NotFound);
    EXPECT_EQ(FaultOf([&] { OpenStreamDecoder(dir / "text.mp3"); }), SoundFault::UnknownFormat);
    EXPECT_EQ(FaultOf([&] { OpenModuleDecoder(dir / "text.mp3"); }), SoundFault::UnknownFormat);
    EXPECT_EQ(FaultOf([&] { OpenModuleDecoder(testing::SoundData("tone_1k_2s.mp3")); }),
              SoundFault::UnknownFormat);
    // A tag that claims 256 MB in a tiny file; and an MP3 behind a tag.
    testing::WriteBytes(dir / "tag.mp3",
                        std::string("ID3\x03\x00\x00\x7F\x7F\x7F\x7F", 10) + "xyz");
    EXPECT_EQ(FaultOf([&] { OpenStreamDecoder(dir / "tag.mp3"); }), SoundFault::UnknownFormat);
    testing::WriteBytes(dir / "tagged.mp3",
                        std::string("ID3\x03\x00\x00\x00\x00\x40\x00", 10) +
                            std::string(8192, '\0') +
                            testing::ReadBytes(testing::SoundData("tone_1k_2s.mp3")));
    EXPECT_EQ(OpenStreamDecoder(dir / "tagged.mp3")->Length(), 88200);
}

// A song row may name anything: what is no regular file is no song, refused at once instead of
// waiting for a writer (a named pipe) or for the next kernel message (/proc/kmsg), or reading
// without end (/dev/zero).
TEST(Decoders, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe.mp3").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", (dir / "zero.mp3").c_str()), 0);
    for (const std::string& path : {dir / "pipe.mp3", dir / "zero.mp3", std::string("/proc/kmsg"),
                                    std::string("/proc/self/status")}) {
        EXPECT_EQ(FaultOf([&] { OpenStreamDecoder(path); }), SoundFault::NotFound) << path;
        EXPECT_EQ(FaultOf([&] { OpenModuleDecoder(path); }), SoundFault::NotFound) << path;
        EXPECT_EQ(FaultOf([&] { OpenMpg123Decoder(path); }), SoundFault::NotFound) << path;
    }
}

TEST(Decoders, TruncatedMp3PlaysWhatIsThere) {
    TempDir dir;
    const std::string whole = testing::ReadBytes(testing::SoundData("tone_1k_2s.mp3"));
    testing::WriteBytes(dir / "cut.mp3", whole.substr(0, whole.size() / 2 + 77));
    std::int64_t end = 0;
    PlayToEnd(OpenStreamDecoder(dir / "cut.mp3"), end);
    EXPECT_GT(end, 30000);
    EXPECT_LT(end, 60000);
}

TEST(Decoders, EightBitWavIsMarked) {
    TempDir dir;
    testing::WriteWav(dir / "u8.wav", 11025, 1, 8, testing::Sine(500, 0.5, 11025, 1, 1000));
    auto decoder = OpenStreamDecoder(dir / "u8.wav");
    EXPECT_EQ(decoder->Format().bits, 8);
    testing::WriteWav(dir / "s16.wav", 11025, 1, 16, testing::Sine(500, 0.5, 11025, 1, 1000));
    EXPECT_EQ(OpenStreamDecoder(dir / "s16.wav")->Format().bits, 16);
}

// A file is what its bytes hold: a wrong name neither stops a song nor makes a decoder of the
// named kind take something else.
TEST(AvDecoder, TheContentDecidesNotTheName) {
    TempDir dir;
    const std::string flac = testing::ReadBytes(testing::SoundData("tone_1k_3s.flac"));
    const std::string mp3 = testing::ReadBytes(testing::SoundData("tone_1k_2s.mp3"));
    testing::WriteBytes(dir / "flac.mp3", flac);
    testing::WriteBytes(dir / "mp3.flac", mp3);
    testing::WriteBytes(dir / "m4a.ogg", testing::ReadBytes(testing::SoundData("tone_1k_3s.m4a")));
    for (const auto& [name, frames] :
         {std::pair{"flac.mp3", 132300}, {"mp3.flac", 88200}, {"m4a.ogg", 132300}}) {
        EXPECT_TRUE(CanPlayFile(dir / name)) << name;
        EXPECT_EQ(OpenStreamDecoder(dir / name)->Length(), frames) << name;
    }

    // Claims it cannot keep: refused with the reason, never played as noise.
    struct Bad {
        const char* name;
        std::string bytes;
        SoundFault fault;
    };
    const Bad bad[] = {
        {"text.flac", std::string(3000, 'x'), SoundFault::UnknownFormat},
        // A FLAC's header over bytes that are no FLAC frames.
        {"cut.flac", flac.substr(0, 8192) + std::string(20000, '\x55'), SoundFault::ReadError},
        {"header-only.flac", flac.substr(0, 42), SoundFault::UnknownFormat},
        {"empty.opus", "", SoundFault::UnknownFormat},
        // Something libavformat knows that holds no sound: a picture.
        {"picture.m4a", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(2000, '\0'),
         SoundFault::UnknownFormat},
    };
    for (const Bad& b : bad) {
        testing::WriteBytes(dir / b.name, b.bytes);
        EXPECT_EQ(FaultOf([&] { OpenStreamDecoder(dir / b.name); }), b.fault) << b.name;
        EXPECT_FALSE(CanPlayFile(dir / b.name)) << b.name;
    }
}

TEST(MpegSniff, NeedsTwoFramesInARow) {
    const std::string mp3 = testing::ReadBytes(testing::SoundData("tone_1k_2s.mp3"));
    EXPECT_TRUE(LooksLikeMpegAudio(mp3));
    EXPECT_TRUE(
        LooksLikeMpegAudio(std::string("ID3\x03\x00\x00\x00\x00\x00\x05", 10) + "abcde" + mp3));
    const std::string lone_header("\xFF\xFB\x90\x00", 4);
    EXPECT_FALSE(LooksLikeMpegAudio(std::string(100, 'a') + lone_header + std::string(900, 'b')));
    EXPECT_FALSE(LooksLikeMpegAudio(""));
    EXPECT_FALSE(LooksLikeMpegAudio(std::string("ID3\x03\x00\x00\x7F\x7F\x7F\x7F", 10)));
    // 128 kbps, 44.1 kHz, layer 3, no padding: 417 bytes.
    EXPECT_EQ(MpegFrameSize(reinterpret_cast<const unsigned char*>("\xFF\xFB\x90\x00")), 417u);
}

}  // namespace
}  // namespace tarvel::sound

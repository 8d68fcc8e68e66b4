#include <gtest/gtest.h>

#include "library/mp3_bytes.h"
#include "library/mpeg_audio.h"

namespace tarvel::library {
namespace {

using namespace tarvel::testing;

constexpr FrameKind kCbr128{};  // MPEG 1 Layer III, 128 kbit/s, 44100 Hz, joint stereo: 417 bytes

struct Probe {
    bool result = false;
    TMPEGaudio reader;
};

Probe Read(const std::string& bytes) {
    Probe probe;
    MemorySource source(bytes);
    probe.result = probe.reader.Read(source);
    return probe;
}

// A first frame of the given kind and size with `text` written at `offset` inside it.
std::string FrameWith(const FrameKind& kind, size_t size, size_t offset, const std::string& text) {
    std::string frame = AudioFrame(kind, size);
    Put(frame, offset, text);
    return frame;
}

TEST(MpegAudio, ConstantBitRateDurationCountsTheBytesBetweenTheTags) {
    const std::string tag = Id3v2(3, Frame("TIT2", Latin1("x")), 4096 - 10 - 12);
    ASSERT_EQ(tag.size(), 4096u);
    const std::string bytes =
        tag + AudioFrames(kCbr128, 417, 300) + Id3v1("t", "a", "b", "2000", 1);
    const Probe p = Read(bytes);
    ASSERT_TRUE(p.result);
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.frame().position, 0u);
    EXPECT_EQ(p.reader.frame().size, 417);
    EXPECT_EQ(p.reader.BitRate(), 128);
    EXPECT_EQ(p.reader.SampleRate(), 44100);
    EXPECT_EQ(p.reader.ChannelMode(), "Joint Stereo");
    EXPECT_DOUBLE_EQ(p.reader.Duration(),
                     static_cast<double>(bytes.size() - 4096 - 128) / 128 / 1000 * 8);
}

TEST(MpegAudio, XingAndVbriHeadersGiveTheAverageRateAndTheFrameCountDuration) {
    // Xing at 36 (MPEG 1 stereo): frames at +8, bytes at +12.
    const std::string xing = FrameWith(
        kCbr128, 417, 36, "Xing" + BigEndian32(15) + BigEndian32(1000) + BigEndian32(300000));
    Probe p = Read(xing + AudioFrames(kCbr128, 417, 20));
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.vbr().id, "Xing");
    EXPECT_EQ(p.reader.BitRate(), 92);  // round(300 * 44100 / 144 / 1000) = round(91.875)
    EXPECT_DOUBLE_EQ(p.reader.Duration(), 144.0 * 1000 * 8 / 44100);

    // VBRI at 36 too: bytes at +10, frames at +14.
    std::string vbri_frame = AudioFrame(kCbr128, 417);
    Put(vbri_frame, 36, "VBRI");
    Put(vbri_frame, 46, BigEndian32(500000));
    Put(vbri_frame, 50, BigEndian32(2000));
    p = Read(vbri_frame + AudioFrames(kCbr128, 417, 20));
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.vbr().id, "VBRI");
    EXPECT_EQ(p.reader.BitRate(), 77);  // 250 * 44100 / 144 / 1000 = 76.56
    EXPECT_DOUBLE_EQ(p.reader.Duration(), 144.0 * 2000 * 8 / 44100);

    // A Xing header with 0 frames: the table rate and the constant-rate duration.
    const std::string empty =
        FrameWith(kCbr128, 417, 36, "Xing" + BigEndian32(15) + BigEndian32(0) + BigEndian32(9999));
    const std::string bytes = empty + AudioFrames(kCbr128, 417, 20);
    p = Read(bytes);
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_TRUE(p.reader.vbr().found);
    EXPECT_EQ(p.reader.BitRate(), 128);
    EXPECT_DOUBLE_EQ(p.reader.Duration(), static_cast<double>(bytes.size()) / 128 / 1000 * 8);
}

TEST(MpegAudio, LongVariableRateStreamsKeepTheirDuration) {
    // 144 * 8 * 2 000 000 does not fit 32 bits; the duration is still right.
    const std::string xing = FrameWith(
        kCbr128, 417, 36, "Xing" + BigEndian32(15) + BigEndian32(2000000) + BigEndian32(836000000));
    const Probe p = Read(xing + AudioFrames(kCbr128, 417, 20));
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.BitRate(), 128);
    EXPECT_NEAR(p.reader.Duration(), 144.0 * 2000000 * 8 / 44100, 1e-6);
}

TEST(MpegAudio, Mpeg2And25UseTheirTablesCoefficientAndOffsets) {
    // MPEG 2 Layer III 64 kbit/s 22050 Hz mono: 72 * 64000 / 22050 = 208 bytes, Xing at 13.
    FrameKind mpeg2{2, 3, 8, 0, false, 3};
    const std::string xing2 =
        FrameWith(mpeg2, 208, 13, "Xing" + BigEndian32(15) + BigEndian32(100) + BigEndian32(20800));
    Probe p = Read(xing2 + AudioFrames(mpeg2, 208, 10));
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.frame().size, 208);
    EXPECT_EQ(p.reader.SampleRate(), 22050);
    EXPECT_EQ(p.reader.ChannelMode(), "Mono");
    EXPECT_EQ(p.reader.BitRate(), 64);  // 208 * 22050 / 72 / 1000 = 63.7
    EXPECT_DOUBLE_EQ(p.reader.Duration(), 72.0 * 100 * 8 / 22050);

    // MPEG 2.5 Layer III 32 kbit/s 12000 Hz stereo with padding: 72 * 32000 / 12000 + 1 = 193.
    FrameKind mpeg25{25, 3, 4, 1, true, 0};
    const std::string bytes = AudioFrames(mpeg25, 193, 40);
    p = Read(bytes);
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.frame().size, 193);
    EXPECT_EQ(p.reader.SampleRate(), 12000);
    EXPECT_EQ(p.reader.BitRate(), 32);
    EXPECT_EQ(p.reader.ChannelMode(), "Stereo");
    EXPECT_DOUBLE_EQ(p.reader.Duration(), static_cast<double>(bytes.size()) / 32 / 1000 * 8);

    // Layer II of MPEG 1 uses its own rates: index 9 is 160 kbit/s; 144 * 160000 / 48000 = 480.
    FrameKind layer2{1, 2, 9, 1, false, 2};
    p = Read(AudioFrames(layer2, 480, 20));
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.BitRate(), 160);
    EXPECT_EQ(p.reader.ChannelMode(), "Dual Channel");
}

TEST(MpegAudio, AnUnconfirmedSyncIsSkipped) {
    // A header at 0 with nothing one frame later; the real stream starts at 100.
    std::string bytes =
        FrameHeader(kCbr128) + std::string(96, '\0') + AudioFrames(kCbr128, 417, 20);
    const Probe p = Read(bytes);
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.frame().position, 100u);
}

TEST(MpegAudio, FreeFormatShortAndMissingStreamsAreNotValid) {
    // Free format (bit-rate index 0) is never a header.
    FrameKind free_format = kCbr128;
    free_format.bit_rate_index = 0;
    Probe p = Read(AudioFrames(free_format, 417, 20));
    EXPECT_TRUE(p.result);
    EXPECT_FALSE(p.reader.Valid());
    EXPECT_EQ(p.reader.ChannelMode(), "Unknown");

    // Two frames last 0.05 s: found, but not valid.
    p = Read(AudioFrames(kCbr128, 417, 2));
    EXPECT_TRUE(p.reader.frame().found);
    EXPECT_FALSE(p.reader.Valid());

    // Too short for the version-1 read: false.
    p = Read(AudioFrames(kCbr128, 417, 1).substr(0, 100));
    EXPECT_FALSE(p.result);

    // No header in either window.
    p = Read(std::string(20000, '\xFF'));
    EXPECT_TRUE(p.result);
    EXPECT_FALSE(p.reader.frame().found);
}

TEST(MpegAudio, LooksInTheMiddleWhenTheStartHoldsNoFrame) {
    std::string bytes = std::string(10000, '\0') + AudioFrames(kCbr128, 417, 24);
    const Probe p = Read(bytes);
    ASSERT_TRUE(p.reader.Valid());
    // The middle is byte 10004, inside the first frame; the next frame is 413 bytes on, and
    // that offset in the window is the frame's position.
    EXPECT_EQ(p.reader.frame().position, 413u);
    EXPECT_EQ(p.reader.BitRate(), 128);

    // A stream starting past the first window and ending before the middle is not found.
    const Probe q =
        Read(std::string(3000, '\0') + AudioFrames(kCbr128, 417, 3) + std::string(8000, '\0'));
    EXPECT_FALSE(q.reader.frame().found);
}

TEST(MpegAudio, TheSearchBeginsAfterTheVersion2Tag) {
    const std::string tag = Id3v2(3, Frame("TIT2", Latin1("t")), 2000);
    const Probe p = Read(tag + std::string(50, '\0') + AudioFrames(kCbr128, 417, 20));
    ASSERT_TRUE(p.reader.Valid());
    EXPECT_EQ(p.reader.frame().position, 50u);
    EXPECT_EQ(p.reader.id3v2().tag_size, tag.size());
}

}  // namespace
}  // namespace tarvel::library

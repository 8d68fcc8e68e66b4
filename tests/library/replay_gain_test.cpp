#include "library/replay_gain.h"

#include <gtest/gtest.h>
#include <taglib/mp4file.h>

#include <cmath>

#include "support/temp_dir.h"

namespace tarvel::library {
namespace {

using tarvel::testing::ReadBytes;
using tarvel::testing::WriteBytes;

const std::string kFormatData = TARVEL_TEST_DATA_DIR "/formats";

struct Expected {
    const char* file;
    std::optional<double> track_gain, track_peak, album_gain, album_peak;
};

void ExpectValues(const ReplayGain& read, const Expected& e) {
    SCOPED_TRACE(e.file);
    EXPECT_EQ(read.track_gain, e.track_gain);
    EXPECT_EQ(read.track_peak, e.track_peak);
    EXPECT_EQ(read.album_gain, e.album_gain);
    EXPECT_EQ(read.album_peak, e.album_peak);
}

// Each format's own place for the values: ID3v2 user texts (a name in small letters too), Vorbis
// comments in FLAC and Ogg, APE items in WavPack; a file without them says nothing.
TEST(ReplayGainTags, EachFormatGivesItsValues) {
    const Expected cases[] = {
        {"replaygain.mp3", -4.0, 0.25, std::nullopt, std::nullopt},
        {"tagged.flac", -6.5, 0.9, 2.0, 0.95},
        {"tagged.ogg", -1.25, 0.5, std::nullopt, std::nullopt},
        {"tagged.wv", std::nullopt, std::nullopt, -3.0, 1.2},
        {"tagged.opus", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {"missing.flac", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Expected& e : cases) {
        ExpectValues(ReadReplayGain(kFormatData + "/" + e.file), e);
    }
}

// MP4 keeps them as freeform atoms, named in any letter case.
TEST(ReplayGainTags, Mp4FreeformAtomsGiveTheirValues) {
    tarvel::testing::TempDir dir;
    const std::string path = dir / "gain.m4a";
    WriteBytes(path, ReadBytes(kFormatData + "/tagged.m4a"));
    {
        TagLib::MP4::File file(path.c_str());
        ASSERT_TRUE(file.isValid());
        file.tag()->setItem("----:com.apple.iTunes:replaygain_track_gain",
                            TagLib::StringList("-7.10 dB"));
        file.tag()->setItem("----:com.apple.iTunes:REPLAYGAIN_ALBUM_PEAK",
                            TagLib::StringList("0.731"));
        ASSERT_TRUE(file.save());
    }
    ExpectValues(ReadReplayGain(path), {"gain.m4a", -7.1, std::nullopt, std::nullopt, 0.731});
}

TEST(ReplayGainTags, TheNumberIsReadFromTheStartOfTheText) {
    EXPECT_EQ(ParseReplayGainNumber("-6.50 dB"), -6.5);
    EXPECT_EQ(ParseReplayGainNumber(" +2 dB"), 2.0);
    EXPECT_EQ(ParseReplayGainNumber("0.988831"), 0.988831);
    EXPECT_EQ(ParseReplayGainNumber("dB"), std::nullopt);
    EXPECT_EQ(ParseReplayGainNumber(""), std::nullopt);
    EXPECT_EQ(ParseReplayGainNumber("nan"), std::nullopt);
}

// The factor: 1 when off or when nothing is known; the chosen mode's gain, the other's when it
// is missing; never so much that the matching peak would pass full scale.
TEST(ReplayGainTags, TheFactorFollowsTheModeAndKeepsThePeakBelowFullScale) {
    const ReplayGain both{-6.0, 0.5, 3.0, 0.9};
    const ReplayGain track_only{-6.0, 0.5, std::nullopt, std::nullopt};
    const ReplayGain loud_peak{6.0, 0.8, std::nullopt, std::nullopt};
    const ReplayGain no_peak{6.0, std::nullopt, std::nullopt, std::nullopt};
    struct Case {
        ReplayGain gain;
        Leveling mode;
        double factor;
    } cases[] = {
        {both, Leveling::Off, 1.0},
        {ReplayGain{}, Leveling::Track, 1.0},
        {both, Leveling::Track, std::pow(10.0, -6.0 / 20)},
        {both, Leveling::Album, 1.0 / 0.9},  // +3 dB would take 0.9 past full scale
        {track_only, Leveling::Album, std::pow(10.0, -6.0 / 20)},
        {loud_peak, Leveling::Track, 1.0 / 0.8},
        {no_peak, Leveling::Track, std::pow(10.0, 6.0 / 20)},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(LevelingFactor(c.gain, c.mode), c.factor, 1e-6)
            << static_cast<int>(c.mode) << " " << c.factor;
    }
}

}  // namespace
}  // namespace tarvel::library

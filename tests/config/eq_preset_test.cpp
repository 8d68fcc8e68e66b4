#include "config/eq_preset.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "config_fixture.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::config {
namespace {

using testing::EntryText;
using ::testing::HasSubstr;
using testing::ReadBytes;

const std::string kShippedPreset =
    std::string(TARVEL_TEST_DATA_DIR) + "/../../data/TvSysFile/UserEQ.teq";

// Records what a loaded preset shows on the sliders and sets on the engine's bands.
class RecordingEqualizer : public EqualizerTarget {
  public:
    void SetSliderPosition(int band, int position) override { sliders.push_back({band, position}); }
    void SetEQBand(int band, int gain) override { bands.push_back({band, gain}); }

    std::vector<std::pair<int, int>> sliders;
    std::vector<std::pair<int, int>> bands;
};

class EqPresetTest : public ConfigTest {
  protected:
    // Loads the preset file and returns the reports it made.
    std::vector<std::string> Load(const std::string& name) {
        std::vector<std::string> reports;
        equalizer = RecordingEqualizer{};
        LoadEQ(app.path(), name, gains, equalizer,
               [&](const std::string& text) { reports.push_back(text); });
        return reports;
    }

    // Every band's slider and engine gain follow gains[1..16].
    void ExpectShown() const {
        ASSERT_EQ(equalizer.sliders.size(), 16u);
        ASSERT_EQ(equalizer.bands.size(), 16u);
        for (int band = 1; band <= 16; ++band) {
            const auto i = static_cast<size_t>(band - 1);
            EXPECT_EQ(equalizer.sliders[i], std::make_pair(band, 15 - gains[band]));
            EXPECT_EQ(equalizer.bands[i], std::make_pair(band, gains[band]));
        }
    }

    RecordingEqualizer equalizer;
};

std::vector<std::string> PresetLines(std::vector<std::string> values) {
    values.insert(values.begin(), std::string(kEqHeader));
    return values;
}

TEST_F(EqPresetTest, SaveWritesTheHeaderAndEighteenGains) {
    EXPECT_EQ(kEqHeader.size(), 50u);
    SaveEQ(app.path(), "UserEQ.teq", gains);  // flat, as after a reset
    std::string flat = std::string(kEqHeader) + "\r\n";
    for (int i = 0; i < 18; ++i) {
        flat += "0\r\n";
    }
    EXPECT_EQ(ReadBytes(Sys("UserEQ.teq")), flat);

    for (int band = 1; band <= 16; ++band) {
        gains[band] = band - 9;
    }
    SaveEQ(app.path(), "Rock.teq", gains);
    EXPECT_EQ(ReadBytes(Sys("Rock.teq")),
              "Tarvel system File With EP Pef////\\\\\\\\\\ZZZZZZZZZZZ\r\n"
              "-8\r\n-7\r\n-6\r\n-5\r\n-4\r\n-3\r\n-2\r\n-1\r\n0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n"
              "6\r\n7\r\n0\r\n0\r\n");

    gains = EqGains{};
    EXPECT_TRUE(Load("Rock.teq").empty());
    for (int band = 1; band <= 16; ++band) {
        EXPECT_EQ(gains[band], band - 9);
    }
    ExpectShown();
}

TEST_F(EqPresetTest, SixteenValuesWithoutTheTrailingZerosLoadCompletely) {
    WriteSys("p.teq", PresetLines({"15", "-15", "0", "3", "3", "3", "3", "3", "3", "3", "3", "3",
                                   "3", "3", "3", "-3"}));
    EXPECT_TRUE(Load("p.teq").empty());
    EXPECT_EQ(gains[1], 15);
    EXPECT_EQ(gains[2], -15);
    EXPECT_EQ(gains[16], -3);
    ExpectShown();
    EXPECT_EQ(equalizer.sliders[0].second, 0);   // +15 dB at the top
    EXPECT_EQ(equalizer.sliders[1].second, 30);  // -15 dB at the bottom
}

TEST_F(EqPresetTest, AWrongHeaderGivesAFlatEqualizerWithoutAMessage) {
    for (int n = 1; n <= 20; ++n) {
        gains[n] = 4;
    }
    std::vector<std::string> lines = PresetLines(std::vector<std::string>(18, "5"));
    lines[0] += " ";
    WriteSys("p.teq", lines);
    EXPECT_TRUE(Load("p.teq").empty());
    EXPECT_EQ(gains, EqGains{});  // all twenty cleared
    ExpectShown();
}

TEST_F(EqPresetTest, UnreadablePresetsStartFlatAndAreReportedOnce) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;  // empty: no file at all
        const char* reported;
    };
    std::vector<std::string> bad_gain = PresetLines(std::vector<std::string>(18, "2"));
    bad_gain[5] = "2.5";
    const Case cases[] = {
        {"missing", {}, "No such file or directory. The equalizer"},
        {"bad gain", bad_gain, "line 6 is not a whole number: \"2.5\""},
        {"ends early", PresetLines({"1", "2", "3"}), "ends before line 5"},
        {"header only", PresetLines({}), "ends before line 2"},
    };
    for (const auto& c : cases) {
        fs::RemoveFile(Sys("p.teq"));
        if (!c.lines.empty()) {
            WriteSys("p.teq", c.lines);
        }
        for (int n = 1; n <= 16; ++n) {
            gains[n] = 7;
        }
        const auto reports = Load("p.teq");
        ASSERT_EQ(reports.size(), 1u) << c.what;
        EXPECT_THAT(reports[0], HasSubstr(c.reported)) << c.what;
        EXPECT_THAT(reports[0], HasSubstr("p.teq")) << c.what;
        EXPECT_THAT(reports[0], HasSubstr("The equalizer starts flat.")) << c.what;
        EXPECT_EQ(gains, EqGains{}) << c.what;
        ExpectShown();
    }
}

TEST_F(EqPresetTest, APresetThatCouldNotBeLoadedIsNotOverwrittenWithZerosAtExit) {
    std::vector<std::string> bad_gain = PresetLines(std::vector<std::string>(18, "2"));
    bad_gain[5] = "2.5";
    std::vector<std::string> foreign = PresetLines(std::vector<std::string>(18, "5"));
    foreign[0] = "My own settings";
    struct Case {
        const char* what;
        std::vector<std::string> lines;  // empty: no file, or what `make` puts there
        size_t reports;
        bool kept;  // else the exit save writes the flat preset
        std::function<void(const std::string& path)> make;
    };
    const Case cases[] = {
        {"bad gain", bad_gain, 1, true, nullptr},
        {"ends early", PresetLines({"1", "2", "3"}), 1, true, nullptr},
        {"foreign header", foreign, 0, true, nullptr},
        {"missing", {}, 1, false, nullptr},
        {"named pipe",
         {},
         1,
         true,
         [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"link to /dev/zero",
         {},
         1,
         true,
         [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : {"UserEQ.teq", "UserEQ.teq.unreadable"}) {
            fs::RemoveFile(Sys(name));
        }
        if (!c.lines.empty()) {
            WriteSys("UserEQ.teq", c.lines);
        }
        if (c.make) {
            c.make(Sys("UserEQ.teq"));
        }
        const std::string before = EntryText(Sys("UserEQ.teq"));
        const auto reports = Load("UserEQ.teq");
        ASSERT_EQ(reports.size(), c.reports);
        if (c.kept && c.reports == 1) {
            EXPECT_THAT(reports[0], HasSubstr("The file is kept as it is until the equalizer is "
                                              "changed."));
        }
        files.WriteConfig("conf.tcf");
        files.WriteConfig("conf.tcf");  // an Apollo menu save, then the exit save
        EXPECT_EQ(EntryText(Sys("UserEQ.teq")), c.kept ? before : ReadBytes(kShippedPreset));

        // Once the user sets a gain, the exit save writes the equalizer as it is, and the file
        // it could not load stays beside its name.
        gains[3] = -6;
        files.WriteConfig("conf.tcf");
        EXPECT_EQ(EntryText(Sys("UserEQ.teq.unreadable")), c.kept ? before : "<nothing>");
        gains = EqGains{};
        EXPECT_TRUE(Load("UserEQ.teq").empty());
        EXPECT_EQ(gains[3], -6);
    }
}

TEST_F(EqPresetTest, TheShippedPresetIsFlatAsSaveWritesIt) {
    SaveEQ(app.path(), "UserEQ.teq", gains);
    EXPECT_EQ(ReadBytes(Sys("UserEQ.teq")), ReadBytes(kShippedPreset));
    gains[1] = 9;
    WriteSys("Shipped.teq", fs::ReadLines(kShippedPreset));
    EXPECT_TRUE(Load("Shipped.teq").empty());
    EXPECT_EQ(gains, EqGains{});
}

TEST_F(EqPresetTest, GainsBeyondTheRangeAreHeldAtFifteenDecibels) {
    std::vector<std::string> lines = PresetLines(std::vector<std::string>(18, "0"));
    lines[1] = "99";
    lines[2] = "-2147483648";
    WriteSys("p.teq", lines);
    EXPECT_TRUE(Load("p.teq").empty());
    EXPECT_EQ(gains[1], 15);
    EXPECT_EQ(gains[2], -15);
    ExpectShown();
}

TEST_F(EqPresetTest, ThePresetStaysInTheSettingsFolder) {
    EXPECT_EQ(PresetPath(app.path(), "Rock.teq"), Sys("Rock.teq"));
    EXPECT_EQ(PresetPath(app.path(), "../../evil.teq"), Sys("evil.teq"));
    EXPECT_EQ(PresetPath(app.path(), "/etc/evil.teq"), Sys("evil.teq"));
    EXPECT_EQ(PresetPath(app.path(), ""), Sys("UserEQ.teq"));
    EXPECT_EQ(PresetPath(app.path(), ".."), Sys("UserEQ.teq"));
    WriteSys("userEQ.TEQ", PresetLines(std::vector<std::string>(18, "1")));
    EXPECT_EQ(PresetPath(app.path(), "UserEQ.teq"), Sys("userEQ.TEQ"));
}

TEST_F(EqPresetTest, WriteConfigWritesThePresetItNames) {
    settings.PlEqNowFileName = "Live.teq";
    gains[3] = -6;
    files.WriteConfig("conf.tcf");
    gains = EqGains{};
    EXPECT_TRUE(Load("Live.teq").empty());
    EXPECT_EQ(gains[3], -6);
}

}  // namespace
}  // namespace tarvel::config

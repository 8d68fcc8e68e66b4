#include "config/config_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <optional>

#include "config/conf_lines.h"
#include "config_fixture.h"
#include "platform/error/app_error.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::config {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;
using testing::ReadBytes;

const std::string kGolden = std::string(TARVEL_TEST_DATA_DIR) + "/config/conf_all_set.tcf";
const std::string kShippedSys = std::string(TARVEL_TEST_DATA_DIR) + "/../../data/TvSysFile";

// The settings of the golden file: every group away from its default.
Settings AllSet() {
    Settings s;
    for (Item item :
         {Item::Apollo, Item::mIncorporated1, Item::AutoloadPlayListWithoutautoplay1, Item::ByAz,
          Item::InActivAlbum1, Item::StartAt1, Item::ByAZsong, Item::mShuffEng100}) {
        s.Check(item);
    }
    s.ShowPlaylist(Playlist::CD);
    s.WindowLeft = -12;
    s.WindowTop = 40;
    s.DeltaWidth = -35;
    s.DeltaHeight = 120;
    s.SetVolume(771);
    s.AllPs = 12.5;
    s.RusPs = 0.001;
    s.EngPs = 100;
    s.ArtPs = 25;
    s.AlbPs = 0;
    s.CDinf = "Audio CD";
    s.PachToCopyDir = "/home/user/\xcc\xf3\xe7\xfb\xea\xe0 copies";
    s.PlEqNowFileName = "Rock.teq";
    s.PathToApollo = "/opt/apollo/apollo -q";
    s.PathToWinamp = "None";
    s.UpdateShareCaptions();
    s.UpdateCopyDirCaption();
    return s;
}

TEST_F(ConfigTest, WrittenSettingsMatchTheGoldenFileAndReadBackEqual) {
    settings = AllSet();
    files.WriteConfig("conf.tcf");
    EXPECT_EQ(ReadBytes(Sys("conf.tcf")), ReadBytes(kGolden));
    EXPECT_TRUE(fs::FileExists(Sys("Rock.teq")));

    WritePathToPl("/opt/apollo/apollo -q");
    Settings read;
    ConfigFiles reader(app.path(), read, gains, links);
    // Start-up asks for "Conf.tcf"; the exit wrote "conf.tcf".
    EXPECT_EQ(reader.ReadConfig("Conf.tcf"), (WindowPosition{-12, 40}));
    EXPECT_EQ(read, AllSet());
    EXPECT_EQ(read.ShareCaption(Item::mShuffLib), "From Library(12.5%)");
    EXPECT_EQ(read.MSetPathCaption(), "SetPach (/home/user/\xcc\xf3\xe7\xfb\xea\xe0 copies)");
    EXPECT_THAT(links.fmod_volumes, ElementsAre(249));  // Round(771 / 3.1)
    EXPECT_THAT(links.apollo, ElementsAre(Pair(20, 65535)));
}

TEST_F(ConfigTest, EveryChoiceOfEachGroupSurvivesTheRoundTrip) {
    WritePathToPl("/usr/bin/apollo");
    const std::vector<Item> items = {Item::mFmod,           Item::mBass,
                                     Item::Apollo,          Item::Winamp,
                                     Item::mSeparateRusEng, Item::Byyear,
                                     Item::InActivArtist1,  Item::InAllLibrary2,
                                     Item::InActivArtist2,  Item::Artist1,
                                     Item::InAllLibrary1,   Item::InAllworld1,
                                     Item::ByNomSong,       Item::mShuffLib,
                                     Item::mShuffRus,       Item::mShuffEng,
                                     Item::mShuffActArt,    Item::mShuffActAlb,
                                     Item::mShuffLib100,    Item::mShuffRus100,
                                     Item::mShuffPlist,     Item::RepeatAllPlayList1,
                                     Item::Autoloadplayer1};
    const Playlist playlists[] = {Playlist::PL1, Playlist::CD, Playlist::PL2};
    for (size_t i = 0; i < items.size(); ++i) {
        Settings written = AllSet();
        written.PathToApollo = "/usr/bin/apollo";
        written.Check(items[i]);
        written.ShowPlaylist(playlists[i % 3]);
        settings = written;
        files.WriteConfig("conf.tcf");
        ASSERT_EQ(fs::ReadLines(Sys("conf.tcf")).size(), 24u);
        Settings read;
        ConfigFiles(app.path(), read, gains, links).ReadConfig("conf.tcf");
        EXPECT_EQ(read, written) << ItemName(items[i]);
    }
}

TEST_F(ConfigTest, LaterSettingsFollowTheTwentyFourLinesOnlyWhenChangedAndReadInAnyOrder) {
    // Defaults add nothing: the file stays the 24 lines older versions wrote and read.
    EXPECT_EQ(ConfLines(Settings()).size(), 24u);

    Settings written = AllSet();
    written.Check(Item::TagsGuess);
    written.Check(Item::LevelingAlbum);
    auto lines = ConfLines(written);
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[24], "TagsWithoutEncoding=Guess");
    EXPECT_EQ(lines[25], "VolumeLeveling=Album");

    // Swapped, with an unknown line between: each is still read, the unknown one changes nothing.
    std::swap(lines[24], lines[25]);
    lines.insert(lines.begin() + 25, "SomeLaterSetting=On");
    Settings read;
    EXPECT_TRUE(ApplyConfLines(lines, read, links));
    EXPECT_TRUE(read.Checked(Item::TagsGuess));
    EXPECT_TRUE(read.Checked(Item::LevelingAlbum));
    EXPECT_FALSE(read.Checked(Item::TagsWindows1251));

    // A file of 24 lines leaves them at their defaults.
    Settings from_old;
    from_old.Check(Item::TagsLatin1);
    ASSERT_TRUE(ApplyConfLines(ConfLines(Settings()), from_old, links));
    EXPECT_TRUE(from_old.Checked(Item::TagsLatin1)) << "a missing line keeps what was set";
    EXPECT_TRUE(Settings().Checked(Item::TagsWindows1251));
    EXPECT_TRUE(Settings().Checked(Item::LevelingOff));
}

TEST_F(ConfigTest, RepeatWithNothingCheckedIsWrittenAsAllSong) {
    settings.Uncheck(Item::repeatOne1);
    EXPECT_EQ(ConfLines(settings)[8], "Repeat:=AllSong");
}

TEST_F(ConfigTest, AnEngineLineWithATrailingSpaceKeepsTheEngineOfPathToPl) {
    std::vector<std::string> lines = fs::ReadLines(kGolden);
    lines[0] = "engine=apollo ";
    WriteSys("conf.tcf", lines);
    WritePathToPl("None");  // no Apollo command line: FMOD
    files.ReadConfig("conf.tcf");
    EXPECT_TRUE(settings.Checked(Item::mFmod));
    EXPECT_TRUE(settings.Checked(Item::Internal));
    EXPECT_FALSE(settings.Checked(Item::Apollo));
    EXPECT_FALSE(settings.Checked(Item::External1));
    EXPECT_TRUE(settings.Checked(Item::mIncorporated1));  // line 2 still read
    EXPECT_EQ(settings.PlEqNowFileName, "Rock.teq");      // and the rest
}

TEST_F(ConfigTest, UnknownGroupTextsKeepTheStateAndLaterLinesStillCount) {
    std::vector<std::string> lines = fs::ReadLines(kGolden);
    lines[3] = "sort album=by year";  // wrong case
    lines[4] = "SortOpt=Artist1";     // checks Artist1, unchecks the design scope
    lines[9] = "Img2PL2=TRUE";        // the key is written "Img2Pl2="
    lines[11] = "left=5";             // no key: design position
    lines[13] = "Width=3";            // no key: 0
    WriteSys("conf.tcf", lines);
    WritePathToPl("x");
    EXPECT_EQ(files.ReadConfig("conf.tcf"), (WindowPosition{372, 40}));
    EXPECT_TRUE(settings.Checked(Item::Byyear));
    EXPECT_TRUE(settings.Checked(Item::Artist1));
    EXPECT_FALSE(settings.Checked(Item::InAllLibrary2));
    EXPECT_EQ(settings.ShownPlaylist(), Playlist::PL1);
    EXPECT_EQ(settings.DeltaWidth, 0);
    EXPECT_EQ(settings.DeltaHeight, 120);
    EXPECT_EQ(settings.PlEqNowFileName, "Rock.teq");
    // Written back, the scope takes one line: the file keeps its 24 lines.
    files.WriteConfig("conf.tcf");
    const auto written = fs::ReadLines(Sys("conf.tcf"));
    ASSERT_EQ(written.size(), 24u);
    EXPECT_EQ(written[4], "SortOpt=Artist1");
}

TEST_F(ConfigTest, VolumeLineIsHeldOnTheBarAndSentToFmodAndApollo) {
    struct Case {
        std::string line;
        int volume;
        int fmod;
    };
    const Case cases[] = {
        {"Volume=900", 771, 249},
        {"Volume=578", 578, 186},
        {"Volume=-4", 0, 0},
        {"xxxxxxx10", 10, 3},  // the first seven characters are not checked
    };
    WritePathToPl();
    for (const auto& c : cases) {
        std::vector<std::string> lines = fs::ReadLines(kGolden);
        lines[15] = c.line;
        WriteSys("conf.tcf", lines);
        RecordingLinks recorded;
        Settings read;
        ConfigFiles(app.path(), read, gains, recorded).ReadConfig("conf.tcf");
        EXPECT_EQ(read.Volume(), c.volume) << c.line;
        EXPECT_THAT(recorded.fmod_volumes, ElementsAre(c.fmod)) << c.line;
        EXPECT_THAT(recorded.apollo, ElementsAre(Pair(20, c.volume * 85))) << c.line;
    }
}

TEST_F(ConfigTest, SharesAreStoredTimesOneHundredThousandAndHeldWithinPercent) {
    settings.AllPs = 12.5;
    settings.EngPs = 0.007;  // 700.0000000000001 when multiplied
    const auto lines = ConfLines(settings);
    EXPECT_EQ(lines[16], "AllPs=1250000");
    EXPECT_EQ(lines[18], "EngPs=700");

    std::vector<std::string> file = fs::ReadLines(kGolden);
    file[16] = "AllPs=1250000";
    file[17] = "RusPs=1e9";  // 10000 % would ask the shuffle for more songs than there are
    file[18] = "EngPs=-500";
    WriteSys("conf.tcf", file);
    WritePathToPl();
    files.ReadConfig("conf.tcf");
    EXPECT_EQ(settings.AllPs, 12.5);
    EXPECT_EQ(settings.RusPs, 100.0);
    EXPECT_EQ(settings.EngPs, 0.0);
    EXPECT_EQ(settings.ShareCaption(Item::mShuffLib), "From Library(12.5%)");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffRus), "From Rus Artist(100%)");
}

TEST_F(ConfigTest, SharesReadAPointOrACommaAndAreWrittenWithAPoint) {
    // The AllPs line of a file, the share read (nothing: the line fails and the file falls back
    // to the defaults, which keep the shares), and the line written back.
    struct Case {
        const char* line;
        std::optional<double> share;
        const char* written;
    };
    const Case cases[] = {
        {"AllPs=1250000", 12.5, "AllPs=1250000"},
        {"AllPs=1234567,8", 12.345678, "AllPs=1234567.8"},
        {"AllPs=1234567.8", 12.345678, "AllPs=1234567.8"},
        {"AllPs=2,5e5", 2.5, "AllPs=250000"},
        {"AllPs=1,234.5", std::nullopt, "AllPs=0"},
        {"AllPs=1,2,3", std::nullopt, "AllPs=0"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> file = fs::ReadLines(kGolden);
        file[16] = c.line;
        WriteSys("conf.tcf", file);
        WritePathToPl();
        settings = Settings{};
        files.ReadConfig("conf.tcf");
        EXPECT_DOUBLE_EQ(settings.AllPs, c.share.value_or(0.0)) << c.line;
        EXPECT_EQ(settings.CDinf, c.share ? "Audio CD" : "") << c.line << ": read to its end";
        EXPECT_EQ(ConfLines(settings)[16], c.written) << c.line;
    }
}

TEST_F(ConfigTest, BothFilesAbsentGiveTheDefaults) {
    WritePathToPl("/usr/bin/apollo");
    settings.Check(Item::Apollo);
    settings.Check(Item::ByAz);
    settings.PlEqNowFileName = "Other.teq";
    EXPECT_EQ(files.ReadConfig("Conf.tcf"), (WindowPosition{372, 149}));
    EXPECT_TRUE(settings.Checked(Item::mBass));
    EXPECT_TRUE(settings.Checked(Item::Internal));
    EXPECT_FALSE(settings.Checked(Item::External1));
    EXPECT_TRUE(settings.Checked(Item::mSeparateRusEng));
    EXPECT_TRUE(settings.Checked(Item::Autoloadplayer1));
    EXPECT_TRUE(settings.Checked(Item::InAllLibrary2));
    EXPECT_TRUE(settings.Checked(Item::mShuffPlist));
    EXPECT_TRUE(settings.Checked(Item::RepeatAllPlayList1));
    EXPECT_TRUE(settings.Checked(Item::ByAz));  // not a default: kept
    EXPECT_EQ(settings.ShownPlaylist(), Playlist::PL1);
    EXPECT_EQ(settings.PlEqNowFileName, "UserEQ.teq");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffLib), "From librury");  // no share was read
    EXPECT_TRUE(links.fmod_volumes.empty());
    EXPECT_THAT(links.apollo, ElementsAre(Pair(20, 0)));
    EXPECT_FALSE(settings.FirstRun);
}

TEST_F(ConfigTest, AFailedLineKeepsWhatWasReadBeforeAndFallsBack) {
    std::vector<std::string> lines = fs::ReadLines(kGolden);
    lines[15] = "Volume=loud";
    WriteSys("conf.tcf", lines);
    WritePathToPl("/usr/bin/apollo");

    // No LastWorkConf.tcf: the defaults go over what lines 1 to 15 set.
    EXPECT_EQ(files.ReadConfig("conf.tcf"), (WindowPosition{-12, 40}));
    EXPECT_TRUE(settings.Checked(Item::mBass));          // default
    EXPECT_TRUE(settings.Checked(Item::ByAz));           // line 4
    EXPECT_TRUE(settings.Checked(Item::StartAt1));       // line 6
    EXPECT_TRUE(settings.Checked(Item::ByAZsong));       // line 7
    EXPECT_TRUE(settings.Checked(Item::InAllLibrary2));  // default over line 5
    EXPECT_EQ(settings.DeltaWidth, 0);                   // default over line 14
    EXPECT_EQ(settings.Volume(), 0);
    EXPECT_TRUE(links.fmod_volumes.empty());

    // With LastWorkConf.tcf it is read in full after the partial conf.tcf.
    WriteSys("LastWorkConf.tcf", fs::ReadLines(kShippedSys + "/LastWorkConf.tcf"));
    Settings read;
    RecordingLinks recorded;
    EXPECT_EQ(ConfigFiles(app.path(), read, gains, recorded).ReadConfig("conf.tcf"),
              (WindowPosition{372, 149}));
    EXPECT_TRUE(read.Checked(Item::mBass));
    EXPECT_TRUE(read.Checked(Item::Byyear));
    EXPECT_EQ(read.Volume(), 578);
    EXPECT_THAT(recorded.fmod_volumes, ElementsAre(186));
    EXPECT_THAT(recorded.apollo, ElementsAre(Pair(20, 578 * 85)));
}

TEST_F(ConfigTest, AFileEndingEarlyOrUnreadableFallsBack) {
    WritePathToPl("/usr/bin/apollo");
    const std::vector<std::string> golden = fs::ReadLines(kGolden);
    WriteSys("conf.tcf", std::vector<std::string>(golden.begin(), golden.begin() + 23));
    files.ReadConfig("conf.tcf");
    EXPECT_EQ(settings.PlEqNowFileName, "UserEQ.teq");  // defaults after 23 lines
    EXPECT_EQ(settings.PachToCopyDir, "");
    EXPECT_EQ(settings.CDinf, "Audio CD");  // line 22 stays
    EXPECT_EQ(settings.ShareCaption(Item::mShuffLib), "From Library(12.5%)");

    // A folder in the file's place cannot be read either.
    fs::RemoveFile(Sys("conf.tcf"));
    testing::WriteBytes(Sys("conf.tcf/inside"), "x");
    Settings read;
    ConfigFiles(app.path(), read, gains, links).ReadConfig("conf.tcf");
    EXPECT_TRUE(read.Checked(Item::mBass));
    EXPECT_EQ(read.CDinf, "");
}

TEST_F(ConfigTest, HostileFilesFallBackToTheDefaults) {
    WritePathToPl("/usr/bin/apollo");
    const std::string cases[] = {
        "",
        std::string(24, '\n'),
        std::string("\0\xff\r\n\r\r\n", 7) + std::string(100000, 'x'),
        // Line 12 out of range.
        "engine=apollo\r\n" + std::string(10, '\n') + "form.left=99999999999\r\n" +
            std::string(12, '\n'),
    };
    for (const auto& bytes : cases) {
        testing::WriteBytes(Sys("conf.tcf"), bytes);
        testing::WriteBytes(Sys("LastWorkConf.tcf"), bytes);
        Settings read;
        RecordingLinks recorded;
        EXPECT_EQ(ConfigFiles(app.path(), read, gains, recorded).ReadConfig("conf.tcf"),
                  (WindowPosition{372, 149}));
        EXPECT_TRUE(read.Checked(Item::mBass));
        EXPECT_EQ(read.PlEqNowFileName, "UserEQ.teq");
        EXPECT_THAT(recorded.apollo, ElementsAre(Pair(20, 0)));
    }
}

TEST_F(ConfigTest, ShippedLastWorkConfReadsCompletely) {
    WriteSys("LastWorkConf.tcf", fs::ReadLines(kShippedSys + "/LastWorkConf.tcf"));
    EXPECT_EQ(ReadBytes(Sys("LastWorkConf.tcf")), ReadBytes(kShippedSys + "/LastWorkConf.tcf"));
    WritePathToPl("/usr/bin/apollo");
    settings.Check(Item::StartAt1);  // only a complete read of line 6 unchecks it
    EXPECT_EQ(files.ReadConfig("conf.tcf"), (WindowPosition{372, 149}));

    Settings expected;
    for (Item item : {Item::mBass, Item::mSeparateRusEng, Item::Autoloadplayer1, Item::Byyear,
                      Item::InAllLibrary2, Item::InAllworld1, Item::ByNomSong, Item::mShuffPlist,
                      Item::RepeatAllPlayList1}) {
        expected.Check(item);
    }
    expected.SetVolume(578);
    expected.PathToApollo = "/usr/bin/apollo";
    expected.PathToWinamp = "None";
    expected.UpdateShareCaptions();
    expected.UpdateCopyDirCaption();
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(settings.MSetPathCaption(), "SetPach ()");
    EXPECT_EQ(settings.ShareCaption(Item::mShuffActArt), "From Active Artist(0%)");
}

TEST_F(ConfigTest, FirstRunFromTheShippedFilesEndsWithBassAndTheLibraryBuilder) {
    for (const char* name : {"PathToPl.tcf", "LastWorkConf.tcf"}) {
        WriteSys(name, fs::ReadLines(kShippedSys + "/" + name));
    }
    files.ReadConfig("Conf.tcf");
    EXPECT_TRUE(settings.FirstRun);
    EXPECT_EQ(settings.PathToApollo, "");
    EXPECT_EQ(links.library_builders, 0);

    settings.Check(Item::mFmod);
    files.CompleteFirstRun();
    EXPECT_FALSE(settings.FirstRun);
    EXPECT_EQ(ReadBytes(Sys("PathToPl.tcf")),
              "firstRun:=False\r\nPathToApollo:=None\r\nPathToWinamp:=None\r\n");
    EXPECT_TRUE(settings.Checked(Item::mBass));
    EXPECT_EQ(settings.PathToApollo, "None");
    EXPECT_EQ(settings.PathToWinamp, "None");
    EXPECT_EQ(fs::ReadLines(Sys("conf.tcf")), ConfLines(settings));
    EXPECT_EQ(fs::ReadLines(Sys("conf.tcf"))[0], "engine=mBass");
    EXPECT_TRUE(fs::FileExists(Sys("UserEQ.teq")));
    EXPECT_EQ(links.library_builders, 1);

    // The next start is no first run; "None" as Apollo's command line means FMOD until the
    // engine line of conf.tcf says otherwise.
    Settings next;
    ConfigFiles(app.path(), next, gains, links).ReadConfig("Conf.tcf");
    EXPECT_FALSE(next.FirstRun);
    EXPECT_TRUE(next.Checked(Item::mBass));
}

TEST_F(ConfigTest, AnyFirstLineButTheMarkOrNoPathToPlIsAFirstRun) {
    for (const std::string first : {"firstRun:=True", "firstrun:=False", "firstRun:=False ", ""}) {
        WriteSys("PathToPl.tcf", {first, "PathToApollo:=/usr/bin/apollo", "PathToWinamp:=None"});
        Settings read;
        ConfigFiles(app.path(), read, gains, links).ReadConfig("conf.tcf");
        EXPECT_TRUE(read.FirstRun) << first;
        EXPECT_EQ(read.PathToApollo, "") << first;
    }
    fs::RemoveFile(Sys("PathToPl.tcf"));
    files.ReadConfig("conf.tcf");
    EXPECT_TRUE(settings.FirstRun);
}

// A PathToPl.tcf that does not mark the first run done would make the start a first run, which
// clears the library and the playlists. With any of them there, the start is an ordinary one:
// the damage is reported, the file written anew and the old one kept beside.
TEST_F(ConfigTest, ADamagedPathToPlMakesNoFirstRunWhileThereIsALibraryOrAPlaylist) {
    const std::string song_line =
        "A endart B endalb C endtit 0000 endyer Unknown endgen 0 endtrk 0 endbit 0 enddur 0 "
        "endsmr Unknown endchm /m/c.mp3 endPth \r\n";
    const std::string empty_playlist = "TarvelPlayListFile&$$$!@@#!(&*&#^@%%@\r\nEmptyPlayList\r\n";
    struct Damage {
        const char* what;
        std::function<void(const std::string& path)> make;  // nothing made: the file is missing
    };
    const Damage damages[] = {
        {"missing", nullptr},
        {"empty", [](const std::string& p) { testing::WriteBytes(p, ""); }},
        {"binary",
         [](const std::string& p) { testing::WriteBytes(p, std::string("\0\xff\x01fir\r", 7)); }},
        {"cut in the mark", [](const std::string& p) { testing::WriteBytes(p, "firstRun:=Fal"); }},
        {"named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"link to /dev/zero",
         [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
    };
    struct Sort {
        const char* what;
        std::vector<std::pair<const char*, std::string>> files;
        bool first_run;
    };
    const Sort sorts[] = {
        {"no library folder", {}, true},
        {"empty playlists and a save's left-over",
         {{"PlayListMainPL1.tpl", empty_playlist}, {".path.tan.Ab12Cd", "x"}},
         true},
        {"a library", {{"allsong.tft", song_line}, {"path.tan", "/m/c.mp3\r\n"}}, false},
        {"a playlist",
         {{"PlayListMainPL2.tpl",
           "TarvelPlayListFile&$$$!@@#!(&*&#^@%%@\r\nNoEmptyPlayList\r\n1"
           "\r\n0\r\n" +
               song_line}},
         false},
    };
    for (const Damage& damage : damages) {
        for (const Sort& sort : sorts) {
            SCOPED_TRACE(std::string(damage.what) + ", " + sort.what);
            testing::TempDir dir;
            const std::string path = dir / "TvSysFile/PathToPl.tcf";
            fs::CreateDirectories(dir / "TvSysFile");
            if (damage.make) {
                damage.make(path);
            }
            for (const auto& [name, bytes] : sort.files) {
                testing::WriteBytes(dir / ("sort/" + std::string(name)), bytes);
            }
            Settings read;
            RecordingLinks recorded;
            ConfigFiles(dir.path(), read, gains, recorded).ReadConfig("Conf.tcf");
            EXPECT_EQ(read.FirstRun, sort.first_run);
            for (const auto& [name, bytes] : sort.files) {
                EXPECT_EQ(ReadBytes(dir / ("sort/" + std::string(name))), bytes) << name;
            }
            struct stat st {};
            if (sort.first_run) {
                EXPECT_TRUE(recorded.reports.empty());
                EXPECT_EQ(::lstat(path.c_str(), &st) == 0, damage.make != nullptr);
                continue;
            }
            ASSERT_EQ(recorded.reports.size(), 1u);
            EXPECT_THAT(recorded.reports[0], HasSubstr(path));
            EXPECT_THAT(recorded.reports[0], HasSubstr("this start is no first run"));
            EXPECT_EQ(ReadBytes(path),
                      "firstRun:=False\r\nPathToApollo:=None\r\nPathToWinamp:=None\r\n");
            EXPECT_EQ(read.PathToApollo, "None");
            EXPECT_EQ(read.PathToWinamp, "None");
            // The damaged file is kept beside as it was: a pipe stays a pipe, a link a link.
            EXPECT_EQ(::lstat((path + ".unreadable").c_str(), &st) == 0, damage.make != nullptr);

            // The next start reads the new file and says nothing.
            RecordingLinks again;
            Settings next;
            ConfigFiles(dir.path(), next, gains, again).ReadConfig("Conf.tcf");
            EXPECT_FALSE(next.FirstRun);
            EXPECT_TRUE(again.reports.empty());
        }
    }
}

// An editor may save the file with a byte-order mark or with CR alone ending the lines: it reads
// as the same lines and stays as it is.
TEST_F(ConfigTest, PathToPlWithAByteOrderMarkOrCrOnlyLineEndsReadsAsTheSameLines) {
    for (const std::string bytes :
         {"\xEF\xBB\xBF"
          "firstRun:=False\r\nPathToApollo:=/opt/apollo\r\nPathToWinamp:=None\r\n",
          "firstRun:=False\rPathToApollo:=/opt/apollo\rPathToWinamp:=None\r"}) {
        testing::WriteBytes(Sys("PathToPl.tcf"), bytes);
        Settings read;
        RecordingLinks recorded;
        ConfigFiles(app.path(), read, gains, recorded).ReadConfig("conf.tcf");
        EXPECT_FALSE(read.FirstRun);
        EXPECT_EQ(read.PathToApollo, "/opt/apollo");
        EXPECT_EQ(read.PathToWinamp, "None");
        EXPECT_TRUE(recorded.reports.empty());
        EXPECT_EQ(ReadBytes(Sys("PathToPl.tcf")), bytes);
    }
}

// A conf.tcf that is there but cannot be read whole gives way to LastWorkConf.tcf without a
// message box, as before; the log says so, and the next save keeps the file beside its name
// instead of writing over it.
TEST_F(ConfigTest, AConfFileThatCouldNotBeReadWholeIsNotedAndKeptBesideAtTheNextSave) {
    WritePathToPl();
    WriteSys("LastWorkConf.tcf", fs::ReadLines(kShippedSys + "/LastWorkConf.tcf"));
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;
    };
    const Case cases[] = {
        {"binary",
         [](const std::string& p) { testing::WriteBytes(p, std::string("\0\xff\r", 3)); }},
        {"named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"link to /dev/zero",
         [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const char* name : {"conf.tcf", "conf.tcf.unreadable"}) {
            fs::RemoveFile(Sys(name));
        }
        c.make(Sys("conf.tcf"));
        struct stat before {};
        ASSERT_EQ(::lstat(Sys("conf.tcf").c_str(), &before), 0);
        const std::string bytes = S_ISREG(before.st_mode) ? ReadBytes(Sys("conf.tcf")) : "";
        Settings read;
        RecordingLinks recorded;
        ConfigFiles files_of_run(app.path(), read, gains, recorded);
        files_of_run.ReadConfig("Conf.tcf");
        EXPECT_EQ(read.Volume(), 578);  // LastWorkConf.tcf's
        EXPECT_TRUE(recorded.reports.empty());
        ASSERT_EQ(recorded.notes.size(), 1u);
        EXPECT_THAT(recorded.notes[0], HasSubstr(Sys("conf.tcf")));
        EXPECT_THAT(recorded.notes[0], HasSubstr("conf.tcf.unreadable"));

        files_of_run.WriteConfig("conf.tcf");
        files_of_run.WriteConfig("conf.tcf");  // an Apollo menu save, then the exit save
        EXPECT_EQ(fs::ReadLines(Sys("conf.tcf")), ConfLines(read));
        struct stat after {};
        ASSERT_EQ(::lstat(Sys("conf.tcf.unreadable").c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        if (S_ISREG(after.st_mode)) {
            EXPECT_EQ(ReadBytes(Sys("conf.tcf.unreadable")), bytes);
        }
        EXPECT_FALSE(fs::EntryExists(Sys("conf.tcf.unreadable.2")));
    }
}

TEST_F(ConfigTest, PathToPlGivesThePlayerCommandLinesAndNoneMeansFmod) {
    WriteSys("PathToPl.tcf", {"firstRun:=False", "PathToApollo:=None"});  // line 3 missing
    std::vector<std::string> lines = fs::ReadLines(kGolden);
    lines[0] = "engine=unknown";
    WriteSys("conf.tcf", lines);
    files.ReadConfig("conf.tcf");
    EXPECT_TRUE(settings.Checked(Item::mFmod));
    EXPECT_EQ(settings.PathToApollo, "None");
    EXPECT_EQ(settings.PathToWinamp, "");

    WriteSys("PathToPl.tcf", {"firstRun:=False", "Apollo,please:C:\\apollo.exe /m",
                              "PathToWinamp:=/usr/bin/winamp"});
    Settings read;
    ConfigFiles(app.path(), read, gains, links).ReadConfig("conf.tcf");
    EXPECT_EQ(read.PathToApollo, "C:\\apollo.exe /m");  // the key is not checked
    EXPECT_EQ(read.PathToWinamp, "/usr/bin/winamp");
    EXPECT_TRUE(read.Checked(Item::mBass));  // design engine: no line or None changed it
}

TEST_F(ConfigTest, AFailedWriteLeavesTheOldFileWhole) {
    settings = AllSet();
    files.WriteConfig("conf.tcf");
    const std::string before = ReadBytes(Sys("conf.tcf"));

    settings.CDinf = std::string(2000, 'x');
    // Files may not grow past 300 bytes: the write fails part way, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit small = old_limit;
    small.rlim_cur = 300;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        files.WriteConfig("conf.tcf");
    } catch (const AppError& e) {
        failed = true;
        EXPECT_THAT(e.what(), ::testing::HasSubstr("conf.tcf"));
    }
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old_limit), 0);
    EXPECT_TRUE(failed);
    EXPECT_EQ(ReadBytes(Sys("conf.tcf")), before);
    int entries = 0;
    fs::WalkDirectory(app / "TvSysFile", [&](const fs::DirEntry&) { ++entries; });
    EXPECT_EQ(entries, 2);  // conf.tcf and Rock.teq: no temporary file left
}

TEST_F(ConfigTest, ALineBreakInAPathCannotMoveTheLinesBelowIt) {
    for (const char* odd : {"/music/odd\nname", "/music/odd\rname"}) {
        settings.PachToCopyDir = odd;
        settings.CDinf = "1.5-\r2-";
        settings.PlEqNowFileName = "Mine.teq";
        files.WriteConfig("conf.tcf");
        const auto lines = fs::ReadLines(Sys("conf.tcf"));
        ASSERT_EQ(lines.size(), 24u);
        EXPECT_EQ(lines[21], "CDinf=1.5-");
        EXPECT_EQ(lines[22], "PachToCopyDir=/music/odd");
        EXPECT_EQ(lines[23], "PlEqNowFileName=Mine.teq");
    }
}

TEST_F(ConfigTest, WriteConfigCreatesAMissingSettingsFolder) {
    files.WriteConfig("conf.tcf");
    EXPECT_EQ(fs::ReadLines(Sys("conf.tcf")).size(), 24u);
    EXPECT_EQ(ReadBytes(Sys("UserEQ.teq")).substr(0, 6), "Tarvel");
}

}  // namespace
}  // namespace tarvel::config

// The real player started on app dirs whose stored files are damaged, or are things that are no
// files at all: it must come up, say what it could not read, end cleanly on SIGTERM and leave
// every file it did not read whole as it found it (in its place, or beside as NAME.unreadable).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "e2e/e2e_support.h"
#include "library/song_record.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "playlists/playlist_file.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

using Damage = std::function<void(const std::string& path)>;

Damage Bytes(const std::string& bytes) {
    return [bytes](const std::string& path) { WriteBytes(path, bytes); };
}

// The file's own bytes, edited.
Damage Edited(const std::function<std::string(std::string)>& edit) {
    return [edit](const std::string& path) { WriteBytes(path, edit(ReadBytes(path))); };
}

Damage NamedPipe() {
    return [](const std::string& path) {
        ::unlink(path.c_str());
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
    };
}

Damage LinkTo(const std::string& target) {
    return [target](const std::string& path) {
        ::unlink(path.c_str());
        ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0) << path;
    };
}

Damage Removed() {
    return [](const std::string& path) { ::unlink(path.c_str()); };
}

std::string WithByteOrderMark(std::string bytes) {
    return "\xEF\xBB\xBF" + bytes;
}

std::string CrOnly(std::string bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r')) {
            out.push_back(bytes[i]);
        }
    }
    return out;
}

// Replaces line n (1-based) of CR LF text.
std::function<std::string(std::string)> Line(int n, const std::string& text) {
    return [n, text](std::string bytes) {
        std::vector<std::string> lines = fs::SplitLines(bytes);
        lines.at(static_cast<size_t>(n - 1)) = text;
        std::string out;
        for (const auto& line : lines) {
            out += line + "\r\n";
        }
        return out;
    };
}

const std::string kBinary("\0\xff\x01\x80garbage\r\n\xfe", 13);

struct HostileCase {
    const char* name;
    const char* file;  // below the app dir
    Damage damage;
    // Where the file is found afterwards as it was made: in its place or beside as
    // NAME.unreadable; or it was read whole (and may be saved anew); or it is gone.
    enum class Kept { InPlace, Beside, ReadWhole, Gone } kept;
    const char* told;  // what the player says, in a message box or on stderr; empty: nothing
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

const char kPathToPl[] = "TvSysFile/PathToPl.tcf";
const char kConf[] = "TvSysFile/conf.tcf";
const char kPl1[] = "sort/PlayListMainPL1.tpl";
const char kPreset[] = "TvSysFile/UserEQ.teq";
using Kept = HostileCase::Kept;

const char kNoFirstRun[] = "this start is no first run";
const HostileCase kCases[] = {
    {"PathToPl empty", kPathToPl, Bytes(""), Kept::Beside, kNoFirstRun},
    {"PathToPl missing", kPathToPl, Removed(), Kept::ReadWhole, "PathToPl.tcf\" is missing"},
    {"PathToPl binary", kPathToPl, Bytes(kBinary), Kept::Beside, kNoFirstRun},
    {"PathToPl byte-order mark", kPathToPl, Edited(WithByteOrderMark), Kept::InPlace, ""},
    {"PathToPl CR-only", kPathToPl, Edited(CrOnly), Kept::InPlace, ""},
    {"PathToPl named pipe", kPathToPl, NamedPipe(), Kept::Beside, kNoFirstRun},
    {"PathToPl link to /dev/zero", kPathToPl, LinkTo("/dev/zero"), Kept::Beside, kNoFirstRun},
    {"conf binary", kConf, Bytes(kBinary), Kept::Beside, "conf.tcf.unreadable"},
    {"conf cut short", kConf, Edited(Line(16, "Volume=loud")), Kept::Beside, "conf.tcf.unreadable"},
    {"conf byte-order mark", kConf, Edited(WithByteOrderMark), Kept::ReadWhole, ""},
    {"conf CR-only", kConf, Edited(CrOnly), Kept::ReadWhole, ""},
    {"conf named pipe", kConf, NamedPipe(), Kept::Beside, "conf.tcf.unreadable"},
    {"conf link to /dev/zero", kConf, LinkTo("/dev/zero"), Kept::Beside, "conf.tcf.unreadable"},
    {"playlist byte-order mark", kPl1, Edited(WithByteOrderMark), Kept::ReadWhole, ""},
    {"playlist CR-only", kPl1, Edited(CrOnly), Kept::ReadWhole, ""},
    {"playlist wrong header byte", kPl1, Edited([](std::string b) { return b.replace(3, 1, "X"); }),
     Kept::InPlace, "PlayListMainPL1.tpl"},
    {"playlist bad line 3", kPl1, Edited(Line(3, "first")), Kept::InPlace, "PlayListMainPL1.tpl"},
    {"playlist bad line 4", kPl1, Edited(Line(4, "1:30")), Kept::InPlace, "PlayListMainPL1.tpl"},
    {"playlist named pipe", kPl1, NamedPipe(), Kept::InPlace, "PlayListMainPL1.tpl"},
    {"playlist link to /dev/zero", kPl1, LinkTo("/dev/zero"), Kept::InPlace, "PlayListMainPL1.tpl"},
    // A song that is no file is skipped like a missing one, silently as the engine does.
    {"playlist row naming /proc/kmsg", kPl1, Edited([](std::string b) {
         return b.replace(b.find("/nowhere/first.mp3"), 18, "/proc/kmsg");
     }),
     Kept::ReadWhole, ""},
    {"preset foreign header", kPreset, Bytes(kBinary), Kept::InPlace, ""},
    {"preset named pipe", kPreset, NamedPipe(), Kept::InPlace, "UserEQ.teq"},
    {"preset link to /dev/zero", kPreset, LinkTo("/dev/zero"), Kept::InPlace, "UserEQ.teq"},
    // A save a kill ended left its temporary file: the start removes it.
    {"stale temporary file", "sort/.allsong.tft.Ab12Cd", Bytes("left by a kill"), Kept::Gone, ""},
};

// A second run's app dir: the shipped settings, a library of one song and PL1 of two songs whose
// files are not there (the player starts PL1, reports them and skips them).
void MakeSecondRun(const AppDirFixture& app) {
    app.WriteSettings({});
    app.WritePl1({"/nowhere/first.mp3", "/nowhere/second.mp3"});
    const library::SongRecord song = {"Band", "Album", "Song",  "2001",   "Unknown",       "1",
                                      "128",  "4000",  "44100", "Stereo", "/nowhere/x.mp3"};
    WriteBytes(app.FilePath("sort/allsong.tft"), library::SongLine(song) + "\r\n");
    WriteBytes(app.FilePath("sort/Artist1.tft"), library::SongLine(song) + "\r\n");
    WriteBytes(app.FilePath("sort/ArtName.tan"),
               library::ArtistIndexLine("Band", "Artist1.tft") + "\r\n");
    WriteBytes(app.FilePath("sort/path.tan"), "/nowhere/x.mp3\r\n");
}

class HostileFiles : public ::testing::TestWithParam<HostileCase> {};

// The one journey: damage, start, wait for the windows, SIGTERM, look.
TEST_P(HostileFiles, StartSaysWhatItCouldNotReadEndsCleanlyAndKeepsTheFile) {
    const HostileCase& c = GetParam();
    AppDirFixture app;
    MakeSecondRun(app);
    const std::string path = app.FilePath(c.file);
    c.damage(path);
    const std::string made = EntryText(path);
    const std::string library = ReadBytes(app.FilePath("sort/allsong.tft"));

    QProcess player;
    app.Start(player, {}, app.Environment(), QProcess::SeparateChannels);
    // Bounded by the wait, not timed: a player that hangs on a read never shows its windows.
    if (!app.WaitForWindows(player)) {
        EndIfRunning(player);
        FAIL() << "the player did not come up";
    }
    TerminateAndExpectCleanExit(player);

    const std::string log = fs::EntryExists(app.LogPath()) ? ReadBytes(app.LogPath()) : "";
    const std::string said = log + player.readAllStandardError().toStdString();
    if (*c.told != '\0') {
        EXPECT_NE(said.find(c.told), std::string::npos) << said;
    } else {
        // Nothing said of the damaged file; the songs of PL1 that cannot be played are
        // reported when auto play reaches them.
        for (const auto& line : fs::SplitLines(log)) {
            const bool song_report = line.find(": the file cannot be found") != std::string::npos ||
                                     line.find(": the file holds no sound") != std::string::npos;
            EXPECT_TRUE(!line.starts_with("MessageBox") || song_report) << line;
        }
    }
    switch (c.kept) {
        case Kept::InPlace:
            EXPECT_EQ(EntryText(path), made);
            break;
        case Kept::Beside:
            EXPECT_EQ(EntryText(path + ".unreadable"), made);
            break;
        case Kept::ReadWhole:
            break;
        case Kept::Gone:
            EXPECT_EQ(EntryText(path), "<nothing>");
            break;
    }
    // Never a first run: the library is as it was.
    EXPECT_EQ(ReadBytes(app.FilePath("sort/allsong.tft")), library);
    EXPECT_EQ(fs::ReadLines(app.FilePath(kPathToPl)).at(0), "firstRun:=False");
}

INSTANTIATE_TEST_SUITE_P(Damaged, HostileFiles, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c != '\0'; ++c) {
                                 if (std::isalnum(static_cast<unsigned char>(*c))) {
                                     name += *c;
                                 }
                             }
                             return name;
                         });

}  // namespace
}  // namespace tarvel::testing

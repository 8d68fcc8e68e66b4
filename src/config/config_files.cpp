#include "config/config_files.h"

#include <vector>

#include "config/conf_lines.h"
#include "config/sys_folder.h"
#include "platform/error/app_error.h"
#include "platform/fs/line_file.h"
#include "platform/text/case_fold.h"

namespace tarvel::config {
namespace {

constexpr char kConfFile[] = "conf.tcf";
constexpr char kLastWorkConf[] = "LastWorkConf.tcf";
constexpr char kPathToPl[] = "PathToPl.tcf";
constexpr char kFirstRunDone[] = "firstRun:=False";
constexpr char kNone[] = "None";
// "PathToApollo:=" and "PathToWinamp:=" are skipped unchecked.
constexpr size_t kPlayerKeyLength = 14;
// The external player takes the volume on a scale of 0..65535.
constexpr int kApolloSetVolume = 20;
constexpr int kApolloVolumeFactor = 85;

std::vector<std::string> ReadLinesOrNone(const std::string& path) {
    try {
        return fs::ReadLines(path);
    } catch (const AppError&) {
        return {};
    }
}

std::string PlayerPath(const std::vector<std::string>& lines, size_t index) {
    if (index >= lines.size() || lines[index].size() <= kPlayerKeyLength) {
        return {};
    }
    return lines[index].substr(kPlayerKeyLength);
}

}  // namespace

ConfigFiles::ConfigFiles(std::string app_dir, Settings& settings, EqGains& eq_gains,
                         ConfigLinks& links)
    : app_dir_(std::move(app_dir)), settings_(settings), eq_gains_(eq_gains), links_(links) {}

WindowPosition ConfigFiles::ReadConfig(const std::string& name) {
    ReadConfigFile(name);
    links_.ApolloCommand(kApolloSetVolume, settings_.Volume() * kApolloVolumeFactor);
    return {settings_.WindowLeft, settings_.WindowTop};
}

void ConfigFiles::ReadConfigFile(const std::string& name) {
    ReadPathToPl();
    bool complete = false;
    try {
        complete = ApplyConfLines(fs::ReadLines(SysFile(app_dir_, name)), settings_, links_);
    } catch (const AppError&) {
        // Missing or unreadable: fall back below, as for a file that ends early.
    }
    if (complete) {
        return;
    }
    if (text::EqualNoCase(name, kLastWorkConf)) {
        ApplyConfigDefaults();
    } else {
        ReadConfigFile(kLastWorkConf);
    }
}

void ConfigFiles::ReadPathToPl() {
    // A missing or unreadable file counts as a first run, as any first line but the mark does.
    const std::vector<std::string> lines = ReadLinesOrNone(SysFile(app_dir_, kPathToPl));
    if (lines.empty() || lines[0] != kFirstRunDone) {
        settings_.FirstRun = true;
        return;
    }
    settings_.PathToApollo = PlayerPath(lines, 1);
    settings_.PathToWinamp = PlayerPath(lines, 2);
    if (settings_.PathToApollo == kNone) {
        settings_.Check(Item::mFmod);
    }
}

void ConfigFiles::WriteConfig(const std::string& name) {
    WriteSysFile(app_dir_, name, ConfLines(settings_));
    if (!KeepsPreset()) {
        SaveEQ(app_dir_, settings_.PlEqNowFileName, eq_gains_);
    }
}

// An unusable preset is kept until the user sets a gain: saving the flat gains of the failed
// load would only replace the file with zeros.
bool ConfigFiles::KeepsPreset() const {
    return !eq_gains_.unusable_file.empty() &&
           eq_gains_.unusable_file == PresetPath(app_dir_, settings_.PlEqNowFileName) &&
           eq_gains_ == EqGains{};
}

void ConfigFiles::WriteFirstRunFiles() {
    WriteSysFile(app_dir_, kPathToPl, {kFirstRunDone, "PathToApollo:=None", "PathToWinamp:=None"});
    settings_.Check(Item::mBass);
    WriteConfig(kConfFile);
}

void ConfigFiles::ApplyConfigDefaults() {
    for (Item item : {Item::mBass, Item::mSeparateRusEng, Item::Autoloadplayer1,
                      Item::InAllLibrary2, Item::mShuffPlist, Item::RepeatAllPlayList1}) {
        settings_.Check(item);
    }
    settings_.ShowPlaylist(Playlist::PL1);
    settings_.DeltaWidth = 0;
    settings_.DeltaHeight = 0;
    settings_.PachToCopyDir.clear();
    settings_.PlEqNowFileName = kDefaultEqPreset;
}

void ConfigFiles::CompleteFirstRun() {
    settings_.FirstRun = false;
    settings_.PathToApollo = kNone;
    settings_.PathToWinamp = kNone;
    WriteFirstRunFiles();
    links_.OpenLibraryBuilder();
}

}  // namespace tarvel::config

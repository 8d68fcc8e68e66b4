#include "config/config_files.h"

#include <fmt/format.h>

#include "config/conf_lines.h"
#include "config/sys_folder.h"
#include "platform/error/app_error.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/text/case_fold.h"

namespace tarvel::config {
namespace {

constexpr char kConfFile[] = "conf.tcf";
constexpr char kLastWorkConf[] = "LastWorkConf.tcf";
constexpr char kPathToPl[] = "PathToPl.tcf";
constexpr char kFirstRunDone[] = "firstRun:=False";
constexpr char kNone[] = "None";
const std::vector<std::string> kOrdinaryRunLines = {kFirstRunDone, "PathToApollo:=None",
                                                    "PathToWinamp:=None"};
// "PathToApollo:=" and "PathToWinamp:=" are skipped unchecked.
constexpr size_t kPlayerKeyLength = 14;
// The external player takes the volume on a scale of 0..65535.
constexpr int kApolloSetVolume = 20;
constexpr int kApolloVolumeFactor = 85;
// Line 2 of a playlist file that holds no songs.
constexpr char kEmptyPlaylistLine[] = "EmptyPlayList";

std::string PlayerPath(const std::vector<std::string>& lines, size_t index) {
    if (index >= lines.size() || lines[index].size() <= kPlayerKeyLength) {
        return {};
    }
    return lines[index].substr(kPlayerKeyLength);
}

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// True when the library folder holds what a first run would clear: a library file or a playlist
// file, unless it holds an empty playlist. Hidden files (a save's temporary files) do not count;
// a playlist file that cannot be read does, as it may hold songs.
bool HoldsLibraryOrPlaylists(const std::string& app_dir) {
    const std::string sort = fs::JoinPath(app_dir, "sort");
    if (!fs::DirectoryExists(sort)) {
        return false;
    }
    try {
        for (const fs::DirEntry& entry : fs::ListDirectory(sort)) {
            if (entry.is_directory || entry.name.starts_with('.')) {
                continue;
            }
            if (!EndsWith(entry.name, ".tpl")) {
                return true;
            }
            try {
                const std::vector<std::string> lines = ReadSysLines(entry.path);
                if (lines.size() < 2 || lines[1] != kEmptyPlaylistLine) {
                    return true;
                }
            } catch (const AppError&) {
                return true;
            }
        }
    } catch (const AppError&) {
        return true;  // a folder that cannot be listed may hold anything
    }
    return false;
}

}  // namespace

ConfigFiles::ConfigFiles(std::string app_dir, Settings& settings, EqGains& eq_gains,
                         ConfigLinks& links)
    : app_dir_(std::move(app_dir)), settings_(settings), eq_gains_(eq_gains), links_(links) {}

WindowPosition ConfigFiles::ReadConfig(const std::string& name) {
    ReadConfigFile(name, ReadPathToPl());
    links_.ApolloCommand(kApolloSetVolume, settings_.Volume() * kApolloVolumeFactor);
    return {settings_.WindowLeft, settings_.WindowTop};
}

void ConfigFiles::ReadConfigFile(const std::string& name, const std::optional<Lines>& path_to_pl) {
    ApplyPathToPl(path_to_pl);
    const std::string path = SysFile(app_dir_, name);
    const bool fallback = text::EqualNoCase(name, kLastWorkConf);
    std::string why;
    try {
        if (ApplyConfLines(ReadSysLines(path), settings_, links_)) {
            return;
        }
        why = fmt::format("Settings file \"{}\" ends early or holds a number that does not convert",
                          path);
    } catch (const AppError& e) {
        why = e.what();  // missing or unreadable: fall back as for a file that ends early
    }
    if (!fallback && fs::EntryExists(path)) {
        unread_conf_ = path;
        links_.Note(
            fmt::format("{}; {} is read in its place, and the file is kept beside as "
                        "\"{}.unreadable\" when the settings are saved.",
                        why, kLastWorkConf, fs::FileNameOf(path)));
    }
    if (fallback) {
        ApplyConfigDefaults();
    } else {
        ReadConfigFile(kLastWorkConf, path_to_pl);
    }
}

std::optional<ConfigFiles::Lines> ConfigFiles::ReadPathToPl() {
    const std::string path = SysFile(app_dir_, kPathToPl);
    Lines lines;
    try {
        lines = ReadSysLines(path);
    } catch (const AppError&) {
        // Missing or unreadable: no mark of a first run done.
    }
    if (!lines.empty() && lines[0] == kFirstRunDone) {
        return lines;
    }
    if (!HoldsLibraryOrPlaylists(app_dir_)) {
        return std::nullopt;  // a first run, which has nothing to clear
    }
    links_.ReportError(RewritePathToPl(path));
    return kOrdinaryRunLines;
}

std::string ConfigFiles::RewritePathToPl(const std::string& path) {
    const bool there = fs::EntryExists(path);
    std::string text = fmt::format(
        "Settings file \"{}\" {}. The library and the playlists are kept: this start is no first "
        "run.",
        path, there ? "could not be read or does not mark the first run as done" : "is missing");
    try {
        const std::string aside = fs::KeepBeside(path);
        WriteSysFile(app_dir_, kPathToPl, kOrdinaryRunLines);
        text += " The file is written anew, with no external player";
        text += aside.empty() ? "." : fmt::format("; the old one is kept as \"{}\".", aside);
    } catch (const AppError& e) {
        text += fmt::format(" {}", e.what());
    }
    return text;
}

void ConfigFiles::ApplyPathToPl(const std::optional<Lines>& lines) {
    if (!lines) {
        settings_.FirstRun = true;
        return;
    }
    settings_.PathToApollo = PlayerPath(*lines, 1);
    settings_.PathToWinamp = PlayerPath(*lines, 2);
    if (settings_.PathToApollo == kNone) {
        settings_.Check(Item::mFmod);
    }
}

void ConfigFiles::KeepUnread(std::string& unread, const std::string& path) {
    if (!unread.empty() && unread == path) {
        fs::KeepBeside(path);
        unread.clear();
    }
}

void ConfigFiles::WriteConfig(const std::string& name) {
    KeepUnread(unread_conf_, SysFile(app_dir_, name));
    WriteSysFile(app_dir_, name, ConfLines(settings_));
    if (!KeepsPreset()) {
        KeepUnread(eq_gains_.unusable_file, PresetPath(app_dir_, settings_.PlEqNowFileName));
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
    WriteSysFile(app_dir_, kPathToPl, kOrdinaryRunLines);
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

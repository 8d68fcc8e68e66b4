#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/config_links.h"
#include "config/eq_preset.h"
#include "config/settings.h"

// Reading and writing the settings files of the settings folder: conf.tcf, its read-only
// fallback LastWorkConf.tcf, and PathToPl.tcf (the first-run mark and the external players'
// command lines). The equalizer preset is written with the configuration.
namespace tarvel::config {

struct WindowPosition {
    int left = Settings::kDesignLeft;
    int top = Settings::kDesignTop;
    bool operator==(const WindowPosition&) const = default;
};

class ConfigFiles {
  public:
    ConfigFiles(std::string app_dir, Settings& settings, EqGains& eq_gains, ConfigLinks& links);

    // Reads PathToPl.tcf, then the named file, applying them to the settings; a file that
    // cannot be read to its end falls back silently to LastWorkConf.tcf and then to the
    // defaults, keeping what was already applied. Finally tells a running external player the
    // volume. Returns the saved window position. Never throws for a bad or missing file.
    //
    // A PathToPl.tcf that does not mark the first run as done (missing, damaged, unreadable)
    // starts a first run only when the library folder holds no library and no playlist with
    // songs, which the first run would clear. Otherwise the start is an ordinary one: the error
    // report says so, the file is written anew ("firstRun:=False", no external player) and the
    // old one is kept beside it as PathToPl.tcf.unreadable.
    //
    // A configuration file that is there but cannot be read whole is noted in the log (no message
    // box) and kept: the next WriteConfig moves it beside as NAME.unreadable before writing.
    WindowPosition ReadConfig(const std::string& name);

    // Writes the 24 lines of the current settings to the named file, then the equalizer preset
    // named by PlEqNowFileName. Each file is replaced atomically; a failure throws AppError and
    // leaves the old file whole. A preset file that LoadEQ could not use is not replaced while
    // the equalizer is still flat as that load left it: the user's file is not lost to zeros;
    // once a gain was set, it is moved beside as NAME.unreadable and the preset written.
    void WriteConfig(const std::string& name);

    // PathToPl.tcf marks the first run done and names no external player; the engine becomes
    // BASS; conf.tcf is written.
    void WriteFirstRunFiles();

    // The settings used when neither configuration file can be read.
    void ApplyConfigDefaults();

    // The end of a first run, shortly after start-up: the first-run timer stops, the files of
    // WriteFirstRunFiles are written and the library builder opens.
    void CompleteFirstRun();

  private:
    using Lines = std::vector<std::string>;

    // PathToPl.tcf's lines when the run is an ordinary one; nothing on a first run.
    std::optional<Lines> ReadPathToPl();
    // Writes PathToPl.tcf anew for an ordinary run, keeping the old file beside; returns what
    // the report tells of it.
    std::string RewritePathToPl(const std::string& path);
    void ApplyPathToPl(const std::optional<Lines>& lines);
    void ReadConfigFile(const std::string& name, const std::optional<Lines>& path_to_pl);
    // Moves a file that could not be read beside its name before the first write over it.
    void KeepUnread(std::string& unread, const std::string& path);

    bool KeepsPreset() const;

    std::string app_dir_;
    Settings& settings_;
    EqGains& eq_gains_;
    ConfigLinks& links_;
    // The configuration file that was there at start-up but could not be read whole.
    std::string unread_conf_;
};

}  // namespace tarvel::config

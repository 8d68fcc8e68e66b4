#pragma once

#include <string>

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
    WindowPosition ReadConfig(const std::string& name);

    // Writes the 24 lines of the current settings to the named file, then the equalizer preset
    // named by PlEqNowFileName. Each file is replaced atomically; a failure throws AppError and
    // leaves the old file whole. A preset file that LoadEQ could not use is not replaced while
    // the equalizer is still flat as that load left it: the user's file is not lost to zeros.
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
    void ReadConfigFile(const std::string& name);
    void ReadPathToPl();

    bool KeepsPreset() const;

    std::string app_dir_;
    Settings& settings_;
    EqGains& eq_gains_;
    ConfigLinks& links_;
};

}  // namespace tarvel::config

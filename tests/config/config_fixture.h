#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/config_files.h"
#include "config/config_links.h"
#include "config/eq_preset.h"
#include "config/settings.h"
#include "support/temp_dir.h"

namespace tarvel::config {

// Records what the configuration asks of the engine, the external player and the library, and
// what it reports.
class RecordingLinks : public ConfigLinks {
  public:
    void SetFmodVolume(int volume) override { fmod_volumes.push_back(volume); }
    void ApolloCommand(int command, int value) override { apollo.emplace_back(command, value); }
    void OpenLibraryBuilder() override { ++library_builders; }
    void ReportError(const std::string& text) override { reports.push_back(text); }
    void Note(const std::string& text) override { notes.push_back(text); }

    std::vector<int> fmod_volumes;
    std::vector<std::string> reports;
    std::vector<std::string> notes;
    std::vector<std::pair<int, int>> apollo;
    int library_builders = 0;
};

// An application folder with a settings folder, and the settings read from and written to it.
class ConfigTest : public ::testing::Test {
  protected:
    std::string Sys(const std::string& name) const { return app / ("TvSysFile/" + name); }

    // Writes a settings file, each line ended by CR LF.
    void WriteSys(const std::string& name, const std::vector<std::string>& lines) const {
        std::string bytes;
        for (const auto& line : lines) {
            bytes += line + "\r\n";
        }
        testing::WriteBytes(Sys(name), bytes);
    }

    void WritePathToPl(const std::string& apollo = "None") const {
        WriteSys("PathToPl.tcf",
                 {"firstRun:=False", "PathToApollo:=" + apollo, "PathToWinamp:=None"});
    }

    testing::TempDir app;
    Settings settings;
    EqGains gains;
    RecordingLinks links;
    ConfigFiles files{app.path(), settings, gains, links};
};

}  // namespace tarvel::config

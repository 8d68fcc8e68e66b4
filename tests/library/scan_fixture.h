#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/library_actions.h"
#include "library/progress_display.h"
#include "library/scanner.h"
#include "platform/system/fake_system_services.h"
#include "support/temp_dir.h"

namespace tarvel::library {

// Records what a scan shows, one text a call.
class RecordingDisplay : public ProgressDisplay {
  public:
    void SetBoxText(const std::string& text) override { calls.push_back("box text " + text); }
    void SetBoxVisible(bool visible) override { calls.push_back(Shown("box", visible)); }
    void RepaintBox() override { calls.push_back("box repaint"); }
    void SetGaugeMaximum(int64_t maximum) override {
        calls.push_back("gauge max " + std::to_string(maximum));
    }
    void SetGaugeProgress(int64_t progress) override {
        calls.push_back("gauge " + std::to_string(progress));
    }
    void SetGaugeVisible(bool visible) override { calls.push_back(Shown("gauge", visible)); }
    void RepaintWindow() override { calls.push_back("window repaint"); }

    std::vector<std::string> calls;

  private:
    static std::string Shown(const std::string& what, bool visible) {
        return what + (visible ? " shown" : " hidden");
    }
};

// The bytes of a song file holding these records, one line each.
std::string SongLines(const std::vector<SongRecord>& records);

// An application folder and a music folder in a temporary folder, with the scanner and the
// library actions wired to a recording display and the fake system services.
class ScanTest : public ::testing::Test {
  protected:
    ScanTest();

    // A small MP3: a version-2 tag when artist or title are given, a short stream, and a
    // version-1 tag with the year.
    static std::string Mp3(const std::string& artist, const std::string& title,
                           const std::string& year = "");
    // Writes a file under the music folder and returns its path.
    std::string Music(const std::string& name, const std::string& bytes);
    std::string Library(const std::string& name) const;
    std::string LibraryBytes(const std::string& name) const;
    // The path of the music folder with `name` appended.
    std::string MusicPath(const std::string& name) const;
    // The errors shown through the general error report.
    std::vector<std::string> Reports() const;

    testing::TempDir temp;
    std::string app_dir;
    std::string music_dir;
    RecordingDisplay display;
    system::FakeSystemServices services;
    TagReaders readers;
    TegScan scanner{readers, display, services};
    int refills = 0;
    LibraryActions actions{scanner, services, app_dir, [this] { ++refills; }};
};

}  // namespace tarvel::library

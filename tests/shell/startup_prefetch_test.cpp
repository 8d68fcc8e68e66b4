// The main window made with its skin and artist index read ahead on the start-up thread must be
// the window made without: the same artist items in the same panels and order, the same
// pictures, the same error reports when a file is missing.
#include "shell/startup_prefetch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "controls/c_list_box.h"
#include "controls/mega_image.h"
#include "controls/skin_files.h"
#include "controls/skin_loader.h"
#include "library/library_store.h"
#include "library/song_record.h"
#include "main_window_rig.h"

namespace tarvel {
namespace {

struct Made {
    std::vector<std::vector<QString>> panels;  // ListBox1 and ListBox2 items
    std::vector<QImage> pictures;              // every slot of every picture control
    std::vector<std::string> calls;            // what the platform was asked (error reports)
};

Made MakeWindow(const std::string& app, bool ahead) {
    testing::UseManualSharedEngine();
    system::FakeSystemServices services;
    std::unique_ptr<shell::StartupPrefetch> prefetch;
    if (ahead) {
        prefetch = std::make_unique<shell::StartupPrefetch>(app);
    }
    std::unique_ptr<shell::PlayerRun> run =
        shell::StartRun(services, app, std::make_unique<desktop::FakeDesktop>(), prefetch.get());
    TForm1& form = run->Window();
    Made made;
    for (int n = 1; n <= 2; ++n) {
        std::vector<QString>& items = made.panels.emplace_back();
        for (int row = 0; row < form.Controls().List(n).count(); ++row) {
            items.push_back(form.Controls().List(n).ItemText(row));
        }
    }
    for (const auto* image : form.findChildren<controls::TMegaImage*>()) {
        for (int k = 1; k <= controls::TMegaImage::kSlots; ++k) {
            made.pictures.push_back(image->Picture(k));
        }
    }
    made.calls = services.Calls();
    run.reset();
    // The sound libraries live for the process; each window starts them afresh.
    fmod::FSOUND_Close();
    bass::BASS_Free();
    sound::ResetSharedEngine();
    return made;
}

void WriteIndex(const std::string& app, const std::vector<std::string>& artists) {
    std::filesystem::create_directories(app + "/sort");
    std::vector<std::string> lines;
    for (size_t i = 0; i < artists.size(); ++i) {
        lines.push_back(
            library::ArtistIndexLine(artists[i], "Artist" + std::to_string(i + 1) + ".tft"));
    }
    fs::WriteLines(app + "/sort/ArtName.tan", lines);
}

TEST(StartupPrefetch, GivesTheWindowMadeWithoutIt) {
    testing::TempDir dir;
    ::setenv("TARVEL_WINDOWS_DIR", (dir / "windows").c_str(), 1);
    const std::string app = MakeAppDir(dir);
    // Cyrillic and Latin names, names equal but for case, a name of neither alphabet.
    WriteIndex(app, {"\xC7\xE2\xE5\xE7\xE4\xE0", "Moon", "BEST", "7seas", "Best", "\xE0\xE1\xE2",
                     "best", "Abba"});
    const Made plain = MakeWindow(app, false);
    const Made ahead = MakeWindow(app, true);
    EXPECT_EQ(ahead.panels, plain.panels);
    ASSERT_EQ(plain.panels.at(1).size(), 6u);
    EXPECT_EQ(plain.panels[1][0], "1. 7seas");
    EXPECT_EQ(plain.panels[1][2], "3. BEST");
    EXPECT_EQ(plain.panels[1][3], "4. Best");
    EXPECT_EQ(plain.panels[1][4], "5. best");
    EXPECT_EQ(ahead.pictures, plain.pictures);
    EXPECT_EQ(ahead.calls, plain.calls);
    EXPECT_TRUE(plain.calls.empty());

    // A missing picture and a missing index: the same reports, the same pictures up to the
    // failing one.
    std::filesystem::remove(controls::SkinFilePath(app, controls::kRusArtHeading));
    std::filesystem::remove(app + "/sort/ArtName.tan");
    const Made broken_plain = MakeWindow(app, false);
    const Made broken_ahead = MakeWindow(app, true);
    EXPECT_EQ(broken_ahead.calls, broken_plain.calls);
    EXPECT_FALSE(broken_plain.calls.empty());
    EXPECT_EQ(broken_ahead.pictures, broken_plain.pictures);
    EXPECT_EQ(broken_ahead.panels, broken_plain.panels);
    ::unsetenv("TARVEL_WINDOWS_DIR");
}

}  // namespace
}  // namespace tarvel

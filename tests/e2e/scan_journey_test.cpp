// A library scan of thousands of files through the library menu under a private X server: the
// gauge is seen growing on the screen while the song plays on, and a click on Pause during the
// scan is obeyed before the scan ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::testing {
namespace {

constexpr int kTone = 440;

// The gauge's bar: how many columns of its rectangle are light near its top and its bottom
// edge, where the percentage's text never reaches (a full bar leaves its 1-pixel frame dark).
int FilledColumns(const QImage& gauge) {
    int filled = 0;
    for (int x = 0; x < gauge.width(); ++x) {
        const bool top = qGray(gauge.pixel(x, 2)) > 160;
        const bool bottom = qGray(gauge.pixel(x, gauge.height() - 3)) > 160;
        filled += top && bottom ? 1 : 0;
    }
    return filled;
}

// A bar that is neither empty nor full (the sort shows only those two).
bool PartlyFilled(int filled) {
    return filled > 0 && filled < ControlRect(controls::Main::Gauge1).width() - 2;
}

class ScanJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    void SetUp() override {
        app.WriteSettings({});
        app.WritePl1({MakeToneMp3(app.FilePath("tone"), kTone, 300)});
        tiny = MakeToneMp3(app.FilePath("tiny"), 880, 1);
        answers = app.FilePath("answers.txt");
        ::setenv("TARVEL_PLATFORM_ANSWERS", answers.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("TARVEL_PLATFORM_ANSWERS"); }

    // Adds `count` more files to the music folder: links of a small MP3 (a copy of it for
    // each 10 000, as a file takes only so many links), a folder per 100.
    void AddMusic(int count) {
        for (int i = 0; i < count; ++i, ++files) {
            const std::string source = tiny + "." + std::to_string(files / 10000);
            if (files % 10000 == 0) {
                std::filesystem::copy_file(tiny, source);
            }
            const std::string folder = music + "/" + std::to_string(files / 100);
            std::filesystem::create_directories(folder);
            const std::string name = folder + "/" + std::to_string(files) + ".mp3";
            ASSERT_EQ(::link(source.c_str(), name.c_str()), 0) << name;
        }
    }

    // The main window as it is on the screen now.
    QImage GrabWindow() {
        const std::string png = app.FilePath("grab.png");
        x.Run("import", {"-window", QString::number(window), QString::fromStdString(png)});
        return QImage(QString::fromStdString(png));
    }
    static int Filled(const QImage& shot) {
        return FilledColumns(shot.copy(ControlRect(controls::Main::Gauge1)));
    }
    static QImage PlayButton(const QImage& shot) {
        return shot.copy(ControlRect(controls::Main::ImgPlayPause));
    }
    void MovePointerAway() {
        x.Run("xdotool", {"mousemove", "--window", QString::number(window), "300", "10"});
    }
    size_t LibraryPaths() {
        const std::string path_list = app.FilePath("sort/path.tan");
        return fs::FileExists(path_list) ? fs::ReadLines(path_list).size() : 0;
    }

    std::string music = app.FilePath("music");
    std::string tiny, answers;
    int files = 0;
};

TEST_F(ScanJourney, TheGaugeGrowsWhileTheSongPlaysOnAndPauseIsObeyed) {
    AddMusic(15000);
    {
        std::ofstream lines(answers);  // the folder dialog's answer for each round below
        for (int round = 0; round < 5; ++round) {
            lines << music << "\r\n";
        }
    }
    ASSERT_NO_FATAL_FAILURE(StartPlayer("tone440")) << "the song did not start";
    MovePointerAway();
    const QImage playing_button = PlayButton(GrabWindow());

    // Library menu > Clear Library and Add Files, the folder coming from the answers. Screenshots
    // of the window are taken until the new library is in place; a machine that scans faster than
    // the screenshots come is given more files, until the gauge is seen at work long enough to
    // click Pause in the middle of a scan.
    std::vector<int> widths;
    bool gauge_seen = false, pause_clicked = false, paused_during_scan = false;
    for (int round = 0; round < 5 && !pause_clicked; ++round) {
        if (round > 0) {
            AddMusic(files);  // twice the files
        }
        const bool click_pause = widths.size() >= 5;
        widths.clear();
        const int windows_before = VisibleWindows();
        Click(controls::Main::ImgLibrary);
        ASSERT_TRUE(WaitForMoreWindows(windows_before)) << "the library menu did not open";
        x.Key("Down");  // "Clear Library and Add Files": a full scan, one pass of the gauge
        x.Key("Return");
        QElapsedTimer scan_time;
        scan_time.start();
        while (LibraryPaths() < static_cast<size_t>(files) && scan_time.elapsed() < 120000) {
            const int filled = Filled(GrabWindow());
            if (PartlyFilled(filled)) {
                widths.push_back(filled);
            }
            if (click_pause && widths.size() == 2 && !pause_clicked) {
                pause_clicked = true;
                Click(controls::Main::ImgPlayPause);
                MovePointerAway();
                const QImage after = GrabWindow();
                const bool scanning = LibraryPaths() < static_cast<size_t>(files);
                paused_during_scan =
                    scanning && PlayButton(after) != playing_button && PartlyFilled(Filled(after));
            }
        }
        std::cerr << "scan of " << files << " files: the gauge seen partly filled in "
                  << widths.size() << " screenshots\n";
        if (LibraryPaths() != static_cast<size_t>(files)) {
            x.Screenshot(app.FilePath("stuck.png"));
            std::filesystem::copy_file(app.FilePath("stuck.png"), "/tmp/stuck.png",
                                       std::filesystem::copy_options::overwrite_existing);
        }
        ASSERT_EQ(LibraryPaths(), static_cast<size_t>(files)) << "the scan did not end";
        // A loaded machine may take fewer screenshots than that during a scan: the next round
        // has twice the files.
        if (widths.size() >= 3) {
            gauge_seen = true;
            EXPECT_LT(widths.front(), widths.back()) << "the gauge's bar did not grow";
        }
    }
    ASSERT_TRUE(gauge_seen) << "the gauge was not seen while the scan ran";
    EXPECT_TRUE(pause_clicked) << "the scans were too quick to click Pause during one";
    EXPECT_TRUE(paused_during_scan) << "Pause was not obeyed while the scan ran";

    CloseAndExpectExit();

    // Heard: the tone without a break from the start to the pause, then silence.
    const std::vector<ToneSegment> heard = ToneSegments(wav, {kTone});
    ASSERT_GE(heard.size(), 2u);
    size_t first_tone = 0;
    while (first_tone < heard.size() && heard[first_tone].hz != kTone) {
        ++first_tone;
    }
    ASSERT_LT(first_tone + 1, heard.size());
    EXPECT_GT(heard[first_tone].seconds, 1.0);
    for (size_t i = first_tone + 1; i < heard.size(); ++i) {
        EXPECT_NE(heard[i].hz, kTone) << "the tone came back after the pause";
    }
    EXPECT_EQ(heard.back().hz, 0);
}

}  // namespace
}  // namespace tarvel::testing

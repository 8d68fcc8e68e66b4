#pragma once

// The real run, offscreen, made as the program makes it, with the real engines on the manual
// sound output and the recording platform fakes, and the equalizer and shuffle options windows
// made and wired by the run; stand-ins take the mini player's and the small playlist's places.
// Events go through the window as a user's would.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/c_list_box.h"
#include "library/scan_runner.h"
#include "platform/bass/bass.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/fmod/fmod.h"
#include "platform/fs/line_file.h"
#include "platform/system/fake_system_services.h"
#include "playlists/playlist_model.h"
#include "shell/audio_windows.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"
#include "shell/player_run.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "sound_support/shared_manual.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"
#include "windows/equalizer_window.h"
#include "windows/fmod_window.h"
#include "windows/shuffle_options_window.h"

namespace tarvel {

// An app dir made from the installation tree, after its first run.
inline std::string MakeAppDir(const testing::TempDir& dir) {
    namespace sfs = std::filesystem;
    const std::string app = dir / "app";
    sfs::create_directories(app);
    for (const char* folder : {"TvSysFile", "Pictures", "help"}) {
        sfs::copy(sfs::path(TARVEL_DIST_DIR) / folder, sfs::path(app) / folder,
                  sfs::copy_options::recursive);
    }
    fs::WriteLines(app + "/TvSysFile/PathToPl.tcf",
                   {"firstRun:=False", "PathToApollo:=None", "PathToWinamp:=None"});
    std::vector<std::string> conf = fs::ReadLines(app + "/TvSysFile/LastWorkConf.tcf");
    conf.at(2) = "Loading Player=Auto load PlayList Without auto play";
    fs::WriteLines(app + "/TvSysFile/conf.tcf", conf);
    return app;
}

// A stereo file of a sine at hz, amplitude 0.05 (quiet enough to take +15 dB unclipped), encoded
// as format: "mp3" (lame) or "flac" (flac).
inline std::string QuietTone(const std::string& folder, int hz, int seconds,
                             const std::string& format) {
    const std::string wav = folder + "/tone" + std::to_string(hz) + ".wav";
    const QString out =
        QString::fromStdString(folder + "/tone" + std::to_string(hz) + "." + format);
    testing::WriteWav(wav, 44100, 2, 16,
                      testing::Sine(hz, 0.05, 44100, 2, static_cast<size_t>(seconds) * 44100));
    QProcess encoder;
    if (format == "flac") {
        encoder.start("flac", {"--silent", "--force", "-o", out, QString::fromStdString(wav)});
    } else {
        encoder.start("lame", {"--quiet", "-b", "128", QString::fromStdString(wav), out});
    }
    EXPECT_TRUE(encoder.waitForFinished(30000));
    EXPECT_EQ(encoder.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(encoder.exitCode(), 0);
    return out.toStdString();
}

inline std::string QuietToneMp3(const std::string& folder, int hz, int seconds) {
    return QuietTone(folder, hz, seconds, "mp3");
}

// A song row of the playlist with the given title.
inline std::vector<std::string> Row(const std::string& title) {
    std::vector<std::string> row(library::kCellsPerRow);
    row[library::kArtist] = "Artist";
    row[library::kTitle] = title;
    row[library::kDuration] = "60000";
    row[library::kPath] = "/nowhere/" + title + ".mp3";
    return row;
}

class MainWindowRig : public ::testing::Test {
  protected:
    MainWindowRig() {
        ::setenv("TARVEL_WINDOWS_DIR", (dir / "windows").c_str(), 1);
        auto fake_desktop = std::make_unique<desktop::FakeDesktop>();
        desktop = fake_desktop.get();
        run = shell::StartRun(services, app, std::move(fake_desktop));
        form = &run->Window();
        run->MakeEqualizer();
        equalizer = run->Equalizer();
        run->MakeShuffleOptions();
        shuffle_options = run->ShuffleOptions();
        run->AttachWindowStandIns(&mini, &talik);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    ~MainWindowRig() override {
        run.reset();
        // The sound libraries live for the process; each test starts them afresh.
        fmod::FSOUND_Close();
        bass::BASS_Free();
        sound::ResetSharedEngine();
        ::unsetenv("TARVEL_WINDOWS_DIR");
    }

    shell::MainControls& controls() { return form->Controls(); }
    QWindow* handle() { return form->windowHandle(); }
    QPoint Centre(controls::Main control) { return controls().Widget(control).geometry().center(); }
    // The item texts of ListBox n.
    std::vector<std::string> Items(int n) {
        std::vector<std::string> items;
        for (int i = 0; i < controls().List(n).count(); ++i) {
            items.push_back(controls().List(n).ItemText(i).toStdString());
        }
        return items;
    }
    // The centre of item i (0-based) of ListBox n, in the window.
    QPoint ItemAt(int n, int i) {
        controls::TCListBox& list = controls().List(n);
        const QRect item = list.visualRect(list.model()->index(i, 0));
        return list.viewport()->mapTo(form, item.center());
    }

    void LoadRows(int count, const std::string& title = "Song") {
        library::masTag rows(static_cast<size_t>(count + 2));
        for (int i = 1; i <= count; ++i) {
            rows[static_cast<size_t>(i)] = Row(title + std::to_string(i));
        }
        run->Playlists().InsertSongs(rows, 1, count, 1);
        run->Playlists().FillPlaylistView(0, 1, count);
    }

    // Lets the window's events run until the condition holds; false when it has not come
    // within the limit.
    static bool WaitUntil(const std::function<bool()>& condition, int limit_ms = 20000) {
        QDeadlineTimer limit(limit_ms);
        while (!condition()) {
            if (limit.hasExpired()) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
    // Waits until a scan or a copy running off the window's thread has ended and its outcome
    // has come back to the window.
    bool WaitForBackgroundWork() {
        return WaitUntil([this] { return !run->Background().Busy(); });
    }

    void Wheel(QPoint at, bool down) {
        QWheelEvent wheel(at, handle()->mapToGlobal(at), QPoint(), QPoint(0, down ? -120 : 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QGuiApplication::sendEvent(handle(), &wheel);
    }

    testing::TempDir dir;
    std::string app = MakeAppDir(dir);
    sound::ManualOutput& out = testing::UseManualSharedEngine();
    system::FakeSystemServices services;
    desktop::FakeDesktop* desktop = nullptr;
    QWidget mini;
    QWidget talik;
    std::unique_ptr<shell::PlayerRun> run;
    TForm1* form = nullptr;
    TEqualizer* equalizer = nullptr;
    TSFoptions* shuffle_options = nullptr;
};

}  // namespace tarvel

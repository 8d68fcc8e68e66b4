#pragma once

// The main window of MainWindowRig with the real mini player and small playlist window made and
// wired as the program makes them.
#include <QTest>
#include <QWindow>

#include "shell/main_window_rig.h"
#include "shell/secondary_windows.h"
#include "windows/mini_window.h"
#include "windows/talik_window.h"

namespace tarvel {

class SecondaryWindowsRig : public MainWindowRig {
  protected:
    // Rows whose paths are real songs of the given length (the same tone each).
    void LoadSongs(int count, int seconds = 1) {
        LoadRows(count);
        const std::string song = QuietToneMp3(dir / "songs", 440, seconds);
        for (int i = 1; i <= count; ++i) {
            run->Playlists().Work().Rows[i][library::kPath] = song;
            run->Playlists().Work().Rows[i][library::kDuration] = std::to_string(seconds * 1000);
        }
    }
    // From the main window to the mini player, as ImgMini does.
    void SwitchToMini() {
        run->Commands().SwitchToMini();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&mini_player));
    }
    void ClickMini(controls::Mini control, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(mini_player.windowHandle(), Qt::LeftButton, modifiers,
                          mini_player.Control(control).geometry().center());
    }
    void KeyToMini(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(mini_player.windowHandle(), key, modifiers);
    }

    std::string songs_dir = [this] {
        std::filesystem::create_directories(dir / "songs");
        return std::string(dir / "songs");
    }();
    TMinFrm mini_player{run->AppDir()};
    TTalik small_list{run->AppDir()};
    shell::SecondaryWindows secondary{*run, mini_player, small_list};
};

}  // namespace tarvel

#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::controls {

// The full path of a skin name (see skin_files.h) under the application folder; every part of
// the path is matched regardless of letter case, as the window definitions expect.
std::string SkinFilePath(const std::string& app_dir, std::string_view name);

// Reads one skin picture: JPEG through libjpeg, the mark bitmaps through Qt. A missing or
// unreadable file throws AppError naming its path.
QImage LoadSkinPicture(const std::string& app_dir, std::string_view name);

// A window's skin read apart from the window, on any thread, so that it can be read while the
// window is being made: the steps of LoadWindowSkin in its order, the JPEG pictures decoded. The
// bitmaps are decoded when the skin is applied, on the window's thread (Qt's image readers are
// not to be used from two threads at once).
struct WindowSkin {
    struct Step {
        std::string control;
        int slot = 0;        // 1..6 sets that picture; 0 shows picture 1
        QImage image;        // the decoded picture
        std::string bitmap;  // or the skin name of a bitmap still to decode
    };
    std::string app_dir;
    std::vector<Step> steps;
    // The first failing file's error, which ended the reading; empty when all were read.
    std::string error;
};

// Reads the skin table of a window class for the controls has_control accepts, in the table's
// order, up to the first failing file.
WindowSkin ReadWindowSkin(std::string_view window_class, const std::string& app_dir,
                          const std::function<bool(std::string_view control)>& has_control);
// Takes the steps in order on the window's TMegaImage children (found by object name): the
// first failing file, a bitmap decoded now or the reading's error, throws AppError and ends it.
void ApplyWindowSkin(QWidget& window, const WindowSkin& skin);

// Fills the TMegaImage children of a window (found by object name = control name) from the skin
// table of its window class, then shows picture 1 of each. Controls the window lacks are passed
// over. The first failing file throws AppError and ends the loading.
void LoadWindowSkin(QWidget& window, std::string_view window_class, const std::string& app_dir);

}  // namespace tarvel::controls

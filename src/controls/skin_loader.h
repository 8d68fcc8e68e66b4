#pragma once

#include <QImage>
#include <QWidget>
#include <string>
#include <string_view>

namespace tarvel::controls {

// The full path of a skin name (see skin_files.h) under the application folder; every part of
// the path is matched regardless of letter case, as the window definitions expect.
std::string SkinFilePath(const std::string& app_dir, std::string_view name);

// Reads one skin picture: JPEG through libjpeg, the mark bitmaps through Qt. A missing or
// unreadable file throws AppError naming its path.
QImage LoadSkinPicture(const std::string& app_dir, std::string_view name);

// Fills the TMegaImage children of a window (found by object name = control name) from the skin
// table of its window class, then shows picture 1 of each. Controls the window lacks are passed
// over. The first failing file throws AppError and ends the loading.
void LoadWindowSkin(QWidget& window, std::string_view window_class, const std::string& app_dir);

}  // namespace tarvel::controls

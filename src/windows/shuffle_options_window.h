#pragma once

#include <string>

#include "windows/skin_window.h"

namespace tarvel::config {
class Settings;
}

namespace tarvel {

// The shuffle options window: five share bars, 0 to 100 000, whose thumbs show the shares of the
// shuffle sources in percent. Save stores them (and the shuffle menu's captions follow); Close
// keeps the old shares. Always on top; hidden until opened.
class TSFoptions : public windows::SkinWindow {
    Q_OBJECT
  public:
    TSFoptions(config::Settings& settings, const std::string& app_dir,
               const windows::Report& report = {}, const windows::SkinAhead& skin = {},
               QWidget* parent = nullptr);
    // This window's skin pictures read apart from the window, on any thread, to be handed to
    // its constructor.
    static controls::WindowSkin ReadSkin(const std::string& app_dir);

    // Sets the bars from the shares and shows the window.
    void Options2Click();
    // Stores the bars' shares and hides the window.
    void ImgSaveClick();
    void ImgCloseClick();

  private:
    config::Settings& settings_;
};

}  // namespace tarvel

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
class TSFoptions : public windows::SkinWindowOf<controls::Shuffle> {
    Q_OBJECT
  public:
    TSFoptions(config::Settings& settings, const std::string& app_dir,
               const windows::Report& report = {}, QWidget* parent = nullptr);

    // Sets the bars from the shares and shows the window.
    void Options2Click();
    // Stores the bars' shares and hides the window.
    void ImgSaveClick();
    void ImgCloseClick();

  private:
    config::Settings& settings_;
};

}  // namespace tarvel

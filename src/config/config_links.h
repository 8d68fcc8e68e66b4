#pragma once

#include <functional>
#include <string>

// What reading and writing the settings reaches outside them. The program entry connects these
// to the sound engine, the external player, the library builder and the error report; tests
// record the calls.
namespace tarvel::config {

class ConfigLinks {
  public:
    virtual ~ConfigLinks() = default;
    // The FMOD engine's output volume, 0..255, set as soon as the saved volume is read.
    virtual void SetFmodVolume(int volume) = 0;
    // A command to the external player (nothing happens when it is not running).
    virtual void ApolloCommand(int command, int value) = 0;
    // Opens the library builder as "Clear Library and Add Files" does; the end of a first run.
    virtual void OpenLibraryBuilder() = 0;
    // The application's general error report: a message box with the text.
    virtual void ReportError(const std::string& text) = 0;
    // A line for the program's log (standard error), for what the settings pass over without a
    // message box.
    virtual void Note(const std::string& text) = 0;
};

// The application's general error report: shows the text (UTF-8) to the user.
using ErrorReport = std::function<void(const std::string& text)>;

}  // namespace tarvel::config

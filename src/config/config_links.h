#pragma once

#include <functional>
#include <string>

// What reading and writing the settings reaches outside them. The program entry connects these
// to the sound engine, the external player and the library builder; tests record the calls.
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
};

// The application's general error report: shows the text (UTF-8) to the user.
using ErrorReport = std::function<void(const std::string& text)>;

}  // namespace tarvel::config

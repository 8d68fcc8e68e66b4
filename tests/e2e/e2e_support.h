#pragma once

#include <QProcess>
#include <map>
#include <string>

#include "support/temp_dir.h"

namespace tarvel::testing {

// A user's app dir made from the installation tree, and the environment that runs `tarvel` in it
// with the recording platform fake, no sound, offscreen windows and a private window folder.
class AppDirFixture {
  public:
    AppDirFixture();

    const std::string& AppDir() const { return app_dir_; }
    std::string LogPath() const { return dir_ / "platform.log"; }
    std::string WindowsDir() const { return dir_ / "windows"; }

    // Starts `tarvel` in the app dir (not waiting for it).
    void Start(QProcess& process) const;
    // Waits until the running program's mini player window can be found.
    bool WaitForWindows(QProcess& process) const;

    // Every file below the app dir with its bytes and modification time.
    std::map<std::string, std::string> Snapshot() const;

  private:
    TempDir dir_;
    std::string app_dir_;
};

}  // namespace tarvel::testing

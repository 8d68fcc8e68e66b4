#pragma once

#include "platform/system/system_services.h"

namespace tarvel::system {

// The services of a Linux desktop: programs through QProcess, the default applications through
// QDesktopServices, the file manager and shutdown through D-Bus, Qt's dialogs.
class RealSystemServices : public SystemServices {
  public:
    bool StartProgram(const std::string& command_line, int show_mode) override;
    bool OpenWithDesktop(const std::string& path_or_address) override;
    bool ShowInFolder(const std::string& path) override;
    Answer MessageBox(const std::string& caption, const std::string& text, Buttons buttons,
                      Icon icon = Icon::None) override;
    std::optional<std::string> ChooseFolder(const std::string& caption) override;
    std::optional<std::string> OpenFileDialog(const std::string& caption, const std::string& folder,
                                              const std::string& filter) override;
    std::optional<std::string> SaveFileDialog(const std::string& caption, const std::string& folder,
                                              const std::string& filter) override;
    bool Shutdown(ShutdownKind kind) override;
    // A top-level window of the program is visible (not a menu or a tip).
    bool WindowShown() const override;
};

}  // namespace tarvel::system

#pragma once

#include <optional>
#include <string>

#include "platform/system/system_services.h"

namespace tarvel::tools {

// The system services of the command-line front: the folder dialog answers with the folder
// given on the command line, a message box prints its text to stderr, nothing is started.
class CommandLineServices : public system::SystemServices {
  public:
    explicit CommandLineServices(std::optional<std::string> folder = {})
        : folder_(std::move(folder)) {}

    bool StartProgram(const std::string&, int) override { return false; }
    bool OpenWithDesktop(const std::string&) override { return false; }
    bool ShowInFolder(const std::string&) override { return false; }
    system::Answer MessageBox(const std::string& caption, const std::string& text,
                              system::Buttons buttons, system::Icon icon) override;
    std::optional<std::string> ChooseFolder(const std::string&) override { return folder_; }
    std::optional<std::string> OpenFileDialog(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> SaveFileDialog(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    bool Shutdown(system::ShutdownKind) override { return false; }

  private:
    std::optional<std::string> folder_;
};

}  // namespace tarvel::tools

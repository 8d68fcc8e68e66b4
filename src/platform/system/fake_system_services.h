#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/system/system_services.h"

namespace tarvel::system {

// Records every call instead of reaching the system: one line a call, fields separated by tabs
// ("MessageBox\tcaption\ttext\tbuttons"), kept in Calls() and appended to a log file when one is
// named. Message boxes and dialogs take their answers from a queue: a message box answer is
// "Ok", "Cancel", "Yes" or "No", a dialog answer is a path or "" for cancel. With no answer
// queued a message box gives its first button and a dialog is cancelled. Nothing is started.
class FakeSystemServices : public SystemServices {
  public:
    explicit FakeSystemServices(std::string log_path = {});

    void QueueAnswer(const std::string& answer) { answers_.push_back(answer); }
    // Queues the lines of a file as answers; a missing file queues nothing.
    void QueueAnswersFromFile(const std::string& path);
    const std::vector<std::string>& Calls() const { return calls_; }
    // What the fake reports from StartProgram, OpenWithDesktop, ShowInFolder and Shutdown.
    void SetSucceeds(bool succeeds) { succeeds_ = succeeds; }

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

  private:
    void Record(std::vector<std::string> fields);
    std::optional<std::string> NextAnswer();
    std::optional<std::string> DialogAnswer();

    std::string log_path_;
    std::deque<std::string> answers_;
    std::vector<std::string> calls_;
    bool succeeds_ = true;
};

}  // namespace tarvel::system

#pragma once

#include <memory>
#include <optional>
#include <string>

// Everything the program asks of the system and the desktop besides sound and window messages:
// starting programs, the desktop's default actions, message boxes, file and folder dialogs and
// shutting down. The program gets one SystemServices object; tests and end-to-end runs use the
// recording fake. Texts for the screen are UTF-8; paths are the file system's bytes.
namespace tarvel::system {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

// The button a message box was closed with (the numbers of the Windows message box).
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

enum class Icon { None, Information, Warning, Error, Question };

enum class ShutdownKind { PowerOff, Reboot, LogOff };

// Show modes of a started program's window (SW_... numbers).
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 6;
constexpr int kShowRestore = 9;

class SystemServices {
  public:
    virtual ~SystemServices() = default;

    // Starts a program from a command line (program and arguments separated by spaces, quotes
    // group words). Does not wait for it. False when it could not be started. The show mode is
    // handed to the program in the environment variable TARVEL_SHOW_MODE.
    virtual bool StartProgram(const std::string& command_line, int show_mode) = 0;
    // Opens a file, folder or web address with the desktop's default application.
    virtual bool OpenWithDesktop(const std::string& path_or_address) = 0;
    // Shows a file selected in its folder in the desktop's file manager.
    virtual bool ShowInFolder(const std::string& path) = 0;
    virtual Answer MessageBox(const std::string& caption, const std::string& text, Buttons buttons,
                              Icon icon = Icon::None) = 0;
    // A folder picked by the user, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> ChooseFolder(const std::string& caption) = 0;
    // filter: Qt form, e.g. "Playlists (*.tpl);;All files (*)".
    virtual std::optional<std::string> OpenFileDialog(const std::string& caption,
                                                      const std::string& folder,
                                                      const std::string& filter) = 0;
    virtual std::optional<std::string> SaveFileDialog(const std::string& caption,
                                                      const std::string& folder,
                                                      const std::string& filter) = 0;
    // Asks the system to power off, reboot or end the session. False when it refused.
    virtual bool Shutdown(ShutdownKind kind) = 0;
    // Whether the program shows a window now. Where none is shown, an error report is a line on
    // stderr rather than a message box out of nowhere. The fake always shows (its dialogs
    // record).
    virtual bool WindowShown() const { return true; }
};

// The real services, or the recording fake when TARVEL_PLATFORM=fake (its log is the file
// named by TARVEL_PLATFORM_LOG, its dialog answers come from TARVEL_PLATFORM_ANSWERS).
std::unique_ptr<SystemServices> CreateSystemServices();

// The application's general error report: a message box with the error text, or, where the
// program shows no window, the text as one line on stderr ("tarvel: " and the text).
void ReportError(SystemServices& services, const std::string& text);
// The text with its line breaks made spaces.
std::string OneLine(std::string text);

// Runs an event handler; an AppError it throws ends it and is reported.
template <typename Handler>
void RunReported(SystemServices& services, Handler&& handler);

}  // namespace tarvel::system

#include "platform/error/app_error.h"

template <typename Handler>
void tarvel::system::RunReported(SystemServices& services, Handler&& handler) {
    try {
        handler();
    } catch (const AppError& e) {
        ReportError(services, e.what());
    }
}

#pragma once

#include <functional>
#include <string>

namespace tarvel::system {
class SystemServices;
}

// The command line of the search box: a line starting with a slash or a backslash runs when
// Enter is pressed. The first characters decide, tested in this order:
//   "\\\" or "///" + address   open the web address in the default browser ("http://" put in
//                              front unless the line holds "http");
//   "\\" or "//" + command     start it as a program; when that fails, open it through the
//                              desktop's default action (a folder, a document);
//   "\" or "/" + word          reboot, pause, play, cp, close (exactly so, case-sensitively);
//   anything else              nothing.
namespace tarvel::command {

// What the command words act on.
struct CommandTargets {
    std::function<void()> PlayPause;      // "pause"
    std::function<void()> PlayFromStart;  // "play"
    std::function<void()> ClearPlaylist;  // "cp"
    std::function<void()> SaveOnExit;     // before "close" and "reboot"
    std::function<void()> Close;          // "close": the main window closes, the run ends
};

// Runs the line (UTF-8, as typed). The box is emptied by the caller afterwards, whatever ran.
void RunCommandLine(const std::string& line, system::SystemServices& services,
                    const CommandTargets& targets);

}  // namespace tarvel::command

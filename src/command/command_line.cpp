#include "command/command_line.h"

#include <string_view>

#include "command/shutdown.h"
#include "platform/system/system_services.h"

namespace tarvel::command {
namespace {

void Call(const std::function<void()>& action) {
    if (action) {
        action();
    }
}

void OpenWebAddress(const std::string& line, const std::string& rest,
                    system::SystemServices& services) {
    const std::string address = line.find("http") != std::string::npos ? rest : "http://" + rest;
    if (!services.OpenWithDesktop(address)) {
        services.MessageBox("Tarvel", "No web browser could open " + address, system::Buttons::Ok,
                            system::Icon::Information);
    }
}

void RunProgram(const std::string& rest, system::SystemServices& services) {
    if (!services.StartProgram(rest, system::kShowRestore)) {
        services.OpenWithDesktop(rest);
    }
}

void RunWord(std::string_view word, system::SystemServices& services,
             const CommandTargets& targets) {
    if (word == "reboot") {
        // Powering off ends the run without the window's close: what the run changed is saved
        // first, as a close would.
        Call(targets.SaveOnExit);
        services.Shutdown(system::ShutdownKind::PowerOff);
    } else if (word == "pause") {
        Call(targets.PlayPause);
    } else if (word == "play") {
        Call(targets.PlayFromStart);
    } else if (word == "cp") {
        Call(targets.ClearPlaylist);
    } else if (word == "close") {
        Call(targets.SaveOnExit);
        Call(targets.Close);
    }
}

}  // namespace

void RunCommandLine(const std::string& line, system::SystemServices& services,
                    const CommandTargets& targets) {
    const std::string_view text = line;
    if (text.starts_with("\\\\\\") || text.starts_with("///")) {
        OpenWebAddress(line, line.substr(3), services);
    } else if (text.starts_with("\\\\") || text.starts_with("//")) {
        RunProgram(line.substr(2), services);
    } else if (text.starts_with("\\") || text.starts_with("/")) {
        RunWord(text.substr(1), services, targets);
    }
}

}  // namespace tarvel::command

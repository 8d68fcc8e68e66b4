#include "platform/system/fake_system_services.h"

#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::system {
namespace {

// Keeps a field on one line of the log.
std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

const char* ButtonsName(Buttons b) {
    switch (b) {
        case Buttons::Ok:
            return "Ok";
        case Buttons::OkCancel:
            return "OkCancel";
        case Buttons::YesNo:
            return "YesNo";
        case Buttons::YesNoCancel:
            return "YesNoCancel";
    }
    return "?";
}

const char* ShutdownName(ShutdownKind k) {
    switch (k) {
        case ShutdownKind::PowerOff:
            return "PowerOff";
        case ShutdownKind::Reboot:
            return "Reboot";
        case ShutdownKind::LogOff:
            return "LogOff";
    }
    return "?";
}

}  // namespace

FakeSystemServices::FakeSystemServices(std::string log_path) : log_path_(std::move(log_path)) {}

void FakeSystemServices::QueueAnswersFromFile(const std::string& path) {
    if (path.empty() || !fs::FileExists(path)) {
        return;
    }
    for (const auto& line : fs::ReadLines(path)) {
        answers_.push_back(line);
    }
}

void FakeSystemServices::Record(std::vector<std::string> fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        line += (i == 0 ? "" : "\t") + Escape(fields[i]);
    }
    calls_.push_back(line);
    if (!log_path_.empty()) {
        fs::AppendLine(log_path_, line);
    }
}

std::optional<std::string> FakeSystemServices::NextAnswer() {
    if (answers_.empty()) {
        return std::nullopt;
    }
    std::string answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> FakeSystemServices::DialogAnswer() {
    auto answer = NextAnswer();
    if (!answer || answer->empty()) {
        return std::nullopt;
    }
    return answer;
}

bool FakeSystemServices::StartProgram(const std::string& command_line, int show_mode) {
    Record({"StartProgram", command_line, std::to_string(show_mode)});
    return succeeds_;
}

bool FakeSystemServices::OpenWithDesktop(const std::string& path_or_address) {
    Record({"OpenWithDesktop", path_or_address});
    return succeeds_;
}

bool FakeSystemServices::ShowInFolder(const std::string& path) {
    Record({"ShowInFolder", path});
    return succeeds_;
}

Answer FakeSystemServices::MessageBox(const std::string& caption, const std::string& text,
                                      Buttons buttons, Icon) {
    Record({"MessageBox", caption, text, ButtonsName(buttons)});
    const auto answer = NextAnswer();
    if (answer == "Cancel") {
        return Answer::Cancel;
    }
    if (answer == "Yes") {
        return Answer::Yes;
    }
    if (answer == "No") {
        return Answer::No;
    }
    if (answer == "Ok") {
        return Answer::Ok;
    }
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

std::optional<std::string> FakeSystemServices::ChooseFolder(const std::string& caption) {
    Record({"ChooseFolder", caption});
    return DialogAnswer();
}

std::optional<std::string> FakeSystemServices::OpenFileDialog(const std::string& caption,
                                                              const std::string& folder,
                                                              const std::string& filter) {
    Record({"OpenFileDialog", caption, folder, filter});
    return DialogAnswer();
}

std::optional<std::string> FakeSystemServices::SaveFileDialog(const std::string& caption,
                                                              const std::string& folder,
                                                              const std::string& filter) {
    Record({"SaveFileDialog", caption, folder, filter});
    return DialogAnswer();
}

bool FakeSystemServices::Shutdown(ShutdownKind kind) {
    Record({"Shutdown", ShutdownName(kind)});
    return succeeds_;
}

}  // namespace tarvel::system

#include "platform/desktop/fake_desktop.h"

#include "platform/fs/line_file.h"

namespace tarvel::desktop {

namespace {

// A call with a tip: the tip stays on its line of the log.
std::string WithTip(const char* call, const std::string& tip) {
    std::string line = std::string(call) + '\t';
    for (char c : tip) {
        line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    }
    return line;
}

}  // namespace

FakeDesktop::FakeDesktop(std::string log_path, std::unique_ptr<SystemHotkeys> real_hotkeys)
    : log_path_(std::move(log_path)), real_hotkeys_(std::move(real_hotkeys)) {}

void FakeDesktop::Record(const std::string& line) {
    calls_.push_back(line);
    if (!log_path_.empty()) {
        fs::AppendLine(log_path_, line);
    }
}

void FakeDesktop::FireHotkey(int hotkey) {
    if (hotkey_handler_) {
        hotkey_handler_(hotkey);
    }
}

void FakeDesktop::FireTrayDoubleClick() {
    if (icon_shown_ && on_double_click_) {
        on_double_click_();
    }
}

void FakeDesktop::FireTrayRightClick(ScreenPoint at) {
    if (icon_shown_ && on_right_click_) {
        on_right_click_(at);
    }
}

bool FakeDesktop::RegisterHotkeys(HotkeyHandler handler) {
    Record("RegisterHotkeys");
    hotkey_handler_ = std::move(handler);
    if (real_hotkeys_) {
        real_hotkeys_->Register([this](int hotkey) { FireHotkey(hotkey); });
    }
    return true;
}

void FakeDesktop::UnregisterHotkeys() {
    Record("UnregisterHotkeys");
    hotkey_handler_ = nullptr;
    if (real_hotkeys_) {
        real_hotkeys_->Unregister();
    }
}

void FakeDesktop::AddTrayIcon(const std::string& tip) {
    Record(WithTip("AddTrayIcon", tip));
    icon_shown_ = true;
    tip_ = tip;
}

void FakeDesktop::DeleteTrayIcon() {
    Record("DeleteTrayIcon");
    icon_shown_ = false;
}

void FakeDesktop::SetTrayTip(const std::string& tip) {
    Record(WithTip("SetTrayTip", tip));
    if (icon_shown_) {
        tip_ = tip;
    }
}

void FakeDesktop::OnTrayDoubleClick(std::function<void()> handler) {
    on_double_click_ = std::move(handler);
}

void FakeDesktop::OnTrayRightClick(std::function<void(ScreenPoint)> handler) {
    on_right_click_ = std::move(handler);
}

}  // namespace tarvel::desktop

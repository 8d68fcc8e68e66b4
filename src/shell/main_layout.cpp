#include "shell/main_layout.h"

namespace tarvel::shell {

std::span<const ControlEntry> MainWindowControls() {
    return controls::MainWindowTable().controls;
}

Layout DesignLayout() {
    Layout layout;
    for (const ControlEntry& control : MainWindowControls()) {
        layout.emplace(std::string(control.name), control.rect);
    }
    return layout;
}

}  // namespace tarvel::shell

#include "e2e/control_places.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "shell/layout_rules.h"
#include "windows/equalizer_window.h"
#include "windows/mini_window.h"
#include "windows/talik_window.h"

namespace tarvel::testing {
namespace {

// The main window's layout after the start-up: the shipped settings keep no size change
// (DeltaWidth=0, DeltaHeight=0) and show both artist panels, and the start-up applies that size
// as it applies any other (the playlist tabs, for one, are centred over the playlist then).
const shell::Layout& StartedMainLayout() {
    static const shell::Layout layout = [] {
        shell::Layout started = shell::DesignLayout();
        constexpr bool kList2Shown = true;
        shell::ApplySavedSize(started, shell::StartupDeltaWidth(started, 0, kList2Shown), 0,
                              kList2Shown);
        return started;
    }();
    return layout;
}

std::span<const windows::WindowControl> SecondaryTable(SkinnedWindow window) {
    switch (window) {
        case SkinnedWindow::MiniPlayer:
            return TMinFrm::LayoutTable();
        case SkinnedWindow::SmallPlaylist:
            return TTalik::LayoutTable();
        case SkinnedWindow::Equalizer:
            return TEqualizer::LayoutTable();
        case SkinnedWindow::Main:
            break;
    }
    return {};
}

}  // namespace

QRect ControlRect(SkinnedWindow window, std::string_view name) {
    if (window == SkinnedWindow::Main) {
        const shell::Layout& layout = StartedMainLayout();
        const auto found = layout.find(name);
        if (found != layout.end()) {
            const shell::Rect& r = found->second;
            return QRect(r.left, r.top, r.width, r.height);
        }
    } else {
        for (const windows::WindowControl& control : SecondaryTable(window)) {
            if (control.name == name) {
                return control.rect;
            }
        }
    }
    ADD_FAILURE() << "no control " << name << " in the window's layout table";
    return {};
}

QPoint ControlCentre(SkinnedWindow window, std::string_view name) {
    const QRect r = ControlRect(window, name);
    return {r.left() + r.width() / 2, r.top() + r.height() / 2};
}

QPoint ListRow(SkinnedWindow window, std::string_view list, int row) {
    const QRect r = ControlRect(window, list);
    return {r.left() + r.width() / 2,
            r.top() + row * shell::kListItemHeight + shell::kListItemHeight / 2};
}

}  // namespace tarvel::testing

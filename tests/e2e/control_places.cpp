#include "e2e/control_places.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "controls/window_tables.h"
#include "shell/layout_rules.h"

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

std::span<const controls::ControlRecord> SecondaryTable(SkinnedWindow window) {
    switch (window) {
        case SkinnedWindow::MiniPlayer:
            return controls::MiniPlayerTable().controls;
        case SkinnedWindow::SmallPlaylist:
            return controls::SmallPlaylistTable().controls;
        case SkinnedWindow::Equalizer:
            return controls::EqualizerTable().controls;
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
        for (const controls::ControlRecord& control : SecondaryTable(window)) {
            if (control.name == name) {
                return QRect(control.rect.left, control.rect.top, control.rect.width,
                             control.rect.height);
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

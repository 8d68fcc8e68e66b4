#include "e2e/control_places.h"

#include <gtest/gtest.h>

#include "controls/skin_controls.h"
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

QPoint RowCentre(const QRect& list, int row) {
    return {list.left() + list.width() / 2,
            list.top() + row * shell::kListItemHeight + shell::kListItemHeight / 2};
}

}  // namespace

QRect ControlRect(controls::Main control) {
    const std::string_view name = controls::RecordOf(control).name;
    const shell::Layout& layout = StartedMainLayout();
    const auto found = layout.find(name);
    if (found == layout.end()) {
        ADD_FAILURE() << "the started layout has no " << name;
        return {};
    }
    const shell::Rect& r = found->second;
    return {r.left, r.top, r.width, r.height};
}

QRect ControlRect(controls::Mini control) {
    return controls::ToQRect(controls::RecordOf(control).rect);
}

QRect ControlRect(controls::SmallList control) {
    return controls::ToQRect(controls::RecordOf(control).rect);
}

QRect ControlRect(controls::Eq control) {
    return controls::ToQRect(controls::RecordOf(control).rect);
}

QPoint ListRow(controls::Main list, int row) {
    return RowCentre(ControlRect(list), row);
}

QPoint ListRow(controls::SmallList list, int row) {
    return RowCentre(ControlRect(list), row);
}

}  // namespace tarvel::testing

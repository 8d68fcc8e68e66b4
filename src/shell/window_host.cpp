#include "shell/window_host.h"

#include <QMenu>

#include "shell/main_display.h"
#include "shell/main_menus.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"
#include "windows/window_placement.h"

namespace tarvel::shell {

WindowHost::WindowHost(TForm1& form, PlayerCommands& commands) : form_(form), commands_(commands) {}

void WindowHost::ShowMain() {
    main_visible_ = true;
    RestoreMainNative();
}

void WindowHost::HideMain() {
    main_visible_ = false;
    form_.hide();
}

void WindowHost::HideMainNative() {
    form_.hide();
}

void WindowHost::RestoreMainNative() {
    // The screens may have changed while the window was away.
    windows::KeepWindowOnScreen(form_);
    form_.showNormal();
}

void WindowHost::MinimiseInstead(bool show_mini) {
    if (show_mini && mini != nullptr) {
        mini->showMinimized();
    } else {
        form_.showMinimized();
    }
}

void WindowHost::BringMainToFront() {
    form_.raise();
    form_.activateWindow();
}

void WindowHost::ShowWindowedChildren() {
    for (QWidget* child : form_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden()) {
            child->show();
        }
    }
}

void WindowHost::PopUpTrayMenu(desktop::ScreenPoint at) {
    form_.raise();
    MainMenus::PopUp(*form_.Menus().TrayMenu, QPoint(at.x, at.y));
}

void WindowHost::ShowMini() {
    if (mini != nullptr) {
        windows::KeepWindowOnScreen(*mini);
        mini->showNormal();
    }
}

void WindowHost::HideMini() {
    if (mini != nullptr) {
        mini->hide();
    }
}

void WindowHost::HideTalik() {
    if (talik != nullptr) {
        talik->hide();
    }
}

void WindowHost::PrepareTalikScroller() {
    if (prepare_talik_scroller) {
        prepare_talik_scroller();
    }
}

std::string WindowHost::AppTitle() const {
    return form_.Display().AppTitle();
}

void WindowHost::StepVolume(int delta) {
    commands_.StepVolume(delta);
}

void WindowHost::PlayNext() {
    commands_.Next();
}

void WindowHost::PlayPrevious() {
    commands_.Previous();
}

void WindowHost::PlayPause() {
    commands_.PlayPause();
}

}  // namespace tarvel::shell

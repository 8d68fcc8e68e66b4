#pragma once

#include <QWidget>
#include <functional>

#include "shell/window_states.h"

namespace tarvel {
class TForm1;
}

namespace tarvel::shell {

class PlayerCommands;

// The windows as the window-state rules see them: the main window with its own visible flag
// (kept while it sits in the tray), the mini player and the small playlist window. The hotkeys'
// transport operations run through `commands`, which report once the hotkey has been handled.
class WindowHost : public WindowStateHost {
  public:
    WindowHost(TForm1& form, PlayerCommands& commands);

    // The secondary windows, once they exist.
    QWidget* mini = nullptr;
    QWidget* talik = nullptr;
    // Sets the small playlist's scroll bar for the mini player (its window adds this).
    std::function<void()> prepare_talik_scroller;

    bool MainVisible() const override { return main_visible_; }
    bool MiniVisible() const override { return mini != nullptr && mini->isVisible(); }
    void ShowMain() override;
    void HideMain() override;
    void HideMainNative() override;
    void RestoreMainNative() override;
    void MinimiseInstead(bool show_mini) override;
    void BringMainToFront() override;
    void ShowWindowedChildren() override;
    void PopUpTrayMenu(desktop::ScreenPoint at) override;
    void ShowMini() override;
    void HideMini() override;
    void HideTalik() override;
    void PrepareTalikScroller() override;
    std::string AppTitle() const override;
    void StepVolume(int delta) override;
    void PlayNext() override;
    void PlayPrevious() override;
    void PlayPause() override;

  private:
    TForm1& form_;
    PlayerCommands& commands_;
    bool main_visible_ = true;
};

}  // namespace tarvel::shell

#pragma once

#include <memory>

class QWidget;

namespace tarvel {

class TMinFrm;
class TTalik;

namespace shell {

class DisplayView;
class MiniHost;
class TalikHost;
class ListView;
class PlayerRun;

// The mini player and the small playlist window wired to the run: their buttons, keys and lists
// drive the command surface, and the main window's display reaches their bars, times, title
// strip and list. Lives as long as the two windows; its end unplugs them.
class SecondaryWindows {
  public:
    SecondaryWindows(PlayerRun& run, TMinFrm& mini, TTalik& talik);
    ~SecondaryWindows();

  private:
    PlayerRun& run_;
    std::unique_ptr<MiniHost> mini_host_;
    std::unique_ptr<TalikHost> talik_host_;
    std::unique_ptr<ListView> list6_;
    std::unique_ptr<DisplayView> mini_view_;
    std::unique_ptr<DisplayView> talik_view_;
};

// Keeps the secondary windows above the others without taking the keyboard from the window the
// user is typing in: each visible one is raised, none is activated.
void KeepOnTop(QWidget& window);

}  // namespace shell
}  // namespace tarvel

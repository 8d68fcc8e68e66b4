#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

namespace tarvel::winmsg {
class WindowEndpoint;
}

namespace tarvel::extplayer {

// The external player's equalizer window, titled "Graphic Equalizer". It can be found by that
// title while it is open; the Escape key message closes it.
class EqualizerWindow : public QWidget {
    Q_OBJECT
  public:
    explicit EqualizerWindow(std::function<void(const std::string&)> log);
    ~EqualizerWindow() override;

    // Opens the window (findable from then on).
    void Open();

  protected:
    // Closing hides the window and takes it off the bus until it is opened again.
    void closeEvent(QCloseEvent* event) override;

  private:
    std::function<void(const std::string&)> log_;
    std::unique_ptr<winmsg::WindowEndpoint> endpoint_;
};

}  // namespace tarvel::extplayer

#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "platform/winmsg/messages.h"

namespace tarvel::winmsg {
class WindowEndpoint;
}

namespace tarvel::extplayer {

class ApolloPlayer;
class EqualizerWindow;

// The stand-in external player's main window: registers the class "Apollo - Main Window",
// answers the command messages, plays handed-over files, opens its "Graphic Equalizer" on the
// "e" key message and quits on WM_CLOSE. Every message received is logged when a log file is
// named (TARVEL_EXTPLAYER_LOG), so tests can check what arrived and in which order.
class ApolloWindow : public QWidget {
    Q_OBJECT
  public:
    ApolloWindow(ApolloPlayer& player, std::string log_path);
    ~ApolloWindow() override;

  private:
    int32_t OnMessage(const winmsg::Incoming& message);
    void Log(const std::string& line);
    void ShowEqualizer();
    void Refresh();

    ApolloPlayer& player_;
    std::string log_path_;
    std::unique_ptr<winmsg::WindowEndpoint> endpoint_;
    std::unique_ptr<EqualizerWindow> equalizer_;
    QLabel* file_label_;
    QLabel* time_label_;
    QTimer refresh_;
};

}  // namespace tarvel::extplayer

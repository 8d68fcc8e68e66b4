#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/mpris/media_player.h"
#include "platform/mpris/mpris_service.h"

namespace tarvel {
class TForm1;
}

// The player's place on the desktop beyond its windows: the media controls on the session bus
// and the files handed to it by the command line.
namespace tarvel::shell {

class PlayerCommands;

// The media controls' doors: each request runs the operation the matching button or menu item
// runs, through commands whose boundary reports an AppError once the request has had its answer.
class WindowMediaPlayer : public mpris::MediaPlayer {
  public:
    WindowMediaPlayer(TForm1& form, PlayerCommands& commands) : form_(form), c_(commands) {}

    mpris::PlayerState State() const override;
    void Raise() override;
    void Quit() override;
    void PlayPause() override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void Next() override;
    void Previous() override;
    void SeekTo(int64_t position_us) override;
    void SetVolume(double volume) override;
    bool OpenFiles(const std::vector<std::string>& paths) override;

  private:
    TForm1& form_;
    PlayerCommands& c_;
};

class DesktopMedia : public QObject {
    Q_OBJECT
  public:
    // How often the media controls are told what changed.
    static constexpr int kPublishMs = 100;

    DesktopMedia(TForm1& form,
                 mpris::MprisService::Clock clock = mpris::MprisService::SteadyClock());
    ~DesktopMedia() override;

    // Null when the player runs without the bus.
    mpris::MprisService* Service() { return service_.get(); }

  private:
    WindowMediaPlayer player_;
    std::unique_ptr<mpris::MprisService> service_;
    QTimer publish_timer_;
};

// At start-up: the media controls on the bus, and the files of this start's command line added
// and the first played.
std::unique_ptr<DesktopMedia> ConnectDesktopMedia(TForm1& form,
                                                  const std::vector<std::string>& files);

}  // namespace tarvel::shell

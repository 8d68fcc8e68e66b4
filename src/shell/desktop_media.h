#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/mpris/media_player.h"
#include "platform/mpris/mpris_service.h"

namespace tarvel::config {
class Settings;
}
namespace tarvel::playlists {
class PlaylistModel;
}

// The player's place on the desktop beyond its windows: the media controls on the session bus
// and the files handed to it by the command line.
namespace tarvel::shell {

class PlayerCommands;
class PlayerRun;

// The media controls' doors: each request runs the operation the matching button or menu item
// runs, through commands whose boundary reports an AppError once the request has had its answer.
class WindowMediaPlayer : public mpris::MediaPlayer {
  public:
    WindowMediaPlayer(const playlists::PlaylistModel& playlists, const config::Settings& settings,
                      PlayerCommands& commands)
        : playlists_(playlists), settings_(settings), c_(commands) {}

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
    const playlists::PlaylistModel& playlists_;
    const config::Settings& settings_;
    PlayerCommands& c_;
};

class DesktopMedia : public QObject {
    Q_OBJECT
  public:
    DesktopMedia(const playlists::PlaylistModel& playlists, const config::Settings& settings,
                 PlayerCommands& commands,
                 mpris::MprisService::Clock clock = mpris::MprisService::SteadyClock());
    ~DesktopMedia() override;

    // Null when the player runs without the bus.
    mpris::MprisService* Service() { return service_.get(); }

  private:
    WindowMediaPlayer player_;
    std::unique_ptr<mpris::MprisService> service_;
};

// At start-up: the media controls on the bus, their requests run through the run's commands
// that report once the request has had its answer.
std::unique_ptr<DesktopMedia> StartDesktopMedia(PlayerRun& run);

}  // namespace tarvel::shell

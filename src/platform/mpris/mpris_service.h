#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/mpris/media_player.h"

// The player on the session bus as org.mpris.MediaPlayer2.<name>, so that the desktop's media
// keys, its lock screen and `playerctl` can see and drive it.
namespace tarvel::mpris {

class MprisObject;
class PlayerAdaptor;

class MprisService : public QObject {
    Q_OBJECT
  public:
    // A monotonic clock in microseconds; the jump check of Publish measures with it.
    using Clock = std::function<int64_t()>;
    static Clock SteadyClock();

    // Registers the bus name and the object /org/mpris/MediaPlayer2. Without a session bus, or
    // when the name is taken, says so once on stderr and returns nothing: the player runs on
    // without media controls.
    static std::unique_ptr<MprisService> Start(MediaPlayer& player, const std::string& name,
                                               const std::string& desktop_entry,
                                               Clock clock = SteadyClock());
    ~MprisService() override;

    // Looks at the player: emits PropertiesChanged with every published property that changed
    // since the last look, and Seeked when the position jumped. The program calls it on a timer
    // and after every request from the bus.
    void Publish();
    // Announces a new position of the same song (after a seek asked for over the bus).
    void AnnounceSeek();

    MediaPlayer& Player() { return player_; }
    const std::string& DesktopEntry() const { return desktop_entry_; }

  private:
    MprisService(MediaPlayer& player, std::string service, std::string desktop_entry, Clock clock);

    MediaPlayer& player_;
    std::string service_;
    std::string desktop_entry_;
    Clock clock_;
    MprisObject* root_object_ = nullptr;
    PlayerAdaptor* player_adaptor_ = nullptr;
    PlayerState published_;
    int64_t published_at_us_ = 0;
    bool registered_ = false;
};

}  // namespace tarvel::mpris

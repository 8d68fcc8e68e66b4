#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The player as the desktop's media controls see it: plain values and the operations a media
// key, a lock screen or `playerctl` can ask for. Texts are UTF-8; times are microseconds.
namespace tarvel::mpris {

enum class Status { Playing, Paused, Stopped };

// The song the player stands on.
struct Track {
    // A D-Bus object path naming the song while it is current.
    std::string id;
    int64_t length_us = 0;
    std::string title;
    std::string artist;
    std::string album;
    // A file:// address; empty for a song that is no file (a CD track).
    std::string url;

    friend bool operator==(const Track&, const Track&) = default;
};

// Everything the desktop is told about without asking, and the position, which it asks for.
struct PlayerState {
    Status status = Status::Stopped;
    std::optional<Track> track;
    double volume = 0.0;  // 0.0 .. 1.0
    bool can_go_next = false;
    bool can_go_previous = false;
    bool can_play = false;
    bool can_pause = false;
    bool can_seek = false;
    int64_t position_us = 0;
};

// What the desktop can ask the player to do; the player runs each request on its user-interface
// thread, through the operations its own buttons use.
class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;

    virtual PlayerState State() const = 0;

    virtual void Raise() = 0;
    virtual void Quit() = 0;

    virtual void PlayPause() = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void Next() = 0;
    virtual void Previous() = 0;
    // Moves to an absolute position of the current song (microseconds).
    virtual void SeekTo(int64_t position_us) = 0;
    // 0.0 .. 1.0; the bus's NaN, infinities and values outside never reach the player.
    virtual void SetVolume(double volume) = 0;
    // Adds the local files to the playlist and plays the first; false when there is none.
    virtual bool OpenFiles(const std::vector<std::string>& paths) = 0;
};

}  // namespace tarvel::mpris

#pragma once

#include <cstdint>
#include <string>

#include "platform/sound/engine.h"

namespace tarvel::extplayer {

// The playing part of the stand-in external player: one file at a time on the sound core,
// driven by the command numbers of its window messages.
class ApolloPlayer {
  public:
    // plugin_dir: the player's own folder; audio-CD tracks play only when
    // <plugin_dir>/Plug-ins/CDReader.dll exists.
    ApolloPlayer(sound::Engine& engine, std::string plugin_dir);
    ~ApolloPlayer();

    // Opens the file and plays it from the start; false (and nothing plays) when it cannot.
    bool OpenAndPlay(const std::string& path);

    // Answers a command: 1 play state, 9 and 11 stop, 13 pause/resume, 18 seek to ms,
    // 19 position in ms, 20 volume 0..65535. Unknown commands answer 0.
    int32_t Command(int32_t number, int32_t value);

    // On a manual sound output (TARVEL_AUDIO=manual, for tests), renders the next ms
    // milliseconds and answers 1; on any other output does nothing and answers 0.
    int32_t AdvanceClock(int32_t ms);

    // 0 stopped or ended, 1 playing, 2 paused.
    int32_t State() const;
    int32_t PositionMs() const;
    const std::string& CurrentFile() const { return file_; }

  private:
    void Close();

    sound::Engine& engine_;
    std::string plugin_dir_;
    sound::ChannelId channel_ = 0;
    float volume_ = 1.0f;
    std::string file_;
};

// The track number of a CD track name "TrackNN.cda" (any folder, any letter case), or 0.
int CdTrackNumber(const std::string& path);

}  // namespace tarvel::extplayer

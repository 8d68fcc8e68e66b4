#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/fmod/fmod.h"

namespace tarvel::system {
class SystemServices;
}

namespace tarvel::audio {

// What the FMOD engine shows: the CD track label of the module player window.
class FmodDisplay {
  public:
    virtual ~FmodDisplay() = default;
    virtual void SetCdTrackText(const std::string& text) = 0;
};

// One slot of the module player's table; the engine procedures use slot 0 only.
struct FmodSlot {
    FMUSIC_MODULE* module = nullptr;
    FSOUND_STREAM* stream = nullptr;
    std::int32_t channel = -1;
    bool playing = false;
};

// The FMOD engine procedures. kind is the playlist entry's kind: "CD" (compared exactly) for an
// audio-CD track on drive 0, anything else for a file. Failures are shown in message boxes.
class FmodEngine {
  public:
    // volume_position: the main volume bar's position (0..771), read when a song starts.
    FmodEngine(system::SystemServices& services, FmodDisplay& display,
               std::function<int()> volume_position,
               std::function<float()> library_version = fmod::FSOUND_GetVersion);

    // The window's creation handler. False (after the "Version mismatch" box) when the library
    // is older than 3.71: the program must end. A failed set-up shows the "Initialization" box
    // and throws AppError.
    bool Initialise(void* window);

    void FmodPlay(const std::string& kind, const std::string& path, std::int32_t track);
    void FmodStop(const std::string& kind);
    void FmodPause(const std::string& kind, bool pause);
    void FmodSetVolume(const std::string& kind, std::int32_t volume);  // 0..255
    void FmodSetTime(const std::string& kind, std::int32_t ms);
    std::int32_t FmodGetTime(const std::string& kind);
    void FmodGetState(const std::string& kind, std::int32_t& state);
    void FmodGetCDTrackLengths(std::vector<std::int32_t>& lengths);
    void FmodCDRefresh();

    // One tick of the window's timer tmrMain (interval ms).
    void TimerTick(int interval);

    static std::string FmodErrorText(int code);

    // The volume leveling gain (linear amplitude) of the streams the next plays start; 1 leaves
    // them as they are. Modules and CD tracks are never leveled.
    void SetLeveling(float gain) { leveling_ = gain; }

    std::array<FmodSlot, 512> Slots{};
    std::int32_t CdTrack = 0;
    std::int32_t CdTrackCount = 0;
    bool CdPaused = false;
    bool CdPlaying = false;
    int TimerTag = 0;

  private:
    std::int32_t ScaledVolume() const;
    void ShowError(const std::string& caption);

    system::SystemServices& services_;
    FmodDisplay& display_;
    std::function<int()> volume_position_;
    std::function<float()> library_version_;
    float leveling_ = 1.0f;
};

}  // namespace tarvel::audio

#include "audio/fmod_engine.h"

#include <fmt/format.h>

#include <cmath>

#include "platform/error/app_error.h"
#include "platform/system/system_services.h"

namespace tarvel::audio {

using namespace tarvel::fmod;

namespace {

constexpr float kApiVersion = 3.71f;
constexpr unsigned kStreamMode = 304;  // 16-bit, signed, mono: the library's normal mode
constexpr float kPanSeparation = 0.15f;

bool IsCd(const std::string& kind) {
    return kind == "CD";
}

BOOL8 Flag(bool on) {
    return on ? -1 : 0;
}

}  // namespace

FmodEngine::FmodEngine(system::SystemServices& services, FmodDisplay& display,
                       std::function<int()> volume_position, std::function<float()> library_version)
    : services_(services),
      display_(display),
      volume_position_(std::move(volume_position)),
      library_version_(std::move(library_version)) {}

std::string FmodEngine::FmodErrorText(int code) {
    static const char* const kTexts[] = {
        "No errors",
        "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first",
        "This command failed because FSOUND_Init was not called",
        "Error initializing output device",
        "The output device is already in use and cannot be reused",
        "Playing the sound failed",
        "Soundcard does not support the features needed for this soundsystem (16bit stereo output)",
        "Error setting cooperative level for hardware",
        "Error creating hardware sound buffer",
        "File not found",
        "Unknown file format",
        "Error loading file",
        "Not enough memory or resources",
        "The version number of this file format is not supported",
        "An invalid parameter was passed to this function",
        "Tried to use an EAX command on a non EAX enabled channel or output",
        "Failed to allocate a new channel",
        "Recording is not supported on this machine",
        "Required Mediaplayer codec is not installed",
    };
    return code >= 0 && code < static_cast<int>(std::size(kTexts)) ? kTexts[code] : "Unknown error";
}

void FmodEngine::ShowError(const std::string& caption) {
    services_.MessageBox(caption, FmodErrorText(FSOUND_GetError()), system::Buttons::Ok,
                         system::Icon::Error);
}

std::int32_t FmodEngine::ScaledVolume() const {
    // Round to nearest, ties to even (the default rounding mode).
    return static_cast<std::int32_t>(std::nearbyint(volume_position_() / 3.1));
}

bool FmodEngine::Initialise(void* window) {
    const float version = library_version_();
    if (version < kApiVersion) {
        services_.MessageBox("Version mismatch",
                             fmt::format("API version {:3.2f} is newer than DLL version {:3.2f}",
                                         kApiVersion, version),
                             system::Buttons::Ok, system::Icon::Error);
        return false;
    }
    try {
        if (!FSOUND_SetOutput(FSOUND_OUTPUT_WINMM)) {
            throw AppError("FSOUND_SetOutput failed");
        }
        if (!FSOUND_SetDriver(0)) {
            throw AppError("FSOUND_SetDriver failed");
        }
        if (!FSOUND_SetMixer(FSOUND_MIXER_QUALITY_MMXP6)) {
            throw AppError("FSOUND_SetMixer failed");
        }
        if (!FSOUND_SetHWND(window)) {
            throw AppError("FSOUND_SetHWND failed");
        }
        FSOUND_Init(44100, 128, 0);
    } catch (const AppError&) {
        ShowError("Initialization");
        throw;
    }
    Slots.fill(FmodSlot{});
    CdTrack = 0;
    CdTrackCount = 0;
    CdPaused = false;
    CdPlaying = false;
    FSOUND_SetVolume(FSOUND_ALL, ScaledVolume());
    return true;
}

void FmodEngine::FmodPlay(const std::string& kind, const std::string& path, std::int32_t track) {
    FmodStop("");
    if (FSOUND_CD_GetTrack(0) != 0) {
        FmodStop("CD");
    }
    if (IsCd(kind)) {
        FSOUND_CD_SetPlayMode(0, FSOUND_CD_PLAYONCE);
        FSOUND_CD_Play(0, track);
        // The track plays at the volume bar's level, not at the drive's full volume.
        FSOUND_CD_SetVolume(0, ScaledVolume());
        CdPaused = false;
        CdPlaying = true;
        return;
    }
    FmodStop(kind);
    FmodSetVolume(kind, ScaledVolume());

    FmodSlot& slot = Slots[0];
    // The previous file of the slot is released before the next one is loaded: nothing else
    // would ever free it.
    if (slot.module != nullptr) {
        FMUSIC_FreeSong(slot.module);
    }
    if (slot.stream != nullptr) {
        FSOUND_Stream_Close(slot.stream);
    }
    slot = FmodSlot{};

    FMUSIC_MODULE* module = FMUSIC_LoadSong(path.c_str());
    FSOUND_STREAM* stream = nullptr;
    if (module == nullptr) {
        stream = FSOUND_Stream_Open(path.c_str(), kStreamMode, 0, 0);
        if (stream != nullptr) {
            FSOUND_Stream_SetLeveling(stream, leveling_);
        }
    }
    if (module == nullptr && stream == nullptr) {
        // Nothing plays after a failed load: the slot stays empty.
        ShowError("Load error");
    } else {
        if (module != nullptr) {
            FMUSIC_SetMasterVolume(module, 255);
            const int type = FMUSIC_GetType(module);
            if (type == FMUSIC_TYPE_MOD || type == FMUSIC_TYPE_S3M) {
                FMUSIC_SetPanSeperation(module, kPanSeparation);
            }
        }
        slot.module = module;
        slot.stream = stream;
        slot.playing = false;
    }

    if (slot.module != nullptr) {
        slot.playing = FMUSIC_PlaySong(slot.module) != 0;
        if (!slot.playing) {
            ShowError("Play song");
        }
    } else if (slot.stream != nullptr) {
        slot.channel = FSOUND_Stream_Play(FSOUND_FREE, slot.stream);
        slot.playing = slot.channel >= 0;
        if (slot.playing) {
            FSOUND_SetPan(slot.channel, -1);
            FSOUND_SetVolume(slot.channel, 255);
        } else {
            ShowError("Play stream");
        }
    }
    FSOUND_SetVolume(FSOUND_ALL, ScaledVolume());
}

void FmodEngine::FmodStop(const std::string& kind) {
    if (IsCd(kind)) {
        FSOUND_CD_Stop(0);
        return;
    }
    FmodSlot& slot = Slots[0];
    if (slot.module != nullptr) {
        FMUSIC_StopSong(slot.module);
    } else {
        FSOUND_Stream_Stop(slot.stream);
    }
    slot.channel = -1;
    slot.playing = false;
}

void FmodEngine::FmodPause(const std::string& kind, bool pause) {
    if (IsCd(kind)) {
        FSOUND_CD_SetPaused(0, Flag(pause));
    } else {
        FSOUND_SetPaused(FSOUND_ALL, Flag(pause));
    }
}

void FmodEngine::FmodSetVolume(const std::string& kind, std::int32_t volume) {
    if (IsCd(kind)) {
        FSOUND_CD_SetVolume(0, volume);
    } else {
        FSOUND_SetVolume(FSOUND_ALL, volume);
    }
}

void FmodEngine::FmodSetTime(const std::string& kind, std::int32_t ms) {
    if (IsCd(kind)) {
        FSOUND_CD_SetTrackTime(0, static_cast<unsigned>(std::max(ms, 0)));
    } else {
        FSOUND_Stream_SetTime(Slots[0].stream, ms);
    }
}

std::int32_t FmodEngine::FmodGetTime(const std::string& kind) {
    if (IsCd(kind)) {
        return FSOUND_CD_GetTrackTime(0);
    }
    // A module has no stream: its own clock gives its time.
    if (Slots[0].module != nullptr) {
        return FMUSIC_GetTime(Slots[0].module);
    }
    return FSOUND_Stream_GetTime(Slots[0].stream);
}

void FmodEngine::FmodGetState(const std::string& kind, std::int32_t& state) {
    state = 0;
    if (IsCd(kind)) {
        if (FSOUND_CD_GetTrack(0) != 0) {
            state = 1;
            if (FSOUND_CD_GetPaused(0)) {
                state = 2;
            }
        }
        return;
    }
    const FmodSlot& slot = Slots[0];
    if (slot.module != nullptr) {
        // A module plays on no stream channel; asking the channel would end it at once.
        if (FMUSIC_IsPlaying(slot.module)) {
            state = FMUSIC_GetPaused(slot.module) ? 2 : 1;
        }
        return;
    }
    if (FSOUND_IsPlaying(slot.channel)) {
        state = 1;
        if (FSOUND_GetPaused(slot.channel)) {
            state = 2;
        }
    }
}

void FmodEngine::FmodGetCDTrackLengths(std::vector<std::int32_t>& lengths) {
    FmodCDRefresh();
    lengths.clear();
    for (int track = 1; track <= CdTrackCount; ++track) {
        lengths.push_back(FSOUND_CD_GetTrackLength(0, track));
    }
}

void FmodEngine::FmodCDRefresh() {
    CdTrack = FSOUND_CD_GetTrack(0);
    CdTrackCount = FSOUND_CD_GetNumTracks(0);
    display_.SetCdTrackText(fmt::format("{:02d}/{:02d}", CdTrack, CdTrackCount));
}

void FmodEngine::TimerTick(int interval) {
    // The window's spectrum panel is never shown; the data is fetched as the panel would.
    FSOUND_DSP_GetSpectrum();
    TimerTag += interval;
    if (TimerTag > 1000) {
        TimerTag = 0;
        FmodCDRefresh();
    }
}

}  // namespace tarvel::audio

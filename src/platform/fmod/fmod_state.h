// The state shared by the sound-library calls of this folder, and the lookups they share.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/fmod/fmod.h"
#include "platform/sound/decoders.h"
#include "platform/sound/engine.h"
#include "platform/sound/openmpt_decoder.h"
#include "platform/sound/sound_error.h"

namespace tarvel::fmod::detail {

inline constexpr BOOL8 kTrue = 1;
inline constexpr BOOL8 kFalse = 0;

struct Stream {
    sound::ChannelId id = 0;
    int channel = -1;  // the channel it plays on, -1 when none
};

struct Module {
    sound::ChannelId id = 0;
    int type = FMUSIC_TYPE_NONE;
    int volume = 255;  // the channels' volume (FSOUND_SetVolume of every channel)
    int master = 255;
    float separation = 1.0f;
    sound::StereoSeparation separation_control;  // the decoder's, applied as it renders
    bool started = false;
};

struct ChannelSlot {
    std::uintptr_t stream = 0;  // 0: free
    int volume = 255;
};

struct Cd {
    sound::ChannelId id = 0;
    int track = 0;
    int volume = 255;
    int mode = FSOUND_CD_PLAYONCE;
};

struct State {
    std::mutex mutex;
    bool initialised = false;
    int output = FSOUND_OUTPUT_WINMM;
    sound::Engine* engine = nullptr;
    std::unique_ptr<sound::Engine> own_engine;  // no-sound output
    std::map<std::uintptr_t, Stream> streams;
    std::map<std::uintptr_t, Module> modules;
    std::vector<ChannelSlot> channels;
    std::uintptr_t next = 1;
    Cd cd;
    std::array<float, 512> spectrum{};
};

inline State& S() {
    static State state;
    return state;
}

inline int last_error = FMOD_ERR_NONE;

template <typename T>
T Fail(int code, T result) {
    last_error = code;
    return result;
}

inline float Amplitude(int volume) {
    return static_cast<float>(std::clamp(volume, 0, 255)) / 255.0f;
}

inline Stream* FindStream(State& s, FSOUND_STREAM* handle) {
    const auto it = s.streams.find(reinterpret_cast<std::uintptr_t>(handle));
    return s.initialised && it != s.streams.end() ? &it->second : nullptr;
}

inline Module* FindModule(State& s, FMUSIC_MODULE* handle) {
    const auto it = s.modules.find(reinterpret_cast<std::uintptr_t>(handle));
    return s.initialised && it != s.modules.end() ? &it->second : nullptr;
}

// The stream on a channel number, or nullptr.
inline Stream* OnChannel(State& s, int channel) {
    if (!s.initialised || channel < 0 || channel >= static_cast<int>(s.channels.size()) ||
        s.channels[static_cast<std::size_t>(channel)].stream == 0) {
        return nullptr;
    }
    return &s.streams.at(s.channels[static_cast<std::size_t>(channel)].stream);
}

// Runs `act(state, object)` under the lock on what `find` looks up, or fails with
// FMOD_ERR_INVALID_PARAM and `failed` when it finds nothing.
template <typename R, typename Find, typename Act>
R WithFound(Find find, R failed, Act act) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    auto* found = find(s);
    return found == nullptr ? Fail(FMOD_ERR_INVALID_PARAM, failed) : act(s, *found);
}

inline void ApplyModuleVolume(State& s, const Module& m) {
    s.engine->SetVolume(m.id, Amplitude(m.volume) * Amplitude(m.master));
}

inline int ErrorOf(const sound::SoundError& e) {
    switch (e.fault()) {
        case sound::SoundFault::NotFound:
            return FMOD_ERR_FILE_NOTFOUND;
        case sound::SoundFault::UnknownFormat:
            return FMOD_ERR_FILE_FORMAT;
        case sound::SoundFault::ReadError:
        case sound::SoundFault::NoDevice:
            return FMOD_ERR_FILE_BAD;
        case sound::SoundFault::BadArgument:
            break;
    }
    return FMOD_ERR_INVALID_PARAM;
}

// Opens a decoder outside the lock; null (error set) when it cannot.
template <typename OpenDecoder>
std::unique_ptr<sound::Decoder> OpenOrFail(OpenDecoder open) {
    {
        State& s = S();
        std::lock_guard lock(s.mutex);
        if (!s.initialised) {
            return Fail<std::unique_ptr<sound::Decoder>>(FMOD_ERR_UNINITIALIZED, nullptr);
        }
    }
    try {
        return open();
    } catch (const sound::SoundError& e) {
        return Fail<std::unique_ptr<sound::Decoder>>(ErrorOf(e), nullptr);
    } catch (const AppError&) {
        return Fail<std::unique_ptr<sound::Decoder>>(FMOD_ERR_FILE_BAD, nullptr);
    }
}

inline int MsOf(std::int64_t frames) {
    return frames < 0 ? -1 : static_cast<int>(frames * 1000 / 44100);
}
// Rounded up, so that the time read back after a seek is the time asked for.
inline std::int64_t FramesOf(std::int64_t ms) {
    return (ms * 44100 + 999) / 1000;
}

inline void StopCd(State& s) {
    if (s.cd.id != 0) {
        s.engine->Free(s.cd.id);
    }
    s.cd.id = 0;
    s.cd.track = 0;
}

}  // namespace tarvel::fmod::detail

#include "platform/fmod/fmod.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound/cd_disc.h"
#include "platform/sound/decoders.h"
#include "platform/sound/engine.h"
#include "platform/sound/openmpt_decoder.h"
#include "platform/sound/output.h"
#include "platform/sound/sound_error.h"

namespace tarvel::fmod {

namespace {

constexpr BOOL8 kTrue = 1;
constexpr BOOL8 kFalse = 0;

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

State& S() {
    static State state;
    return state;
}

int last_error = FMOD_ERR_NONE;

template <typename T>
T Fail(int code, T result) {
    last_error = code;
    return result;
}

float Amplitude(int volume) {
    return static_cast<float>(std::clamp(volume, 0, 255)) / 255.0f;
}

Stream* FindStream(State& s, FSOUND_STREAM* handle) {
    const auto it = s.streams.find(reinterpret_cast<std::uintptr_t>(handle));
    return s.initialised && it != s.streams.end() ? &it->second : nullptr;
}

Module* FindModule(State& s, FMUSIC_MODULE* handle) {
    const auto it = s.modules.find(reinterpret_cast<std::uintptr_t>(handle));
    return s.initialised && it != s.modules.end() ? &it->second : nullptr;
}

// The stream on a channel number, or nullptr.
Stream* OnChannel(State& s, int channel) {
    if (!s.initialised || channel < 0 || channel >= static_cast<int>(s.channels.size()) ||
        s.channels[static_cast<std::size_t>(channel)].stream == 0) {
        return nullptr;
    }
    return &s.streams.at(s.channels[static_cast<std::size_t>(channel)].stream);
}

void ApplyModuleVolume(State& s, const Module& m) {
    s.engine->SetVolume(m.id, Amplitude(m.volume) * Amplitude(m.master));
}

int ErrorOf(const sound::SoundError& e) {
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

int TypeOf(const std::string& name) {
    if (name == "mod") {
        return FMUSIC_TYPE_MOD;
    }
    if (name == "s3m") {
        return FMUSIC_TYPE_S3M;
    }
    if (name == "xm") {
        return FMUSIC_TYPE_XM;
    }
    if (name == "it") {
        return FMUSIC_TYPE_IT;
    }
    return FMUSIC_TYPE_NONE;
}

int MsOf(std::int64_t frames) {
    return frames < 0 ? -1 : static_cast<int>(frames * 1000 / 44100);
}
// Rounded up, so that the time read back after a seek is the time asked for.
std::int64_t FramesOf(std::int64_t ms) {
    return (ms * 44100 + 999) / 1000;
}

// Set-up calls share this: allowed only before FSOUND_Init.
BOOL8 BeforeInit(const std::function<bool(State&)>& apply) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (s.initialised) {
        return Fail(FMOD_ERR_BUSY, kFalse);
    }
    return apply(s) ? kTrue : Fail(FMOD_ERR_INVALID_PARAM, kFalse);
}

void StopCd(State& s) {
    if (s.cd.id != 0) {
        s.engine->Free(s.cd.id);
    }
    s.cd.id = 0;
    s.cd.track = 0;
}

}  // namespace

float FSOUND_GetVersion() {
    return 3.75f;
}

int FSOUND_GetError() {
    return last_error;
}

BOOL8 FSOUND_SetOutput(int output) {
    return BeforeInit([output](State& s) {
        s.output = output;
        return output >= 0;
    });
}

BOOL8 FSOUND_SetDriver(int driver) {
    return BeforeInit([driver](State&) { return driver == 0; });
}

BOOL8 FSOUND_SetMixer(int mixer) {
    return BeforeInit([mixer](State&) { return mixer >= 0 && mixer <= 8; });
}

BOOL8 FSOUND_SetHWND(void*) {
    return BeforeInit([](State&) { return true; });
}

BOOL8 FSOUND_Init(int mixrate, int maxchannels, unsigned) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (s.initialised) {
        return Fail(FMOD_ERR_BUSY, kFalse);
    }
    if (mixrate != 44100 || maxchannels < 1 || maxchannels > 1024) {
        return Fail(FMOD_ERR_INIT, kFalse);
    }
    if (s.output == FSOUND_OUTPUT_NOSOUND) {
        s.own_engine = std::make_unique<sound::Engine>(sound::CreateOutput("null"));
        s.engine = s.own_engine.get();
    } else {
        s.engine = &sound::SharedEngine();
    }
    s.channels.assign(static_cast<std::size_t>(maxchannels), ChannelSlot{});
    s.initialised = true;
    last_error = FMOD_ERR_NONE;
    return kTrue;
}

void FSOUND_Close() {
    std::unique_ptr<sound::Engine> own;
    {
        State& s = S();
        std::lock_guard lock(s.mutex);
        if (!s.initialised) {
            return;
        }
        for (const auto& [key, stream] : s.streams) {
            s.engine->Free(stream.id);
        }
        for (const auto& [key, module] : s.modules) {
            s.engine->Free(module.id);
        }
        StopCd(s);
        s.streams.clear();
        s.modules.clear();
        s.channels.clear();
        s.initialised = false;
        s.engine = nullptr;
        s.output = FSOUND_OUTPUT_WINMM;
        own = std::move(s.own_engine);
    }
}

BOOL8 FSOUND_SetVolume(int channel, int volume) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) {
        return Fail(FMOD_ERR_UNINITIALIZED, kFalse);
    }
    volume = std::clamp(volume, 0, 255);
    if (channel == FSOUND_ALL) {
        for (auto& slot : s.channels) {
            slot.volume = volume;
            if (slot.stream != 0) {
                s.engine->SetVolume(s.streams.at(slot.stream).id, Amplitude(volume));
            }
        }
        for (auto& [key, module] : s.modules) {
            module.volume = volume;
            ApplyModuleVolume(s, module);
        }
        return kTrue;
    }
    Stream* stream = OnChannel(s, channel);
    if (stream == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    s.channels[static_cast<std::size_t>(channel)].volume = volume;
    s.engine->SetVolume(stream->id, Amplitude(volume));
    return kTrue;
}

BOOL8 FSOUND_SetPan(int channel, int) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    return channel == FSOUND_ALL || OnChannel(s, channel) != nullptr
               ? kTrue
               : Fail(FMOD_ERR_INVALID_PARAM, kFalse);
}

BOOL8 FSOUND_SetPaused(int channel, BOOL8 paused) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) {
        return Fail(FMOD_ERR_UNINITIALIZED, kFalse);
    }
    const auto apply = [&](sound::ChannelId id) {
        if (paused != 0) {
            s.engine->Pause(id);
        } else {
            s.engine->Resume(id);
        }
    };
    if (channel == FSOUND_ALL) {
        for (const auto& slot : s.channels) {
            if (slot.stream != 0) {
                apply(s.streams.at(slot.stream).id);
            }
        }
        for (const auto& [key, module] : s.modules) {
            apply(module.id);
        }
        return kTrue;
    }
    Stream* stream = OnChannel(s, channel);
    if (stream == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    apply(stream->id);
    return kTrue;
}

BOOL8 FSOUND_GetPaused(int channel) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Stream* stream = OnChannel(s, channel);
    if (stream == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return s.engine->State(stream->id) == sound::PlayState::Paused ? kTrue : kFalse;
}

BOOL8 FSOUND_IsPlaying(int channel) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Stream* stream = OnChannel(s, channel);
    if (stream == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return s.engine->State(stream->id).value_or(sound::PlayState::Stopped) !=
                   sound::PlayState::Stopped
               ? kTrue
               : kFalse;
}

FSOUND_STREAM* FSOUND_Stream_Open(const char* name, unsigned, int offset, int length) {
    if (name == nullptr || offset != 0 || length != 0) {
        return Fail<FSOUND_STREAM*>(FMOD_ERR_INVALID_PARAM, nullptr);
    }
    const std::string path = name;
    auto decoder = OpenOrFail([&] { return sound::OpenStreamDecoder(path); });
    if (!decoder) {
        return nullptr;
    }
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) {
        return Fail<FSOUND_STREAM*>(FMOD_ERR_UNINITIALIZED, nullptr);
    }
    const std::uintptr_t key = s.next++;
    s.streams.emplace(key, Stream{s.engine->Open(std::move(decoder)), -1});
    return reinterpret_cast<FSOUND_STREAM*>(key);
}

int FSOUND_Stream_Play(int channel, FSOUND_STREAM* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Stream* stream = FindStream(s, handle);
    if (stream == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, -1);
    }
    if (stream->channel < 0) {
        int chosen = -1;
        if (channel == FSOUND_FREE) {
            for (std::size_t i = 0; i < s.channels.size() && chosen < 0; ++i) {
                if (s.channels[i].stream == 0) {
                    chosen = static_cast<int>(i);
                }
            }
        } else if (channel >= 0 && channel < static_cast<int>(s.channels.size()) &&
                   s.channels[static_cast<std::size_t>(channel)].stream == 0) {
            chosen = channel;
        }
        if (chosen < 0) {
            return Fail(FMOD_ERR_CHANNEL_ALLOC, -1);
        }
        stream->channel = chosen;
        s.channels[static_cast<std::size_t>(chosen)] =
            ChannelSlot{reinterpret_cast<std::uintptr_t>(handle), 255};
        s.engine->SetVolume(stream->id, 1.0f);
    }
    s.engine->Play(stream->id);
    return stream->channel;
}

BOOL8 FSOUND_Stream_Stop(FSOUND_STREAM* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Stream* stream = FindStream(s, handle);
    if (stream == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    s.engine->Stop(stream->id);
    s.engine->Seek(stream->id, 0);
    if (stream->channel >= 0) {
        s.channels[static_cast<std::size_t>(stream->channel)] = ChannelSlot{};
        stream->channel = -1;
    }
    return kTrue;
}

BOOL8 FSOUND_Stream_Close(FSOUND_STREAM* handle) {
    if (FSOUND_Stream_Stop(handle) == kFalse) {
        return kFalse;
    }
    State& s = S();
    std::lock_guard lock(s.mutex);
    const auto key = reinterpret_cast<std::uintptr_t>(handle);
    s.engine->Free(s.streams.at(key).id);
    s.streams.erase(key);
    return kTrue;
}

BOOL8 FSOUND_Stream_SetTime(FSOUND_STREAM* handle, int ms) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Stream* stream = FindStream(s, handle);
    if (stream == nullptr || ms < 0) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return s.engine->Seek(stream->id, FramesOf(ms)) ? kTrue : Fail(FMOD_ERR_INVALID_PARAM, kFalse);
}

int FSOUND_Stream_GetTime(FSOUND_STREAM* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Stream* stream = FindStream(s, handle);
    return stream == nullptr ? Fail(FMOD_ERR_INVALID_PARAM, 0)
                             : MsOf(s.engine->Position(stream->id));
}

int FSOUND_Stream_GetLengthMs(FSOUND_STREAM* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Stream* stream = FindStream(s, handle);
    return stream == nullptr ? Fail(FMOD_ERR_INVALID_PARAM, 0) : MsOf(s.engine->Length(stream->id));
}

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name) {
    if (name == nullptr) {
        return Fail<FMUSIC_MODULE*>(FMOD_ERR_INVALID_PARAM, nullptr);
    }
    const std::string path = name;
    auto decoder = OpenOrFail([&] { return sound::OpenModuleDecoder(path); });
    if (!decoder) {
        return nullptr;
    }
    const int type = TypeOf(sound::ModuleTypeOf(*decoder));
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) {
        return Fail<FMUSIC_MODULE*>(FMOD_ERR_UNINITIALIZED, nullptr);
    }
    const std::uintptr_t key = s.next++;
    Module module;
    module.id = s.engine->Open(std::move(decoder));
    module.type = type;
    s.modules.emplace(key, module);
    return reinterpret_cast<FMUSIC_MODULE*>(key);
}

BOOL8 FMUSIC_FreeSong(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    s.engine->Free(module->id);
    s.modules.erase(reinterpret_cast<std::uintptr_t>(handle));
    return kTrue;
}

BOOL8 FMUSIC_PlaySong(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    s.engine->Seek(module->id, 0);
    ApplyModuleVolume(s, *module);
    s.engine->Play(module->id);
    module->started = true;
    return kTrue;
}

BOOL8 FMUSIC_StopSong(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    s.engine->Stop(module->id);
    s.engine->Seek(module->id, 0);
    module->started = false;
    return kTrue;
}

void FMUSIC_StopAllSongs() {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) {
        return;
    }
    for (auto& [key, module] : s.modules) {
        s.engine->Stop(module.id);
        module.started = false;
    }
}

BOOL8 FMUSIC_IsPlaying(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return module->started && s.engine->State(module->id) != sound::PlayState::Stopped ? kTrue
                                                                                       : kFalse;
}

BOOL8 FMUSIC_IsFinished(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return s.engine->Ended(module->id) ? kTrue : kFalse;
}

BOOL8 FMUSIC_SetPaused(FMUSIC_MODULE* handle, BOOL8 paused) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    const bool done = paused != 0 ? s.engine->Pause(module->id) : s.engine->Resume(module->id);
    return done ? kTrue : kFalse;
}

BOOL8 FMUSIC_GetPaused(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return s.engine->State(module->id) == sound::PlayState::Paused ? kTrue : kFalse;
}

BOOL8 FMUSIC_SetMasterVolume(FMUSIC_MODULE* handle, int volume) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr || volume < 0 || volume > 256) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    module->master = volume;
    ApplyModuleVolume(s, *module);
    return kTrue;
}

BOOL8 FMUSIC_SetPanSeperation(FMUSIC_MODULE* handle, float separation) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    if (module == nullptr || !(separation >= 0.0f && separation <= 1.0f)) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    module->separation = separation;
    return kTrue;
}

int FMUSIC_GetType(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    return module == nullptr ? Fail(FMOD_ERR_INVALID_PARAM, FMUSIC_TYPE_NONE) : module->type;
}

int FMUSIC_GetTime(FMUSIC_MODULE* handle) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    Module* module = FindModule(s, handle);
    return module == nullptr ? Fail(FMOD_ERR_INVALID_PARAM, 0)
                             : MsOf(s.engine->Position(module->id));
}

BOOL8 FSOUND_CD_Play(char drive, int track) {
    if (drive != 0) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    auto decoder = OpenOrFail([track] { return sound::OpenCdTrackDecoder(track); });
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!decoder || !s.initialised) {
        return kFalse;
    }
    StopCd(s);
    s.cd.id = s.engine->Open(std::move(decoder));
    s.cd.track = track;
    s.engine->SetVolume(s.cd.id, Amplitude(s.cd.volume));
    s.engine->Play(s.cd.id);
    return kTrue;
}

BOOL8 FSOUND_CD_SetPlayMode(char drive, BOOL8 mode) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    s.cd.mode = mode;
    return kTrue;
}

BOOL8 FSOUND_CD_Stop(char drive) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0 || !s.initialised) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    StopCd(s);
    return kTrue;
}

BOOL8 FSOUND_CD_SetPaused(char drive, BOOL8 paused) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0 || s.cd.id == 0) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return (paused != 0 ? s.engine->Pause(s.cd.id) : s.engine->Resume(s.cd.id)) ? kTrue : kFalse;
}

BOOL8 FSOUND_CD_GetPaused(char drive) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0 || s.cd.id == 0) {
        return kFalse;
    }
    return s.engine->State(s.cd.id) == sound::PlayState::Paused ? kTrue : kFalse;
}

int FSOUND_CD_GetTrack(char drive) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0 || s.cd.id == 0 ||
        s.engine->State(s.cd.id).value_or(sound::PlayState::Stopped) == sound::PlayState::Stopped) {
        return 0;
    }
    return s.cd.track;
}

int FSOUND_CD_GetNumTracks(char drive) {
    if (drive != 0) {
        return Fail(FMOD_ERR_INVALID_PARAM, 0);
    }
    try {
        return sound::CdDisc::Open(sound::CdSource())->TrackCount();
    } catch (const AppError&) {
        return Fail(FMOD_ERR_FILE_BAD, 0);
    }
}

BOOL8 FSOUND_CD_SetVolume(char drive, int volume) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0 || !s.initialised) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    s.cd.volume = std::clamp(volume, 0, 255);
    if (s.cd.id != 0) {
        s.engine->SetVolume(s.cd.id, Amplitude(s.cd.volume));
    }
    return kTrue;
}

BOOL8 FSOUND_CD_SetTrackTime(char drive, unsigned ms) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0 || s.cd.id == 0) {
        return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
    }
    return s.engine->Seek(s.cd.id, FramesOf(ms)) ? kTrue : kFalse;
}

int FSOUND_CD_GetTrackTime(char drive) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (drive != 0 || s.cd.id == 0) {
        return 0;
    }
    return MsOf(s.engine->Position(s.cd.id));
}

int FSOUND_CD_GetTrackLength(char drive, int track) {
    if (drive != 0) {
        return Fail(FMOD_ERR_INVALID_PARAM, 0);
    }
    try {
        return static_cast<int>(
            sound::CdTrackLengthMs(*sound::CdDisc::Open(sound::CdSource()), track));
    } catch (const AppError&) {
        return Fail(FMOD_ERR_FILE_BAD, 0);
    }
}

float* FSOUND_DSP_GetSpectrum() {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (s.initialised) {
        s.engine->MixSpectrum(s.spectrum.data());
    } else {
        s.spectrum.fill(0.0f);
    }
    return s.spectrum.data();
}

}  // namespace tarvel::fmod

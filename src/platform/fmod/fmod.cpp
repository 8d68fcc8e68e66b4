#include "platform/fmod/fmod.h"

#include <functional>
#include "platform/sound/output.h"
#include "platform/sound/shared_engine.h"

#include "platform/fmod/fmod_state.h"

namespace tarvel::fmod {

using namespace detail;

namespace {

// Set-up calls share this: allowed only before FSOUND_Init.
BOOL8 BeforeInit(const std::function<bool(State&)>& apply) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (s.initialised) {
        return Fail(FMOD_ERR_BUSY, kFalse);
    }
    return apply(s) ? kTrue : Fail(FMOD_ERR_INVALID_PARAM, kFalse);
}

// Frees every stream, module and CD channel and forgets the engine; gives the no-sound engine,
// if any, to be ended by the caller outside the lock.
std::unique_ptr<sound::Engine> EndInitialisation(State& s) {
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
    return std::move(s.own_engine);
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
        sound::EndWithSharedEngine(s, EndInitialisation);
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
        own = EndInitialisation(s);
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
    return WithFound([&](State& s) { return OnChannel(s, channel); }, kFalse,
                     [&](State& s, Stream& stream) {
                         return s.engine->State(stream.id) == sound::PlayState::Paused ? kTrue
                                                                                       : kFalse;
                     });
}

BOOL8 FSOUND_IsPlaying(int channel) {
    return WithFound([&](State& s) { return OnChannel(s, channel); }, kFalse,
                     [&](State& s, Stream& stream) {
                         return s.engine->State(stream.id).value_or(sound::PlayState::Stopped) !=
                                        sound::PlayState::Stopped
                                    ? kTrue
                                    : kFalse;
                     });
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

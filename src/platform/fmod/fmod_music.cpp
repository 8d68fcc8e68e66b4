#include "platform/fmod/fmod.h"

#include <cmath>
#include <string>

#include "platform/sound/openmpt_decoder.h"

#include "platform/fmod/fmod_state.h"

namespace tarvel::fmod {

using namespace detail;

namespace {

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

}  // namespace

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
    module.separation_control = sound::StereoSeparationOf(*decoder);
    module.id = s.engine->Open(std::move(decoder));
    module.type = type;
    s.modules.emplace(key, module);
    return reinterpret_cast<FMUSIC_MODULE*>(key);
}

BOOL8 FMUSIC_FreeSong(FMUSIC_MODULE* handle) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State& s, Module& module) {
                         s.engine->Free(module.id);
                         s.modules.erase(reinterpret_cast<std::uintptr_t>(handle));
                         return kTrue;
                     });
}

BOOL8 FMUSIC_PlaySong(FMUSIC_MODULE* handle) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State& s, Module& module) {
                         s.engine->Seek(module.id, 0);
                         ApplyModuleVolume(s, module);
                         s.engine->Play(module.id);
                         module.started = true;
                         return kTrue;
                     });
}

BOOL8 FMUSIC_StopSong(FMUSIC_MODULE* handle) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State& s, Module& module) {
                         s.engine->Stop(module.id);
                         s.engine->Seek(module.id, 0);
                         module.started = false;
                         return kTrue;
                     });
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
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State& s, Module& module) {
                         return module.started &&
                                        s.engine->State(module.id) != sound::PlayState::Stopped
                                    ? kTrue
                                    : kFalse;
                     });
}

BOOL8 FMUSIC_IsFinished(FMUSIC_MODULE* handle) {
    return WithFound(
        [&](State& s) { return FindModule(s, handle); }, kFalse,
        [&](State& s, Module& module) { return s.engine->Ended(module.id) ? kTrue : kFalse; });
}

BOOL8 FMUSIC_SetPaused(FMUSIC_MODULE* handle, BOOL8 paused) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State& s, Module& module) {
                         const bool done =
                             paused != 0 ? s.engine->Pause(module.id) : s.engine->Resume(module.id);
                         return done ? kTrue : kFalse;
                     });
}

BOOL8 FMUSIC_GetPaused(FMUSIC_MODULE* handle) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State& s, Module& module) {
                         return s.engine->State(module.id) == sound::PlayState::Paused ? kTrue
                                                                                       : kFalse;
                     });
}

BOOL8 FMUSIC_SetMasterVolume(FMUSIC_MODULE* handle, int volume) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State& s, Module& module) {
                         if (volume < 0 || volume > 256) {
                             return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
                         }
                         module.master = volume;
                         ApplyModuleVolume(s, module);
                         return kTrue;
                     });
}

BOOL8 FMUSIC_SetPanSeperation(FMUSIC_MODULE* handle, float separation) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, kFalse,
                     [&](State&, Module& module) {
                         if (!(separation >= 0.0f && separation <= 1.0f)) {
                             return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
                         }
                         module.separation = separation;
                         // 1.0 is full stereo, 0.0 mono. The decoder's 200 % is full
                         // stereo: a channel panned hard left sounds on the left only.
                         if (module.separation_control) {
                             module.separation_control->store(
                                 static_cast<int>(std::lround(separation * 200.0f)),
                                 std::memory_order_relaxed);
                         }
                         return kTrue;
                     });
}

int FMUSIC_GetType(FMUSIC_MODULE* handle) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, FMUSIC_TYPE_NONE,
                     [&](State&, Module& module) { return module.type; });
}

int FMUSIC_GetTime(FMUSIC_MODULE* handle) {
    return WithFound([&](State& s) { return FindModule(s, handle); }, 0,
                     [&](State& s, Module& module) { return MsOf(s.engine->Position(module.id)); });
}

}  // namespace tarvel::fmod

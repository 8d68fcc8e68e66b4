#include "platform/fmod/fmod.h"

#include "platform/sound/cd_toc.h"

#include "platform/fmod/fmod_state.h"

namespace tarvel::fmod {

using namespace detail;

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
    const int count = sound::CurrentCdToc().track_count;
    return count > 0 ? count : Fail(FMOD_ERR_FILE_BAD, 0);
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
    const sound::CdToc toc = sound::CurrentCdToc();
    if (toc.track_count == 0) {
        return Fail(FMOD_ERR_FILE_BAD, 0);
    }
    return track >= 1 && track <= toc.track_count
               ? static_cast<int>(toc.lengths_ms[static_cast<std::size_t>(track - 1)])
               : 0;
}

}  // namespace tarvel::fmod

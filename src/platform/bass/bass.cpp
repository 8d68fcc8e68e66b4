#include "platform/bass/bass.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sound/cd_disc.h"
#include "platform/sound/decoders.h"
#include "platform/sound/engine.h"
#include "platform/sound/output.h"
#include "platform/sound/shared_engine.h"
#include "platform/sound/sound_error.h"

namespace tarvel::bass {

namespace {

// Handle kinds live in the top four bits, so a handle of one kind never fits a call of another.
constexpr DWORD kStream = 0x10000000;
constexpr DWORD kMusic = 0x20000000;
constexpr DWORD kFx = 0x30000000;
constexpr DWORD kSync = 0x40000000;
constexpr DWORD kKindMask = 0xF0000000;

constexpr QWORD kBytesPerFrame = 4;
constexpr double kBytesPerSecond = 44100.0 * kBytesPerFrame;

struct Sync {
    HSYNC handle;
    SYNCPROC* proc;
    DWORD user;
};

struct BassChannel {
    sound::ChannelId id = 0;
    DWORD flags = 0;
    DWORD ctype = 0;
    sound::PcmFormat format;
    std::vector<HFX> fx;
    std::vector<Sync> syncs;
};

struct FxEntry {
    DWORD channel;
    std::size_t band;
};

struct State {
    std::mutex mutex;
    bool initialised = false;
    sound::Engine* engine = nullptr;
    std::unique_ptr<sound::Engine> own_engine;  // device 0: no sound
    std::map<DWORD, BassChannel> channels;
    std::map<HFX, FxEntry> effects;
    DWORD next = 1;
    DWORD volume = 100;
    DWORD buffer_ms = 500;
};

State& S() {
    static State state;
    return state;
}

thread_local int last_error = BASS_OK;

template <typename T>
T Fail(int code, T result) {
    last_error = code;
    return result;
}

template <typename T>
T Ok(T result) {
    last_error = BASS_OK;
    return result;
}

DWORD NewHandle(State& s, DWORD kind) {
    return kind | (s.next++ & ~kKindMask);
}

// The channel of a handle of one of the given kinds, or nullptr (error code set).
BassChannel* FindChannel(State& s, DWORD handle, bool streams, bool music) {
    const DWORD kind = handle & kKindMask;
    if (!s.initialised || !((kind == kStream && streams) || (kind == kMusic && music))) {
        last_error = s.initialised ? BASS_ERROR_HANDLE : BASS_ERROR_INIT;
        return nullptr;
    }
    const auto it = s.channels.find(handle);
    if (it == s.channels.end()) {
        last_error = BASS_ERROR_HANDLE;
        return nullptr;
    }
    return &it->second;
}

// Runs `act(state, channel)` under the lock on the channel of `handle` (of the kinds allowed), or
// returns `failed` with the lookup's error code when there is no such channel.
template <typename R, typename Act>
R WithChannel(DWORD handle, bool streams, bool music, R failed, Act act) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    BassChannel* c = FindChannel(s, handle, streams, music);
    return c == nullptr ? failed : act(s, *c);
}

template <typename R, typename Act>
R WithAnyChannel(DWORD handle, R failed, Act act) {
    return WithChannel(handle, true, true, failed, act);
}

// Runs `act(state, effect)` under the lock on an equalizer band, or fails with BASS_ERROR_HANDLE.
template <typename Act>
BOOL WithEffect(HFX handle, Act act) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    const auto it = s.effects.find(handle);
    if (!s.initialised || it == s.effects.end()) {
        return Fail(BASS_ERROR_HANDLE, kFalse);
    }
    return act(s, it->second);
}

void RunSyncs(DWORD handle) {
    std::vector<Sync> syncs;
    {
        State& s = S();
        std::lock_guard lock(s.mutex);
        const auto it = s.channels.find(handle);
        if (it == s.channels.end()) {
            return;
        }
        syncs = it->second.syncs;
    }
    for (const Sync& sync : syncs) {
        sync.proc(sync.handle, handle, 0, sync.user);
    }
}

int ErrorOf(const sound::SoundError& e) {
    switch (e.fault()) {
        case sound::SoundFault::NotFound:
            return BASS_ERROR_FILEOPEN;
        case sound::SoundFault::UnknownFormat:
            return BASS_ERROR_FILEFORM;
        case sound::SoundFault::NoDevice:
            return BASS_ERROR_NOCD;
        case sound::SoundFault::ReadError:
            return BASS_ERROR_FORMAT;
        case sound::SoundFault::BadArgument:
            break;
    }
    return BASS_ERROR_ILLPARAM;
}

// Opens a decoder (outside the lock: it reads the file) and registers it as a channel.
template <typename OpenDecoder>
DWORD CreateChannel(DWORD kind, DWORD flags, DWORD ctype, OpenDecoder open) {
    {
        State& s = S();
        std::lock_guard lock(s.mutex);
        if (!s.initialised) {
            return Fail<DWORD>(BASS_ERROR_INIT, 0);
        }
    }
    std::unique_ptr<sound::Decoder> decoder;
    try {
        decoder = open();
    } catch (const sound::SoundError& e) {
        return Fail<DWORD>(ErrorOf(e), 0);
    } catch (const AppError&) {
        return Fail<DWORD>(BASS_ERROR_FILEOPEN, 0);
    }
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) {
        return Fail<DWORD>(BASS_ERROR_INIT, 0);
    }
    BassChannel channel;
    channel.format = decoder->Format();
    channel.flags = flags | (channel.format.bits == 8 ? BASS_SAMPLE_8BITS : 0);
    channel.ctype = ctype;
    channel.id = s.engine->Open(std::move(decoder));
    s.engine->SetVolume(channel.id, static_cast<float>(s.volume) / 100.0f);
    const DWORD handle = NewHandle(s, kind);
    s.engine->SetEndCallback(channel.id, [handle] { RunSyncs(handle); });
    s.channels.emplace(handle, std::move(channel));
    return Ok(handle);
}

BOOL FreeChannel(DWORD handle, DWORD kind) {
    return WithChannel(handle, kind == kStream, kind == kMusic, kFalse,
                       [&](State& s, BassChannel& c) {
                           s.engine->Free(c.id);
                           for (HFX fx : c.fx) {
                               s.effects.erase(fx);
                           }
                           s.channels.erase(handle);
                           return Ok(kTrue);
                       });
}

std::string PathOf(const void* file) {
    return static_cast<const char*>(file);
}

// Frees every channel and forgets the engine; gives the no-sound engine, if any, to be ended
// by the caller outside the lock.
std::unique_ptr<sound::Engine> EndInitialisation(State& s) {
    for (const auto& [handle, channel] : s.channels) {
        s.engine->Free(channel.id);
    }
    s.channels.clear();
    s.effects.clear();
    s.initialised = false;
    s.engine = nullptr;
    return std::move(s.own_engine);
}

}  // namespace

DWORD BASS_GetVersion() {
    return 0x00000002;
}

int BASS_ErrorGetCode() {
    return last_error;
}

BOOL BASS_Init(int device, DWORD freq, DWORD, void*, const void*) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (s.initialised) {
        return Fail(BASS_ERROR_ALREADY, kFalse);
    }
    if (device < -1 || device > 1) {
        return Fail(BASS_ERROR_DEVICE, kFalse);
    }
    if (freq != 44100 && freq != 0) {
        return Fail(BASS_ERROR_ILLPARAM, kFalse);
    }
    if (device == 0) {
        s.own_engine = std::make_unique<sound::Engine>(sound::CreateOutput("null"));
        s.engine = s.own_engine.get();
    } else {
        sound::EndWithSharedEngine(s, EndInitialisation);
        s.engine = &sound::SharedEngine();
    }
    s.initialised = true;
    s.volume = 100;
    return Ok(kTrue);
}

BOOL BASS_Free() {
    std::unique_ptr<sound::Engine> own;
    {
        State& s = S();
        std::lock_guard lock(s.mutex);
        if (!s.initialised) {
            return Fail(BASS_ERROR_INIT, kFalse);
        }
        own = EndInitialisation(s);
    }
    // A no-sound engine's thread may be waiting for the lock in an end callback: end it outside.
    own.reset();
    return Ok(kTrue);
}

DWORD BASS_SetConfig(DWORD option, DWORD value) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (option != BASS_CONFIG_BUFFER) {
        return Fail<DWORD>(BASS_ERROR_ILLTYPE, static_cast<DWORD>(-1));
    }
    s.buffer_ms = value;
    return Ok(value);
}

BOOL BASS_SetVolume(DWORD volume) {
    State& s = S();
    std::lock_guard lock(s.mutex);
    if (!s.initialised) {
        return Fail(BASS_ERROR_INIT, kFalse);
    }
    if (volume > 100) {
        return Fail(BASS_ERROR_ILLPARAM, kFalse);
    }
    s.volume = volume;
    for (const auto& [handle, channel] : s.channels) {
        s.engine->SetVolume(channel.id, static_cast<float>(volume) / 100.0f);
    }
    return Ok(kTrue);
}

DWORD BASS_GetVolume() {
    State& s = S();
    std::lock_guard lock(s.mutex);
    return s.initialised ? Ok(s.volume) : Fail<DWORD>(BASS_ERROR_INIT, static_cast<DWORD>(-1));
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags) {
    if (mem != kFalse || file == nullptr || offset != 0 || length != 0) {
        return Fail<HSTREAM>(BASS_ERROR_ILLPARAM, 0);
    }
    const std::string path = PathOf(file);
    return CreateChannel(kStream, flags, BASS_CTYPE_STREAM,
                         [&] { return sound::OpenStreamDecoder(path); });
}

HMUSIC BASS_MusicLoad(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags, DWORD) {
    if (mem != kFalse || file == nullptr || offset != 0 || length != 0) {
        return Fail<HMUSIC>(BASS_ERROR_ILLPARAM, 0);
    }
    const std::string path = PathOf(file);
    return CreateChannel(kMusic, flags, BASS_CTYPE_MUSIC_MOD,
                         [&] { return sound::OpenModuleDecoder(path); });
}

HSTREAM BASS_CD_StreamCreate(DWORD drive, DWORD track, DWORD flags) {
    if (drive != 0) {
        return Fail<HSTREAM>(BASS_ERROR_DEVICE, 0);
    }
    if (track >= 99) {
        return Fail<HSTREAM>(BASS_ERROR_CDTRACK, 0);
    }
    const HSTREAM handle = CreateChannel(kStream, flags, BASS_CTYPE_STREAM_CD, [&] {
        return sound::OpenCdTrackDecoder(static_cast<int>(track) + 1);
    });
    if (handle == 0 && last_error == BASS_ERROR_NOCD && !sound::CdSource().empty()) {
        last_error = BASS_ERROR_CDTRACK;
    }
    return handle;
}

BOOL BASS_StreamFree(HSTREAM handle) {
    return FreeChannel(handle, kStream);
}

BOOL BASS_MusicFree(HMUSIC handle) {
    return FreeChannel(handle, kMusic);
}

BOOL BASS_StreamPlay(HSTREAM handle, BOOL flush, DWORD) {
    return WithChannel(handle, true, false, kFalse, [&](State& s, BassChannel& c) {
        if (flush != kFalse) {
            s.engine->Seek(c.id, 0);
        }
        s.engine->Play(c.id);
        return Ok(kTrue);
    });
}

BOOL BASS_MusicPlay(HMUSIC handle) {
    return WithChannel(handle, false, true, kFalse, [&](State& s, BassChannel& c) {
        s.engine->Play(c.id);
        return Ok(kTrue);
    });
}

BOOL BASS_ChannelPause(DWORD handle) {
    return WithAnyChannel(handle, kFalse, [&](State& s, BassChannel& c) {
        return s.engine->Pause(c.id) ? Ok(kTrue) : Fail(BASS_ERROR_NOPLAY, kFalse);
    });
}

BOOL BASS_ChannelResume(DWORD handle) {
    return WithAnyChannel(handle, kFalse, [&](State& s, BassChannel& c) {
        return s.engine->Resume(c.id) ? Ok(kTrue) : Fail(BASS_ERROR_NOPAUSE, kFalse);
    });
}

BOOL BASS_ChannelStop(DWORD handle) {
    return WithAnyChannel(handle, kFalse, [&](State& s, BassChannel& c) {
        s.engine->Stop(c.id);
        return Ok(kTrue);
    });
}

DWORD BASS_ChannelIsActive(DWORD handle) {
    return WithAnyChannel(handle, DWORD{0}, [&](State& s, BassChannel& c) {
        switch (s.engine->State(c.id).value_or(sound::PlayState::Stopped)) {
            case sound::PlayState::Playing:
                return Ok<DWORD>(1);
            case sound::PlayState::Paused:
                return Ok<DWORD>(3);
            case sound::PlayState::Stopped:
                break;
        }
        return Ok<DWORD>(0);
    });
}

BOOL BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info) {
    return WithAnyChannel(handle, kFalse, [&](State&, BassChannel& c) {
        if (info == nullptr) {
            return Fail(BASS_ERROR_ILLPARAM, kFalse);
        }
        info->freq = static_cast<DWORD>(c.format.rate);
        info->chans = static_cast<DWORD>(c.format.channels);
        info->flags = c.flags;
        info->ctype = c.ctype;
        return Ok(kTrue);
    });
}

HSYNC BASS_ChannelSetSync(DWORD handle, DWORD type, QWORD, SYNCPROC* proc, DWORD user) {
    return WithAnyChannel(handle, HSYNC{0}, [&](State& s, BassChannel& c) {
        if (type != BASS_SYNC_END || proc == nullptr) {
            return Fail<HSYNC>(BASS_ERROR_ILLTYPE, 0);
        }
        const HSYNC sync = NewHandle(s, kSync);
        c.syncs.push_back(Sync{sync, proc, user});
        return Ok(sync);
    });
}

BOOL BASS_ChannelSetLeveling(DWORD handle, float gain) {
    return WithAnyChannel(handle, kFalse, [&](State& s, BassChannel& c) {
        if (!(gain >= 0.0f && gain <= 16.0f)) {
            return Fail(BASS_ERROR_ILLPARAM, kFalse);
        }
        s.engine->SetLeveling(c.id, gain);
        return Ok(kTrue);
    });
}

HFX BASS_ChannelSetFX(DWORD handle, DWORD type) {
    return WithAnyChannel(handle, HFX{0}, [&](State& s, BassChannel& c) {
        if (type != BASS_FX_PARAMEQ) {
            return Fail<HFX>(BASS_ERROR_ILLTYPE, 0);
        }
        if ((c.flags & BASS_SAMPLE_FX) == 0) {
            return Fail<HFX>(BASS_ERROR_ILLTYPE, 0);
        }
        const auto band = s.engine->AddEqBand(c.id);
        if (!band) {
            return Fail<HFX>(BASS_ERROR_HANDLE, 0);
        }
        // The equalizer's defaults: 8 kHz, one octave, flat.
        s.engine->SetEqBand(c.id, *band, sound::EqBandParams{8000.0f, 12.0f, 0.0f});
        const HFX fx = NewHandle(s, kFx);
        c.fx.push_back(fx);
        s.effects.emplace(fx, FxEntry{handle, *band});
        return Ok(fx);
    });
}

BOOL BASS_FXSetParameters(HFX handle, const void* params) {
    return WithEffect(handle, [&](State& s, const FxEntry& fx) {
        if (params == nullptr) {
            return Fail(BASS_ERROR_ILLPARAM, kFalse);
        }
        const auto* eq = static_cast<const BASS_FXPARAMEQ*>(params);
        if (!(eq->fCenter >= 80.0f && eq->fCenter <= 16000.0f && eq->fBandwidth >= 1.0f &&
              eq->fBandwidth <= 36.0f && eq->fGain >= -15.0f && eq->fGain <= 15.0f)) {
            return Fail(BASS_ERROR_ILLPARAM, kFalse);
        }
        s.engine->SetEqBand(s.channels.at(fx.channel).id, fx.band,
                            sound::EqBandParams{eq->fCenter, eq->fBandwidth, eq->fGain});
        return Ok(kTrue);
    });
}

BOOL BASS_FXGetParameters(HFX handle, void* params) {
    return WithEffect(handle, [&](State& s, const FxEntry& fx) {
        if (params == nullptr) {
            return Fail(BASS_ERROR_ILLPARAM, kFalse);
        }
        const auto band = s.engine->EqBand(s.channels.at(fx.channel).id, fx.band);
        auto* eq = static_cast<BASS_FXPARAMEQ*>(params);
        eq->fCenter = band->centre;
        eq->fBandwidth = band->bandwidth;
        eq->fGain = band->gain;
        return Ok(kTrue);
    });
}

QWORD BASS_ChannelGetPosition(DWORD handle) {
    return WithAnyChannel(handle, static_cast<QWORD>(-1), [&](State& s, BassChannel& c) {
        return Ok(static_cast<QWORD>(s.engine->Position(c.id)) * kBytesPerFrame);
    });
}

BOOL BASS_ChannelSetPosition(DWORD handle, QWORD position) {
    return WithAnyChannel(handle, kFalse, [&](State& s, BassChannel& c) {
        const std::int64_t length = s.engine->Length(c.id);
        const QWORD frame = position / kBytesPerFrame;
        if (length >= 0 && frame > static_cast<QWORD>(length)) {
            return Fail(BASS_ERROR_POSITION, kFalse);
        }
        return s.engine->Seek(c.id, static_cast<std::int64_t>(frame))
                   ? Ok(kTrue)
                   : Fail(BASS_ERROR_POSITION, kFalse);
    });
}

float BASS_ChannelBytes2Seconds(DWORD handle, QWORD position) {
    return WithAnyChannel(handle, -1.0f, [&](State&, BassChannel&) {
        return Ok(static_cast<float>(static_cast<double>(position) / kBytesPerSecond));
    });
}

QWORD BASS_ChannelSeconds2Bytes(DWORD handle, float seconds) {
    return WithAnyChannel(handle, static_cast<QWORD>(-1), [&](State&, BassChannel&) {
        if (!(seconds >= 0.0f)) {
            return Fail(BASS_ERROR_ILLPARAM, static_cast<QWORD>(-1));
        }
        return Ok(static_cast<QWORD>(static_cast<double>(seconds) * 44100.0) * kBytesPerFrame);
    });
}

DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length) {
    return WithAnyChannel(handle, static_cast<DWORD>(-1), [&](State& s, BassChannel& c) {
        if (length != BASS_DATA_FFT1024 || buffer == nullptr) {
            return Fail(BASS_ERROR_NOTAVAIL, static_cast<DWORD>(-1));
        }
        s.engine->Spectrum(c.id, static_cast<float*>(buffer));
        return Ok<DWORD>(512 * sizeof(float));
    });
}

}  // namespace tarvel::bass

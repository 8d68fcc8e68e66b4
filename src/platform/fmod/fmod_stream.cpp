#include "platform/fmod/fmod.h"

#include <string>

#include "platform/fmod/fmod_state.h"

namespace tarvel::fmod {

using namespace detail;

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
    return WithFound([&](State& s) { return FindStream(s, handle); }, -1,
                     [&](State& s, Stream& stream) {
                         if (stream.channel < 0) {
                             int chosen = -1;
                             if (channel == FSOUND_FREE) {
                                 for (std::size_t i = 0; i < s.channels.size() && chosen < 0; ++i) {
                                     if (s.channels[i].stream == 0) {
                                         chosen = static_cast<int>(i);
                                     }
                                 }
                             } else if (channel >= 0 &&
                                        channel < static_cast<int>(s.channels.size()) &&
                                        s.channels[static_cast<std::size_t>(channel)].stream == 0) {
                                 chosen = channel;
                             }
                             if (chosen < 0) {
                                 return Fail(FMOD_ERR_CHANNEL_ALLOC, -1);
                             }
                             stream.channel = chosen;
                             s.channels[static_cast<std::size_t>(chosen)] =
                                 ChannelSlot{reinterpret_cast<std::uintptr_t>(handle), 255};
                             s.engine->SetVolume(stream.id, 1.0f);
                         }
                         s.engine->Play(stream.id);
                         return stream.channel;
                     });
}

BOOL8 FSOUND_Stream_Stop(FSOUND_STREAM* handle) {
    return WithFound([&](State& s) { return FindStream(s, handle); }, kFalse,
                     [&](State& s, Stream& stream) {
                         s.engine->Stop(stream.id);
                         s.engine->Seek(stream.id, 0);
                         if (stream.channel >= 0) {
                             s.channels[static_cast<std::size_t>(stream.channel)] = ChannelSlot{};
                             stream.channel = -1;
                         }
                         return kTrue;
                     });
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

BOOL8 FSOUND_Stream_SetLeveling(FSOUND_STREAM* handle, float gain) {
    return WithFound([&](State& s) { return FindStream(s, handle); }, kFalse,
                     [&](State& s, Stream& stream) {
                         if (!(gain >= 0.0f && gain <= 16.0f)) {
                             return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
                         }
                         s.engine->SetLeveling(stream.id, gain);
                         return kTrue;
                     });
}

BOOL8 FSOUND_Stream_SetTime(FSOUND_STREAM* handle, int ms) {
    return WithFound([&](State& s) { return FindStream(s, handle); }, kFalse,
                     [&](State& s, Stream& stream) {
                         if (ms < 0) {
                             return Fail(FMOD_ERR_INVALID_PARAM, kFalse);
                         }
                         return s.engine->Seek(stream.id, FramesOf(ms))
                                    ? kTrue
                                    : Fail(FMOD_ERR_INVALID_PARAM, kFalse);
                     });
}

int FSOUND_Stream_GetTime(FSOUND_STREAM* handle) {
    return WithFound([&](State& s) { return FindStream(s, handle); }, 0,
                     [&](State& s, Stream& stream) { return MsOf(s.engine->Position(stream.id)); });
}

int FSOUND_Stream_GetLengthMs(FSOUND_STREAM* handle) {
    return WithFound([&](State& s) { return FindStream(s, handle); }, 0,
                     [&](State& s, Stream& stream) { return MsOf(s.engine->Length(stream.id)); });
}

}  // namespace tarvel::fmod

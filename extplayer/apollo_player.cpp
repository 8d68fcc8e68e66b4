#include "extplayer/apollo_player.h"

#include <algorithm>
#include <cctype>

#include "platform/fs/file_ops.h"
#include "platform/sound/decoders.h"
#include "platform/sound/output.h"
#include "platform/sound/quiet_end.h"
#include "platform/sound/sound_error.h"
#include "platform/text/case_fold.h"

namespace tarvel::extplayer {
namespace {

constexpr int64_t kRate = 44100;

}  // namespace

int CdTrackNumber(const std::string& path) {
    const std::string name = text::Lower(fs::FileNameOf(path));
    if (name.size() < 10 || name.compare(0, 5, "track") != 0 ||
        name.compare(name.size() - 4, 4, ".cda") != 0) {
        return 0;
    }
    const std::string digits = name.substr(5, name.size() - 9);
    if (digits.empty() || digits.size() > 2) {
        return 0;
    }
    int number = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

ApolloPlayer::ApolloPlayer(sound::Engine& engine, std::string plugin_dir)
    : engine_(engine), plugin_dir_(std::move(plugin_dir)) {}

ApolloPlayer::~ApolloPlayer() {
    sound::EndQuietly("the player's channel", [this] { Close(); });
}

void ApolloPlayer::Close() {
    if (channel_ != 0) {
        engine_.Free(channel_);
        channel_ = 0;
    }
    file_.clear();
}

bool ApolloPlayer::OpenAndPlay(const std::string& path) {
    Close();
    std::unique_ptr<sound::Decoder> decoder;
    try {
        if (const int track = CdTrackNumber(path); track > 0) {
            if (!fs::FileExists(fs::JoinPath(plugin_dir_, "Plug-ins/CDReader.dll"))) {
                return false;  // no CD reader plug-in: CD tracks are an unknown format
            }
            decoder = sound::OpenCdTrackDecoder(track);
        } else {
            try {
                decoder = sound::OpenStreamDecoder(path);
            } catch (const sound::SoundError&) {
                decoder = sound::OpenModuleDecoder(path);
            }
        }
    } catch (const sound::SoundError&) {
        return false;
    }
    channel_ = engine_.Open(std::move(decoder));
    if (channel_ == 0) {
        return false;
    }
    file_ = path;
    engine_.SetVolume(channel_, volume_);
    engine_.Play(channel_);
    return true;
}

int32_t ApolloPlayer::State() const {
    if (channel_ == 0 || engine_.Ended(channel_)) {
        return 0;
    }
    switch (engine_.State(channel_).value_or(sound::PlayState::Stopped)) {
        case sound::PlayState::Playing:
            return 1;
        case sound::PlayState::Paused:
            return 2;
        case sound::PlayState::Stopped:
            return 0;
    }
    return 0;
}

int32_t ApolloPlayer::PositionMs() const {
    return channel_ == 0 ? 0 : static_cast<int32_t>(engine_.Position(channel_) * 1000 / kRate);
}

int32_t ApolloPlayer::AdvanceClock(int32_t ms) {
    sound::ManualOutput* manual = engine_.Manual();
    if (manual == nullptr || ms < 0) {
        return 0;
    }
    manual->Advance(ms);
    return 1;
}

int32_t ApolloPlayer::Command(int32_t number, int32_t value) {
    switch (number) {
        case 1:
            return State();
        case 9:
        case 11:
            if (channel_ != 0) {
                engine_.Stop(channel_);
                engine_.Seek(channel_, 0);
            }
            return 0;
        case 13:
            if (State() == 1) {
                engine_.Pause(channel_);
            } else if (State() == 2) {
                engine_.Resume(channel_);
            }
            return 0;
        case 18:
            if (channel_ != 0 && value >= 0) {
                engine_.Seek(channel_, static_cast<int64_t>(value) * kRate / 1000);
            }
            return 0;
        case 19:
            return PositionMs();
        case 20:
            volume_ = static_cast<float>(std::clamp(value, 0, 65535)) / 65535.0f;
            if (channel_ != 0) {
                engine_.SetVolume(channel_, volume_);
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace tarvel::extplayer

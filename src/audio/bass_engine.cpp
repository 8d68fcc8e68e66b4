#include "audio/bass_engine.h"

#include <cmath>
#include <cstdlib>

#include "audio/analyser.h"
#include "platform/formats/music_formats.h"
#include "platform/fs/file_ops.h"
#include "platform/text/int_text.h"

namespace tarvel::audio {

using namespace tarvel::bass;

std::atomic<std::int32_t> BassPlayState{0};

namespace {
// The channel whose end is the end of the song: an end notice of a channel left behind (it ended
// while the next song was being started) must not end the song that plays now.
std::atomic<bass::DWORD> g_ending_channel{0};
}  // namespace

namespace {

constexpr DWORD kStreamFlags = 128;  // effects enabled
constexpr DWORD kMusicFlags = 640;   // normal ramping + effects enabled
constexpr float kBandwidth = 10.0f;  // semitones, every band
constexpr DWORD kActivePlaying = 1;  // BASS_ChannelIsActive: playing

// The track digits of a CD file name: from the 6th character on, as many as the name's length
// minus 9 ("Track07.cda" gives "07").
std::string TrackDigitsOf(const std::string& path) {
    const std::string name = fs::FileNameOf(path);
    const auto count = static_cast<std::ptrdiff_t>(name.size()) - 9;
    if (count <= 0 || name.size() < 6) {
        return {};
    }
    return name.substr(5, static_cast<std::size_t>(count));
}

bool ValidBand(std::int32_t band) {
    return band >= 1 && band <= 16;
}

}  // namespace

CBassEngine::CBassEngine() {
    EqEnabled = true;
    if (BASS_GetVersion() != 0x00000002) {
        std::exit(EXIT_FAILURE);
    }
    if (BASS_Init(1, 44100, 0, nullptr, nullptr) == kFalse) {
        std::exit(EXIT_FAILURE);
    }
    BASS_SetConfig(BASS_CONFIG_BUFFER, 10000);
}

CBassEngine::~CBassEngine() = default;

void CBassEngine::PlayFile(const std::string& path) {
    BASS_MusicFree(Channel);
    BASS_StreamFree(Channel);
    if (formats::ExtensionOf(path) == ".cda") {
        const std::int32_t track = text::StrToInt(TrackDigitsOf(path));
        Channel = BASS_CD_StreamCreate(0, static_cast<DWORD>(track - 1), kStreamFlags);
    } else {
        Channel = BASS_StreamCreateFile(kFalse, path.c_str(), 0, 0, kStreamFlags);
        if (Channel == 0) {
            Channel = BASS_MusicLoad(kFalse, path.c_str(), 0, 0, kMusicFlags, 0);
        }
    }
    if (Channel == 0) {
        return;
    }
    BASS_ChannelSetLeveling(Channel, leveling_);
    BASS_ChannelSetSync(Channel, BASS_SYNC_END, 0, &CBassEngine::OnChannelEnd, 0);
    BASS_CHANNELINFO info{};
    BASS_ChannelGetInfo(Channel, &info);
    if ((info.flags & BASS_SAMPLE_8BITS) != 0) {
        BASS_MusicFree(Channel);
        BASS_StreamFree(Channel);
        return;
    }
    for (int band = 1; band <= 16; ++band) {
        EqFx[band] = BASS_ChannelSetFX(Channel, BASS_FX_PARAMEQ);
    }
    EqParams.fGain = 0.0f;
    EqParams.fBandwidth = kBandwidth;
    for (int band = 1; band <= 16; ++band) {
        EqParams.fCenter = static_cast<float>(EqCentreFrequencies[band - 1]);
        BASS_FXSetParameters(EqFx[band], &EqParams);
    }
    for (int band = 1; band <= 16; ++band) {
        SetEQBand(band, EqGain[band]);
    }
    BASS_MusicPlay(Channel);
    BASS_StreamPlay(Channel, kFalse, 512);
    g_ending_channel = Channel;
    BassPlayState = 1;
}

void CBassEngine::SetEQBand(std::int32_t band, std::int32_t gain) {
    if (!ValidBand(band)) {
        return;
    }
    BASS_FXGetParameters(EqFx[band], &EqParams);
    EqGain[band] = gain;
    ApplyBand(band, gain);
}

void CBassEngine::ApplyBand(std::int32_t band, std::int32_t gain) {
    // A switched-off equalizer stays flat, whatever the sliders or a new song bring.
    EqParams.fGain = EqEnabled ? static_cast<float>(gain) : 0.0f;
    BASS_FXSetParameters(EqFx[band], &EqParams);
}

void CBassEngine::SetEQEnabled(bool on) {
    EqEnabled = on;
    for (int band = 1; band <= 16; ++band) {
        SetEQBand(band, EqGain[band]);
    }
}

std::int32_t CBassEngine::GetPosition() const {
    const QWORD bytes = BASS_ChannelGetPosition(Channel);
    const float seconds = BASS_ChannelBytes2Seconds(Channel, bytes);
    // No channel: the calls fail and the position reads 0.
    return seconds > 0.0f ? static_cast<std::int32_t>(std::trunc(seconds)) : 0;
}

void CBassEngine::SetPosition(std::int32_t seconds) {
    const auto bytes =
        static_cast<std::int32_t>(BASS_ChannelSeconds2Bytes(Channel, static_cast<float>(seconds)));
    BASS_ChannelSetPosition(Channel, static_cast<QWORD>(static_cast<std::int64_t>(bytes)));
}

void CBassEngine::SetVolume(std::int32_t volume) {
    BASS_SetVolume(static_cast<DWORD>(volume));
}

void CBassEngine::Pause(bool pause) {
    if (pause) {
        BASS_ChannelPause(Channel);
        BassPlayState = 2;
    } else {
        BASS_ChannelResume(Channel);
        BassPlayState = 1;
    }
}

void CBassEngine::Stop() {
    BASS_ChannelStop(Channel);
}

std::int32_t CBassEngine::GetState() const {
    return BassPlayState;
}

void CBassEngine::OnChannelEnd(HSYNC, DWORD channel, DWORD, DWORD) {
    if (channel == g_ending_channel) {
        BassPlayState = 0;
    }
}

void CBassEngine::CreateSpectrum(int width, int height) {
    spectrum_ = std::make_unique<TSpectrum>(width, height);
    spectrum_->Mode = 1;
    spectrum_->BarWidth = 3;
    spectrum_->MaxHeight = height - 2;
    spectrum_->BarFall = 2;
    spectrum_->PeakFall = 1;
}

void CBassEngine::FreeSpectrum() {
    spectrum_.reset();
}

void CBassEngine::DrawSpectrum(QPainter& dc) {
    // Only a playing channel gives data. With no channel, a stopped, ended or paused one, or
    // another engine playing, the buffer stays zero: the bars fall to a quiet strip instead of
    // holding the last sound.
    float buffer[513] = {};
    if (BASS_ChannelIsActive(Channel) == kActivePlaying) {
        BASS_ChannelGetData(Channel, buffer, BASS_DATA_FFT1024);
    }
    if (spectrum_) {
        spectrum_->Draw(dc, buffer, 1, 1);
    }
}

}  // namespace tarvel::audio

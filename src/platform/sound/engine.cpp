#include "platform/sound/engine.h"

#include <algorithm>

#include "platform/sound/output.h"
#include "platform/sound/quiet_end.h"
#include "platform/sound/source_stage.h"

namespace tarvel::sound {

Engine::Engine(std::unique_ptr<Output> output) : output_(std::move(output)) {
    output_->Start(*this);
}

Engine::~Engine() {
    EndQuietly("the sound output", [this] { output_->Stop(); });
}

Channel* Engine::Find(ChannelId id) const {
    const auto it = channels_.find(id);
    return it == channels_.end() ? nullptr : it->second.get();
}

ChannelId Engine::Open(std::unique_ptr<Decoder> decoder) {
    auto channel = std::make_unique<Channel>(std::move(decoder));
    std::lock_guard lock(mutex_);
    const ChannelId id = next_id_++;
    channels_.emplace(id, std::move(channel));
    return id;
}

bool Engine::Free(ChannelId id) {
    std::unique_ptr<Channel> gone;
    {
        std::lock_guard lock(mutex_);
        const auto it = channels_.find(id);
        if (it == channels_.end()) {
            return false;
        }
        gone = std::move(it->second);
        channels_.erase(it);
    }
    return true;  // the decoder is closed here, outside the lock
}

std::shared_ptr<ChannelSource> Engine::SourceOf(ChannelId id) const {
    std::lock_guard lock(mutex_);
    const Channel* c = Find(id);
    return c == nullptr ? nullptr : c->source();
}

bool Engine::Play(ChannelId id) {
    {
        std::lock_guard lock(mutex_);
        Channel* c = Find(id);
        if (c == nullptr) {
            return false;
        }
        if (!c->ended) {
            c->state = PlayState::Playing;
            playing_.notify_all();
            return true;
        }
    }
    // A channel that played to its end starts again from 0; the decoder seeks outside the lock.
    Seek(id, 0);
    return StartFrom(id, PlayState::Stopped);
}

bool Engine::Pause(ChannelId id) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr || c->state != PlayState::Playing) {
        return false;
    }
    c->state = PlayState::Paused;
    return true;
}

bool Engine::Resume(ChannelId id) {
    return StartFrom(id, PlayState::Paused);
}

bool Engine::StartFrom(ChannelId id, PlayState from) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr || c->state != from) {
        return false;
    }
    c->state = PlayState::Playing;
    playing_.notify_all();
    return true;
}

bool Engine::Stop(ChannelId id) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr) {
        return false;
    }
    c->state = PlayState::Stopped;
    return true;
}

std::optional<PlayState> Engine::State(ChannelId id) const {
    std::lock_guard lock(mutex_);
    const Channel* c = Find(id);
    return c == nullptr ? std::nullopt : std::optional(c->state);
}

bool Engine::Ended(ChannelId id) const {
    std::lock_guard lock(mutex_);
    const Channel* c = Find(id);
    return c != nullptr && c->ended;
}

std::int64_t Engine::Position(ChannelId id) const {
    const auto source = SourceOf(id);
    return source == nullptr ? -1 : source->Position();
}

bool Engine::Seek(ChannelId id, std::int64_t frame) {
    // The decoder seeks (and may read its file) under the source's own lock only.
    const auto source = SourceOf(id);
    if (source == nullptr || !source->Seek(frame)) {
        return false;
    }
    std::lock_guard lock(mutex_);
    if (Channel* c = Find(id); c != nullptr && c->source() == source) {
        c->Restart();
    }
    return true;
}

std::int64_t Engine::Length(ChannelId id) {
    const auto source = SourceOf(id);
    return source == nullptr ? -1 : source->Length();
}

std::optional<PcmFormat> Engine::SourceFormat(ChannelId id) const {
    const auto source = SourceOf(id);
    return source == nullptr ? std::nullopt : std::optional(source->SourceFormat());
}

bool Engine::WithDecoder(ChannelId id, const std::function<void(Decoder&)>& f) {
    const auto source = SourceOf(id);
    if (source == nullptr) {
        return false;
    }
    source->WithDecoder(f);
    return true;
}

bool Engine::SetVolume(ChannelId id, float amplitude) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr) {
        return false;
    }
    c->volume = std::max(amplitude, 0.0f);
    return true;
}

bool Engine::SetLeveling(ChannelId id, float amplitude) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr) {
        return false;
    }
    c->leveling = std::max(amplitude, 0.0f);
    return true;
}

std::optional<float> Engine::Volume(ChannelId id) const {
    std::lock_guard lock(mutex_);
    const Channel* c = Find(id);
    return c == nullptr ? std::nullopt : std::optional(c->volume);
}

std::optional<std::size_t> Engine::AddEqBand(ChannelId id) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    return c == nullptr ? std::nullopt : std::optional(c->eq().AddBand());
}

bool Engine::SetEqBand(ChannelId id, std::size_t band, const EqBandParams& params) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr || band >= c->eq().BandCount()) {
        return false;
    }
    c->eq().SetBand(band, params);
    return true;
}

std::optional<EqBandParams> Engine::EqBand(ChannelId id, std::size_t band) const {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr || band >= c->eq().BandCount()) {
        return std::nullopt;
    }
    return c->eq().Band(band);
}

bool Engine::SetEndCallback(ChannelId id, std::function<void()> callback) {
    std::lock_guard lock(mutex_);
    Channel* c = Find(id);
    if (c == nullptr) {
        return false;
    }
    c->on_end = std::move(callback);
    return true;
}

bool Engine::Spectrum(ChannelId id, float* bins) {
    std::array<float, kFftSize> samples;
    {
        std::lock_guard lock(mutex_);
        const Channel* c = Find(id);
        if (c == nullptr) {
            return false;
        }
        c->History(samples.data(), UnheardLocked());
    }
    std::lock_guard lock(fft_mutex_);
    fft_.Magnitudes(samples.data(), bins);
    return true;
}

void Engine::MixSpectrum(float* bins) {
    std::array<float, kFftSize> samples;
    {
        std::lock_guard lock(mutex_);
        mix_history_.CopyOut(samples.data(), UnheardLocked());
    }
    std::lock_guard lock(fft_mutex_);
    fft_.Magnitudes(samples.data(), bins);
}

void Engine::SetMasterVolume(float amplitude) {
    std::lock_guard lock(mutex_);
    master_ = std::max(amplitude, 0.0f);
}

float Engine::MasterVolume() const {
    std::lock_guard lock(mutex_);
    return master_;
}

ManualOutput* Engine::Manual() const {
    return output_->AsManual();
}

std::size_t Engine::UnheardLocked() const {
    if (!heard_from_now_) {
        return 0;
    }
    const auto heard = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::steady_clock::now() - rendered_at_)
                           .count() *
                       kMixRate / 1'000'000;
    const auto frames = static_cast<std::int64_t>(rendered_frames_);
    return static_cast<std::size_t>(frames - std::clamp<std::int64_t>(heard, 0, frames));
}

bool Engine::AnyPlayingLocked() const {
    return std::any_of(channels_.begin(), channels_.end(),
                       [](const auto& entry) { return entry.second->state == PlayState::Playing; });
}

bool Engine::AnyPlaying() const {
    std::lock_guard lock(mutex_);
    return AnyPlayingLocked();
}

void Engine::WaitUntilPlaying(const std::atomic<bool>& running) {
    std::unique_lock lock(mutex_);
    // What the output would have rendered meanwhile: silence, so the spectrum of the mix falls.
    mix_history_.Clear();
    heard_from_now_ = false;
    output_asleep_ = true;
    playing_.wait(lock, [&] { return !running || AnyPlayingLocked(); });
    output_asleep_ = false;
}

bool Engine::OutputAsleep() const {
    std::lock_guard lock(mutex_);
    return output_asleep_;
}

void Engine::WakeOutput() {
    std::lock_guard lock(mutex_);
    playing_.notify_all();
}

void Engine::Render(float* out, std::size_t frames, bool heard_from_now) {
    // Decoding reads files: it runs before the mix, outside the lock, on the sources of the
    // channels that play. Sources freed meanwhile are closed when this list goes.
    std::vector<std::shared_ptr<ChannelSource>> playing;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [id, channel] : channels_) {
            if (channel->state == PlayState::Playing) {
                playing.push_back(channel->source());
            }
        }
    }
    for (const auto& source : playing) {
        source->Fill(frames);
    }
    std::vector<std::function<void()>> finished;
    {
        std::lock_guard lock(mutex_);
        std::fill(out, out + 2 * frames, 0.0f);
        for (auto& [id, channel] : channels_) {
            if (channel->state == PlayState::Playing && channel->MixInto(out, frames, scratch_)) {
                channel->state = PlayState::Stopped;
                channel->ended = true;
                if (channel->on_end) {
                    finished.push_back(channel->on_end);
                }
            }
        }
        for (std::size_t i = 0; i < frames; ++i) {
            out[2 * i] *= master_;
            out[2 * i + 1] *= master_;
            mix_history_.Push(0.5f * (out[2 * i] + out[2 * i + 1]));
        }
        rendered_at_ = std::chrono::steady_clock::now();
        rendered_frames_ = std::min(frames, SampleHistory::kMaxBack);
        heard_from_now_ = heard_from_now;
    }
    for (auto& callback : finished) {
        callback();
    }
}

}  // namespace tarvel::sound

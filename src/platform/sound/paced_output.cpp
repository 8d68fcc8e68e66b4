#include "platform/sound/paced_output.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/sound/engine.h"
#include "platform/sound/pacer.h"
#include "platform/sound/quiet_end.h"
#include "platform/sound/sndfile_library.h"

namespace tarvel::sound {

PacedOutput::PacedOutput(std::string wav_path, SoundClock& clock)
    : wav_path_(std::move(wav_path)), clock_(clock) {
    if (wav_path_.empty()) {
        return;
    }
    std::string why;
    const SndfileApi* sf = Sndfile(why);
    if (sf != nullptr) {
        SF_INFO info{};
        info.samplerate = 44100;
        info.channels = 2;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        wav_ = decltype(wav_)(sf->sf_open(wav_path_.c_str(), SFM_WRITE, &info), WavCloser{sf});
        if (wav_ == nullptr) {
            why = sf->sf_strerror(nullptr);
        }
    }
    if (wav_ == nullptr) {
        std::fprintf(stderr, "tarvel: cannot write sound to %s: %s; sound is discarded\n",
                     wav_path_.c_str(), why.c_str());
    }
}

void PacedOutput::WavCloser::operator()(sf_private_tag* file) const noexcept {
    sf->sf_close(file);
}

PacedOutput::~PacedOutput() {
    EndQuietly("the paced sound output", [this] { Stop(); });
}

void PacedOutput::Start(Engine& engine) {
    running_ = true;
    engine_ = &engine;
    thread_ = std::thread([this, &engine] { Run(engine); });
}

void PacedOutput::Stop() {
    running_ = false;
    if (engine_ != nullptr) {
        engine_->WakeOutput();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

void PacedOutput::WriteSilence(std::int64_t frames) {
    if (wav_ == nullptr) {
        return;
    }
    const std::vector<float> silence(kBlockFrames * 2, 0.0f);
    for (std::int64_t left = frames; left > 0; left -= kBlockFrames) {
        const auto count = std::min<std::int64_t>(left, kBlockFrames);
        wav_.get_deleter().sf->sf_writef_float(wav_.get(), silence.data(), count);
    }
}

void PacedOutput::Run(Engine& engine) {
    std::vector<float> block(kBlockFrames * 2);
    Pacer pacer(clock_);
    while (running_) {
        if (!engine.AnyPlaying()) {
            engine.WaitUntilPlaying(running_);
            WriteSilence(pacer.Overdue());
            pacer.Restart();
            continue;
        }
        engine.Render(block.data(), kBlockFrames, true);
        if (wav_ != nullptr) {
            wav_.get_deleter().sf->sf_writef_float(wav_.get(), block.data(), kBlockFrames);
        }
        pacer.Rendered(kBlockFrames);
    }
    if (wav_ != nullptr) {
        wav_.get_deleter().sf->sf_write_sync(wav_.get());
    }
}

}  // namespace tarvel::sound

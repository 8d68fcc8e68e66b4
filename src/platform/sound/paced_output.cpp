#include "platform/sound/paced_output.h"

#include <cstdio>
#include <vector>

#include "platform/sound/engine.h"
#include "platform/sound/pacer.h"
#include "platform/sound/quiet_end.h"
#include "platform/sound/sndfile_library.h"

namespace tarvel::sound {

namespace {
constexpr std::size_t kBlockFrames = 441;  // 10 ms
}

PacedOutput::PacedOutput(std::string wav_path) : wav_path_(std::move(wav_path)) {
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
    thread_ = std::thread([this, &engine] { Run(engine); });
}

void PacedOutput::Stop() {
    running_ = false;
    if (thread_.joinable()) {
        thread_.join();
    }
}

void PacedOutput::Run(Engine& engine) {
    std::vector<float> block(kBlockFrames * 2);
    Pacer pacer(RealClock());
    while (running_) {
        engine.Render(block.data(), kBlockFrames);
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

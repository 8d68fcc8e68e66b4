#include "platform/sound/device_output.h"

#include <portaudio.h>

#include <vector>

#include "platform/sound/engine.h"
#include "platform/sound/portaudio_output.h"
#include "platform/sound/quiet_end.h"
#include "platform/sound/sound_notice.h"

namespace tarvel::sound {

namespace {

void SayFallback(int error) {
    SaySoundTrouble("the sound device failed (" + PortAudioErrorText(error) +
                    "); playing without sound");
}

}  // namespace

DeviceOutput::DeviceOutput(std::unique_ptr<DeviceStream> stream, SoundClock& clock)
    : stream_(std::move(stream)), clock_(clock) {}

DeviceOutput::~DeviceOutput() {
    EndQuietly("the sound device output", [this] { Stop(); });
}

void DeviceOutput::Start(Engine& engine) {
    const int error = stream_->Start();
    started_ = error == paNoError;
    if (!started_) {
        SayFallback(error);
    }
    running_ = true;
    engine_ = &engine;
    thread_ = std::thread([this, &engine] { Run(engine, started_); });
}

void DeviceOutput::Stop() {
    running_ = false;
    if (engine_ != nullptr) {
        engine_->WakeOutput();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    if (started_) {
        stream_->Stop();
        started_ = false;
    }
}

bool DeviceOutput::Idle(Engine& engine) {
    stream_->Stop();
    engine.WaitUntilPlaying(running_);
    if (!running_) {
        return false;
    }
    const int error = stream_->Start();
    if (error != paNoError) {
        started_ = false;
        SayFallback(error);
        return false;
    }
    return true;
}

void DeviceOutput::Run(Engine& engine, bool on_device) {
    std::vector<float> block(kBlockFrames * 2);
    Pacer pacer(clock_);
    while (running_) {
        if (!engine.AnyPlaying()) {
            if (on_device) {
                on_device = Idle(engine);
            } else {
                engine.WaitUntilPlaying(running_);
            }
            pacer.Restart();
            continue;
        }
        engine.Render(block.data(), kBlockFrames, true);
        if (on_device) {
            // An underflow only means the device ran dry for a moment; the stream goes on.
            const int error = stream_->Write(block.data(), kBlockFrames);
            if (error == paNoError || error == paOutputUnderflowed) {
                continue;
            }
            SayFallback(error);
            on_device = false;
            pacer.Restart();
        }
        pacer.Rendered(kBlockFrames);
    }
}

}  // namespace tarvel::sound

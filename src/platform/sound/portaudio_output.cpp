#include "platform/sound/portaudio_output.h"

#include <portaudio.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/sound/engine.h"

namespace tarvel::sound {

namespace {

constexpr unsigned long kBlockFrames = 512;

// Pa_Initialize / Pa_Terminate pair.
class PortAudioLibrary {
  public:
    PortAudioLibrary() : error_(Pa_Initialize()) {}
    ~PortAudioLibrary() {
        if (error_ == paNoError) {
            Pa_Terminate();
        }
    }
    PaError error() const { return error_; }

  private:
    PaError error_;
};

struct StreamCloser {
    void operator()(PaStream* s) const noexcept { Pa_CloseStream(s); }
};

class PortAudioOutput final : public Output {
  public:
    PortAudioOutput(std::unique_ptr<PortAudioLibrary> library, PaStream* stream)
        : library_(std::move(library)), stream_(stream) {}
    ~PortAudioOutput() override { Stop(); }

    void Start(Engine& engine) override {
        running_ = true;
        Pa_StartStream(stream_.get());
        thread_ = std::thread([this, &engine] {
            std::vector<float> block(kBlockFrames * 2);
            while (running_) {
                engine.Render(block.data(), kBlockFrames);
                Pa_WriteStream(stream_.get(), block.data(), kBlockFrames);
            }
        });
    }

    void Stop() override {
        running_ = false;
        if (thread_.joinable()) {
            thread_.join();
            Pa_StopStream(stream_.get());
        }
    }

  private:
    std::unique_ptr<PortAudioLibrary> library_;
    std::unique_ptr<PaStream, StreamCloser> stream_;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace

std::unique_ptr<Output> OpenPortAudioOutput(std::string& why) {
    auto library = std::make_unique<PortAudioLibrary>();
    if (library->error() != paNoError) {
        why = Pa_GetErrorText(library->error());
        return nullptr;
    }
    if (Pa_GetDefaultOutputDevice() == paNoDevice) {
        why = "none found";
        return nullptr;
    }
    PaStream* stream = nullptr;
    const PaError error =
        Pa_OpenDefaultStream(&stream, 0, 2, paFloat32, 44100, kBlockFrames, nullptr, nullptr);
    if (error != paNoError) {
        why = Pa_GetErrorText(error);
        return nullptr;
    }
    return std::make_unique<PortAudioOutput>(std::move(library), stream);
}

}  // namespace tarvel::sound

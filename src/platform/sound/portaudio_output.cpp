#include "platform/sound/portaudio_output.h"

#include <portaudio.h>

#include "platform/sound/device_output.h"

namespace tarvel::sound {

namespace {

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

// The default device's blocking stream.
class PortAudioStream final : public DeviceStream {
  public:
    PortAudioStream(std::unique_ptr<PortAudioLibrary> library, PaStream* stream)
        : library_(std::move(library)), stream_(stream) {}

    int Start() override { return Pa_StartStream(stream_.get()); }
    int Write(const float* frames, unsigned long count) override {
        return Pa_WriteStream(stream_.get(), frames, count);
    }
    void Stop() override { Pa_StopStream(stream_.get()); }

  private:
    std::unique_ptr<PortAudioLibrary> library_;  // terminated after the stream is closed
    std::unique_ptr<PaStream, StreamCloser> stream_;
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
    const PaError error = Pa_OpenDefaultStream(&stream, 0, 2, paFloat32, 44100,
                                               DeviceOutput::kBlockFrames, nullptr, nullptr);
    if (error != paNoError) {
        why = Pa_GetErrorText(error);
        return nullptr;
    }
    return std::make_unique<DeviceOutput>(
        std::make_unique<PortAudioStream>(std::move(library), stream));
}

}  // namespace tarvel::sound

#include "platform/sound/portaudio_output.h"

#include <fmt/format.h>
#include <portaudio.h>

#include "platform/sound/device_output.h"
#include "platform/sound/dynamic_library.h"

namespace tarvel::sound {

namespace {

// The PortAudio functions used, from the library loaded when the sound device is first opened
// (the null and WAV outputs never load it).
struct PortAudioApi {
    decltype(&::Pa_Initialize) Pa_Initialize = nullptr;
    decltype(&::Pa_Terminate) Pa_Terminate = nullptr;
    decltype(&::Pa_GetErrorText) Pa_GetErrorText = nullptr;
    decltype(&::Pa_GetDefaultOutputDevice) Pa_GetDefaultOutputDevice = nullptr;
    decltype(&::Pa_OpenDefaultStream) Pa_OpenDefaultStream = nullptr;
    decltype(&::Pa_StartStream) Pa_StartStream = nullptr;
    decltype(&::Pa_WriteStream) Pa_WriteStream = nullptr;
    decltype(&::Pa_StopStream) Pa_StopStream = nullptr;
    decltype(&::Pa_CloseStream) Pa_CloseStream = nullptr;
};

const PortAudioApi* PortAudio(std::string& why) {
    static LazyLibrary<PortAudioApi> library({"libportaudio.so.2"},
                                             [](DynamicLibrary& l, PortAudioApi& api) {
                                                 TARVEL_RESOLVE(l, api, Pa_Initialize);
                                                 TARVEL_RESOLVE(l, api, Pa_Terminate);
                                                 TARVEL_RESOLVE(l, api, Pa_GetErrorText);
                                                 TARVEL_RESOLVE(l, api, Pa_GetDefaultOutputDevice);
                                                 TARVEL_RESOLVE(l, api, Pa_OpenDefaultStream);
                                                 TARVEL_RESOLVE(l, api, Pa_StartStream);
                                                 TARVEL_RESOLVE(l, api, Pa_WriteStream);
                                                 TARVEL_RESOLVE(l, api, Pa_StopStream);
                                                 TARVEL_RESOLVE(l, api, Pa_CloseStream);
                                             });
    return library.Get(why);
}

// Pa_Initialize / Pa_Terminate pair.
class PortAudioLibrary {
  public:
    explicit PortAudioLibrary(const PortAudioApi& pa) : pa_(pa), error_(pa.Pa_Initialize()) {}
    ~PortAudioLibrary() {
        if (error_ == paNoError) {
            pa_.Pa_Terminate();
        }
    }
    const PortAudioApi& api() const { return pa_; }
    PaError error() const { return error_; }

  private:
    const PortAudioApi& pa_;
    PaError error_;
};

struct StreamCloser {
    const PortAudioApi* pa;
    void operator()(PaStream* s) const noexcept { pa->Pa_CloseStream(s); }
};

// The default device's blocking stream.
class PortAudioStream final : public DeviceStream {
  public:
    PortAudioStream(std::unique_ptr<PortAudioLibrary> library, PaStream* stream)
        : library_(std::move(library)), pa_(library_->api()), stream_(stream, StreamCloser{&pa_}) {}

    int Start() override { return pa_.Pa_StartStream(stream_.get()); }
    int Write(const float* frames, unsigned long count) override {
        return pa_.Pa_WriteStream(stream_.get(), frames, count);
    }
    void Stop() override { pa_.Pa_StopStream(stream_.get()); }

  private:
    std::unique_ptr<PortAudioLibrary> library_;  // terminated after the stream is closed
    const PortAudioApi& pa_;
    std::unique_ptr<PaStream, StreamCloser> stream_;
};

}  // namespace

std::unique_ptr<Output> OpenPortAudioOutput(std::string& why) {
    const PortAudioApi* pa = PortAudio(why);
    if (pa == nullptr) {
        return nullptr;
    }
    auto library = std::make_unique<PortAudioLibrary>(*pa);
    if (library->error() != paNoError) {
        why = pa->Pa_GetErrorText(library->error());
        return nullptr;
    }
    if (pa->Pa_GetDefaultOutputDevice() == paNoDevice) {
        why = "none found";
        return nullptr;
    }
    PaStream* stream = nullptr;
    const PaError error = pa->Pa_OpenDefaultStream(&stream, 0, 2, paFloat32, 44100,
                                                   DeviceOutput::kBlockFrames, nullptr, nullptr);
    if (error != paNoError) {
        why = pa->Pa_GetErrorText(error);
        return nullptr;
    }
    return std::make_unique<DeviceOutput>(
        std::make_unique<PortAudioStream>(std::move(library), stream));
}

std::string PortAudioErrorText(int error) {
    std::string why;
    const PortAudioApi* pa = PortAudio(why);
    return pa != nullptr ? pa->Pa_GetErrorText(error) : fmt::format("PortAudio error {}", error);
}

}  // namespace tarvel::sound

#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/sound/output.h"

struct sf_private_tag;

namespace tarvel::sound {

struct SndfileApi;

// A sound thread that renders 10 ms blocks in real time, like a sound card would pull them, and
// either discards them (null) or writes them to a 16-bit stereo WAV file (wav:PATH).
class PacedOutput final : public Output {
  public:
    // wav_path empty: discard.
    explicit PacedOutput(std::string wav_path = {});
    ~PacedOutput() override;

    void Start(Engine& engine) override;
    void Stop() override;

  private:
    void Run(Engine& engine);

    struct WavCloser {
        const SndfileApi* sf;  // value-initialised (null) in an empty unique_ptr
        void operator()(sf_private_tag* file) const noexcept;
    };

    std::string wav_path_;
    std::unique_ptr<sf_private_tag, WavCloser> wav_;
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace tarvel::sound

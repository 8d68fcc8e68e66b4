#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "platform/sound/output.h"
#include "platform/sound/pacer.h"

struct sf_private_tag;

namespace tarvel::sound {

struct SndfileApi;

// A sound thread that renders blocks in real time, like a sound card would pull them, and
// either discards them (null) or writes them to a 16-bit stereo WAV file (wav:PATH). It wakes
// once a block while something plays and sleeps while nothing does; the WAV file still holds the
// silence of that time, written when the thread wakes again or stops.
class PacedOutput final : public Output {
  public:
    // A tenth of a second: the thread wakes ten times a second while something plays.
    static constexpr std::size_t kBlockFrames = 4410;

    // wav_path empty: discard. Tests give a clock of their own.
    explicit PacedOutput(std::string wav_path = {}, SoundClock& clock = RealClock());
    ~PacedOutput() override;

    void Start(Engine& engine) override;
    void Stop() override;

  private:
    void Run(Engine& engine);
    // Writes frames of silence to the WAV file, if there is one.
    void WriteSilence(std::int64_t frames);

    struct WavCloser {
        const SndfileApi* sf;  // value-initialised (null) in an empty unique_ptr
        void operator()(sf_private_tag* file) const noexcept;
    };

    std::string wav_path_;
    SoundClock& clock_;
    std::unique_ptr<sf_private_tag, WavCloser> wav_;
    std::atomic<bool> running_{false};
    Engine* engine_ = nullptr;
    std::thread thread_;
};

}  // namespace tarvel::sound

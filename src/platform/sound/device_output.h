#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "platform/sound/output.h"
#include "platform/sound/pacer.h"

namespace tarvel::sound {

// What the device output writes to: the sound device's stream (PortAudio), or a stand-in that
// fails on purpose in tests. Results are PortAudio error codes (paNoError is 0).
class DeviceStream {
  public:
    virtual ~DeviceStream() = default;
    virtual int Start() = 0;
    // Blocks until the device has taken the frames (interleaved stereo float).
    virtual int Write(const float* frames, unsigned long count) = 0;
    virtual void Stop() = 0;
};

// Plays the mix on a sound device from its own sound thread, in blocks written with blocking
// writes, so the device's buffer paces the thread. When the device fails (its stream does not
// start, or a write reports an error) the output says so once on stderr and goes on as the
// null output: the mix is rendered and discarded at the pace of the clock, so songs keep their
// time and end when they should instead of racing to their end. While nothing plays the stream
// is stopped (what it holds is played out first) and the thread sleeps until something does.
class DeviceOutput final : public Output {
  public:
    // About a tenth of a second: the thread wakes a few times a second while something plays.
    static constexpr unsigned long kBlockFrames = 4096;

    explicit DeviceOutput(std::unique_ptr<DeviceStream> stream, SoundClock& clock = RealClock());
    ~DeviceOutput() override;

    void Start(Engine& engine) override;
    void Stop() override;

  private:
    void Run(Engine& engine, bool on_device);
    // Sleeps until something plays, with the device's stream stopped meanwhile; false when the
    // stream does not start again.
    bool Idle(Engine& engine);

    std::unique_ptr<DeviceStream> stream_;
    SoundClock& clock_;
    bool started_ = false;
    std::atomic<bool> running_{false};
    Engine* engine_ = nullptr;
    std::thread thread_;
};

}  // namespace tarvel::sound

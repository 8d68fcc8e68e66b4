#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvel::sound {

class Engine;
class ManualOutput;

// Where the mix goes. An output pulls frames from the engine (Engine::Render) on its own sound
// thread, except the manual output, which renders only when asked.
class Output {
  public:
    virtual ~Output() = default;
    virtual void Start(Engine& engine) = 0;
    // Stops pulling; no Render call runs after it returns.
    virtual void Stop() = 0;
    virtual ManualOutput* AsManual() { return nullptr; }
};

// Renders synchronously when a test or a benchmark advances the clock; end callbacks run in
// the caller. It can keep what it rendered for measuring.
class ManualOutput final : public Output {
  public:
    void Start(Engine& engine) override { engine_ = &engine; }
    void Stop() override { engine_ = nullptr; }
    ManualOutput* AsManual() override { return this; }

    // Renders the frames of the next ms milliseconds (44.1 a millisecond, no drift over calls).
    void Advance(std::int64_t ms);
    void RenderFrames(std::size_t frames);

    // Keeping the rendered frames (interleaved stereo) is off until switched on.
    void SetCapture(bool on) { capture_ = on; }
    const std::vector<float>& Captured() const { return captured_; }
    void ClearCaptured() { captured_.clear(); }
    std::int64_t RenderedFrames() const { return rendered_; }

  private:
    Engine* engine_ = nullptr;
    bool capture_ = false;
    std::vector<float> captured_;
    std::vector<float> block_;
    std::int64_t elapsed_ms_ = 0;
    std::int64_t rendered_ = 0;
};

// The output named by a TARVEL_AUDIO value: "default" (the sound device through PortAudio),
// "null" (discards in real time), "wav:PATH" (writes what would sound, in real time, to a
// 16-bit WAV file) or "manual". An unknown name, or no usable sound device, gives the null
// output, and the reason is said once on stderr.
std::unique_ptr<Output> CreateOutput(const std::string& name);
// TARVEL_AUDIO, or "default" when it is not set.
std::string OutputNameFromEnvironment();

}  // namespace tarvel::sound

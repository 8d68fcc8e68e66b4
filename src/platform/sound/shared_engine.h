#pragma once

#include <functional>
#include <mutex>

namespace tarvel::sound {

class Engine;

// The process's one engine, on the output of TARVEL_AUDIO, made at first use. The sound-library
// APIs share it, as the real libraries share the sound device.
Engine& SharedEngine();

// Ends the shared engine (its channels go with it): first everything that keeps its address is
// told to let go of it (AtSharedEngineEnd), then the sound thread stops and the engine is
// freed. The next SharedEngine() makes a new one from the environment.
void ResetSharedEngine();

// Registers what a holder of the shared engine's address does when that engine ends (it is
// given the engine, and must drop every channel and pointer it keeps of it). Called outside the
// engine's lock; registrations last for the process.
void AtSharedEngineEnd(std::function<void(Engine&)> let_go);

// For a sound-library interface whose state (a mutex, an initialised flag and the engine's
// address) may point at the shared engine: registers, once, that when that engine ends the
// state ends its initialisation on it (end(state), under the state's mutex).
template <typename State, typename End>
void EndWithSharedEngine(State& state, End end) {
    [[maybe_unused]] static const bool registered =
        (AtSharedEngineEnd([&state, end](Engine& e) {
             std::lock_guard lock(state.mutex);
             if (state.initialised && state.engine == &e) {
                 end(state);
             }
         }),
         true);
}

// The owner that gives the shared engine a defined lifetime: made at the top of main(), before
// any object that plays through the engine, so those objects (made after it) are gone before
// the engine ends; its end stops the sound thread while the program is still whole, not during
// static destruction.
class SharedEngineOwner {
  public:
    SharedEngineOwner() = default;
    ~SharedEngineOwner();
    SharedEngineOwner(const SharedEngineOwner&) = delete;
    SharedEngineOwner& operator=(const SharedEngineOwner&) = delete;
};

}  // namespace tarvel::sound

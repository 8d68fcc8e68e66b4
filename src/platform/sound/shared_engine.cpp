#include "platform/sound/shared_engine.h"

#include <memory>
#include <mutex>
#include <vector>

#include "platform/sound/engine.h"
#include "platform/sound/output.h"
#include "platform/sound/quiet_end.h"

namespace tarvel::sound {

namespace {

struct Shared {
    std::mutex mutex;
    std::unique_ptr<Engine> engine;
    std::vector<std::function<void(Engine&)>> let_go;
};

Shared& TheShared() {
    static Shared shared;
    return shared;
}

}  // namespace

Engine& SharedEngine() {
    Shared& shared = TheShared();
    std::lock_guard lock(shared.mutex);
    if (!shared.engine) {
        shared.engine = std::make_unique<Engine>(CreateOutput(OutputNameFromEnvironment()));
    }
    return *shared.engine;
}

void AtSharedEngineEnd(std::function<void(Engine&)> let_go) {
    Shared& shared = TheShared();
    std::lock_guard lock(shared.mutex);
    shared.let_go.push_back(std::move(let_go));
}

void ResetSharedEngine() {
    std::unique_ptr<Engine> gone;
    std::vector<std::function<void(Engine&)>> let_go;
    {
        Shared& shared = TheShared();
        std::lock_guard lock(shared.mutex);
        gone = std::move(shared.engine);
        let_go = shared.let_go;
    }
    if (gone == nullptr) {
        return;
    }
    // The holders take their own locks and free their channels on the engine: not under ours.
    for (const auto& f : let_go) {
        f(*gone);
    }
}

SharedEngineOwner::~SharedEngineOwner() {
    EndQuietly("the sound engine", [] { ResetSharedEngine(); });
}

}  // namespace tarvel::sound

#pragma once

#include <memory>

#include "platform/sound/engine.h"
#include "platform/sound/output.h"

namespace tarvel::testing {

// An engine on a capturing manual output.
inline std::unique_ptr<sound::Engine> ManualEngine() {
    auto engine = std::make_unique<sound::Engine>(sound::CreateOutput("manual"));
    engine->Manual()->SetCapture(true);
    return engine;
}

}  // namespace tarvel::testing

#pragma once

#include <memory>
#include <string>

#include "platform/sound/output.h"

namespace tarvel::sound {

// The default sound device through PortAudio (blocking writes from the output's own sound
// thread). Nothing, and the reason in why, when there is no usable device.
std::unique_ptr<Output> OpenPortAudioOutput(std::string& why);

}  // namespace tarvel::sound

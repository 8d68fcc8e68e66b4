#pragma once

#include <memory>
#include <string>

#include "platform/sound/output.h"

namespace tarvel::sound {

// The default sound device through PortAudio (blocking writes from the output's own sound
// thread). Nothing, and the reason in why, when there is no usable device.
// When PortAudio cannot be loaded, why names the library and the loader's reason.
std::unique_ptr<Output> OpenPortAudioOutput(std::string& why);

// PortAudio's text for one of its error codes.
std::string PortAudioErrorText(int error);

}  // namespace tarvel::sound

#pragma once

#include <memory>
#include <string>

#include "platform/sound/decoder.h"

namespace tarvel::sound {

// Tracker modules (MOD, S3M, XM, IT and the rest libopenmpt knows), rendered at 44 100 Hz stereo,
// played once without looping. Throws SoundError when the file is missing or no module.
std::unique_ptr<Decoder> OpenOpenmptDecoder(const std::string& path);

// The module's format tag as libopenmpt names it ("mod", "s3m", "xm", "it"...), empty when the
// decoder is not a module decoder.
std::string ModuleTypeOf(Decoder& decoder);

}  // namespace tarvel::sound

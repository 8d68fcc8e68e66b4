#pragma once

#include <atomic>
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

// How far apart a module's channels are panned, as libopenmpt's stereo separation in percent:
// 0 mono, 100 its default (a channel panned hard left comes out with half as much on the
// right), 200 full stereo. Any thread may store into it; the decoder applies the value to what
// it renders next.
using StereoSeparation = std::shared_ptr<std::atomic<int>>;

// The separation control of a module decoder, null for any other decoder.
StereoSeparation StereoSeparationOf(Decoder& decoder);

}  // namespace tarvel::sound

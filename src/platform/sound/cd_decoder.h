#pragma once

#include <memory>

#include "platform/sound/cd_disc.h"
#include "platform/sound/decoder.h"

namespace tarvel::sound {

// One audio track of a disc, 44 100 Hz stereo, seekable to the frame. Throws SoundError
// NoDevice when the track does not exist or is no audio track.
std::unique_ptr<Decoder> OpenCdDecoder(std::unique_ptr<CdDisc> disc, int track);

}  // namespace tarvel::sound

#pragma once

#include <memory>
#include <string>

#include "platform/sound/decoder.h"

namespace tarvel::sound {

// MPEG audio layers 1-3 through libmpg123, as float samples, with gapless trimming on so a song
// has exactly the encoded audio's sample count. Throws SoundError when the file cannot be opened
// or holds no MPEG audio.
std::unique_ptr<Decoder> OpenMpg123Decoder(const std::string& path);

}  // namespace tarvel::sound

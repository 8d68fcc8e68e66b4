#pragma once

#include <memory>
#include <string>

#include "platform/sound/byte_source.h"
#include "platform/sound/decoder.h"

namespace tarvel::sound {

// MPEG audio layers 1-3 through libmpg123, as float samples, with gapless trimming on so a song
// has exactly the encoded audio's sample count. Throws SoundError when the file cannot be opened
// or holds no MPEG audio.
// The file is read through a ByteSource, a little at a time as the decoder needs it.
std::unique_ptr<Decoder> OpenMpg123Decoder(const std::string& path);
// The same over any bytes (path only names them in messages).
std::unique_ptr<Decoder> OpenMpg123Decoder(std::unique_ptr<ByteSource> bytes,
                                           const std::string& path);

}  // namespace tarvel::sound

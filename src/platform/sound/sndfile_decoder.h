#pragma once

#include <memory>
#include <string>

#include "platform/sound/decoder.h"

namespace tarvel::sound {

// WAV, AIFF, OGG Vorbis, FLAC and the other containers of libsndfile. MPEG audio is left to
// the libmpg123 decoder (libsndfile would take it too, without gapless trimming): such a file
// throws SoundError UnknownFormat here, as does anything libsndfile does not recognise.
std::unique_ptr<Decoder> OpenSndfileDecoder(const std::string& path);

}  // namespace tarvel::sound

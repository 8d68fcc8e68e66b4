#pragma once

#include <memory>
#include <string>

#include "platform/sound/decoder.h"

namespace tarvel::sound {

// Every compressed format other than MPEG audio through libavformat and libavcodec: FLAC, Ogg
// (Vorbis, Opus, FLAC, Speex), AAC and ALAC in MP4, WMA, WavPack, Monkey's Audio, Musepack and a
// few more. The container is recognised by its content, never by the file's name; one that is
// no sound container of these kinds, or whose audio does not decode, is refused with a SoundError
// that keeps libav's words. Encoder delay and padding are trimmed as the container declares them
// (Opus pre-skip, MP4 edit lists), so a song has exactly the samples that were encoded.
std::unique_ptr<Decoder> OpenAvDecoder(const std::string& path);

}  // namespace tarvel::sound

#pragma once

#include <memory>
#include <string>

#include "platform/sound/decoder.h"

namespace tarvel::sound {

// The one place that knows every decoder. Each throws SoundError (NotFound, UnknownFormat,
// NoDevice...) when it cannot give a decoder.

// A sampled stream: WAV/AIFF/OGG/FLAC (libsndfile) or MPEG audio (libmpg123).
std::unique_ptr<Decoder> OpenStreamDecoder(const std::string& path);
// A tracker module (libopenmpt).
std::unique_ptr<Decoder> OpenModuleDecoder(const std::string& path);
// True when a file opens as a sampled stream or as a module.
bool CanPlayFile(const std::string& path);
// Track 1.. of the disc in CdSource().
std::unique_ptr<Decoder> OpenCdTrackDecoder(int track);

}  // namespace tarvel::sound

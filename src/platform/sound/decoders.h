#pragma once

#include <memory>
#include <string>

#include "platform/sound/decoder.h"

namespace tarvel::sound {

// The one place that knows every decoder. Each throws SoundError (NotFound, UnknownFormat,
// NoDevice...) when it cannot give a decoder.

// A sampled stream, recognised by its content: WAV/AIFF and other PCM files (libsndfile), MPEG
// audio (libmpg123) or any compressed format of libavformat's that holds sound (FLAC, Ogg, MP4,
// WMA, WavPack, APE, Musepack...).
std::unique_ptr<Decoder> OpenStreamDecoder(const std::string& path);
// A tracker module (libopenmpt).
std::unique_ptr<Decoder> OpenModuleDecoder(const std::string& path);
// True when a file opens as a sampled stream or as a module.
bool CanPlayFile(const std::string& path);
// Track 1.. of the disc in CdSource().
std::unique_ptr<Decoder> OpenCdTrackDecoder(int track);

}  // namespace tarvel::sound

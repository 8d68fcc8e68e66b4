#pragma once

#include <sndfile.h>

#include <string>

namespace tarvel::sound {

// The libsndfile functions the program uses, from the library loaded on first use (other
// stream formats and the WAV output need it; MP3 playback does not).
struct SndfileApi {
    decltype(&::sf_open) sf_open = nullptr;
    decltype(&::sf_close) sf_close = nullptr;
    decltype(&::sf_strerror) sf_strerror = nullptr;
    decltype(&::sf_command) sf_command = nullptr;
    decltype(&::sf_readf_float) sf_readf_float = nullptr;
    decltype(&::sf_writef_float) sf_writef_float = nullptr;
    decltype(&::sf_seek) sf_seek = nullptr;
    decltype(&::sf_write_sync) sf_write_sync = nullptr;
};

// Null, and why names the library and the loader's reason, when libsndfile cannot be loaded.
const SndfileApi* Sndfile(std::string& why);

}  // namespace tarvel::sound

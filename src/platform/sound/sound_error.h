#pragma once

#include <string>

#include "platform/error/app_error.h"

namespace tarvel::sound {

// Why a sound source could not be opened or played.
enum class SoundFault {
    NotFound,       // the file does not exist or cannot be opened
    UnknownFormat,  // no decoder recognises the data
    ReadError,      // recognised, but the data is broken or unreadable
    NoDevice,       // no CD device or image, or no such track
    BadArgument,    // a handle or value that does not fit the call
};

// The sound core's failures: an AppError whose text names the path and keeps the library's own
// message, plus the kind of fault so the sound-library APIs can answer their error codes.
class SoundError : public AppError {
  public:
    SoundError(SoundFault fault, const std::string& text) : AppError(text), fault_(fault) {}
    SoundFault fault() const noexcept { return fault_; }

  private:
    SoundFault fault_;
};

}  // namespace tarvel::sound

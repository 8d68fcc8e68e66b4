#pragma once

#include <cstdint>
#include <string>

namespace tarvel::text {

// Text to a signed 32-bit integer as the system's conversion routine reads it: optional leading
// blanks, an optional sign, decimal digits or "$"/"0x" followed by hex digits, nothing after.
// Anything else, or a value out of range, throws AppError "'<text>' is not a valid integer value".
std::int32_t StrToInt(const std::string& text);

}  // namespace tarvel::text

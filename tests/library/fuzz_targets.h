#pragma once

#include <cstddef>
#include <cstdint>

// One entry point per reader, fed arbitrary bytes: each reads them as a whole file and aborts
// when a result breaks what the reader promises. The libFuzzer programs in fuzz/ call them, and
// the test suite runs them over mutated real files.
namespace tarvel::library {

void FuzzId3v1(const uint8_t* data, size_t size);
void FuzzId3v2(const uint8_t* data, size_t size);
void FuzzMpegAudio(const uint8_t* data, size_t size);

}  // namespace tarvel::library

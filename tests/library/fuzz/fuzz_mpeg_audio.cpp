// libFuzzer entry point: clang++ -fsanitize=fuzzer (see CMakeLists.txt beside this file).
#include "library/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarvel::library::FuzzMpegAudio(data, size);
    return 0;
}

#pragma once

#include <cstdio>
#include <exception>

namespace tarvel::sound {

// Runs the closing steps of a destructor. An exception must not leave a destructor (the
// program would end at once), so a failure here is said on stderr and the object goes anyway.
template <typename Steps>
void EndQuietly(const char* what, Steps&& steps) noexcept {
    try {
        steps();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvel: ending %s: %s\n", what, e.what());
    } catch (...) {
        std::fprintf(stderr, "tarvel: ending %s failed\n", what);
    }
}

}  // namespace tarvel::sound

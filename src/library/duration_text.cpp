#include "library/duration_text.h"

#include <fmt/format.h>

#include <charconv>
#include <cstdint>

namespace tarvel::library {

std::string DurationText(std::string_view milliseconds) {
    int64_t ms = 0;
    const char* end = milliseconds.data() + milliseconds.size();
    const auto [ptr, ec] = std::from_chars(milliseconds.data(), end, ms);
    if (ec != std::errc() || ptr != end || ms < 0) {
        ms = 0;
    }
    int64_t s = ms / 1000;
    const int64_t rest = ms % 1000;
    if (rest > 500 || (rest == 500 && s % 2 == 1)) {
        ++s;
    }
    const int64_t days = s / 86400;
    const int64_t hours = s % 86400 / 3600;
    std::string text;
    if (days > 0) {
        text += fmt::format("{}:", days);
    }
    if (hours > 0) {
        text += fmt::format("{}:", hours);
    }
    text += fmt::format("{:02}:{:02}", s % 3600 / 60, s % 60);
    return text;
}

}  // namespace tarvel::library

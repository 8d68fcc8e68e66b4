#include "platform/text/int_text.h"

#include <fmt/format.h>

#include <cstdint>

#include "platform/error/app_error.h"
#include "platform/text/number_text.h"

namespace tarvel::text {

std::int32_t StrToInt(const std::string& text) {
    const auto fail = [&] {
        return AppError(fmt::format("'{}' is not a valid integer value", text));
    };
    std::string_view rest(text);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
    bool negative = false;
    std::size_t at = 0;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        at = 1;
    }
    std::size_t hex_at = 0;
    if (rest.substr(at, 1) == "$") {
        hex_at = at + 1;
    } else if (rest.substr(at, 2) == "0x" || rest.substr(at, 2) == "0X") {
        hex_at = at + 2;
    }
    if (hex_at == 0) {
        if (const auto value = ParseInt32(rest)) {
            return *value;
        }
        throw fail();
    }
    if (hex_at == rest.size()) {
        throw fail();
    }
    std::int64_t value = 0;
    for (const char c : rest.substr(hex_at)) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || (value = value * 16 + digit) > INT32_MAX) {
            throw fail();
        }
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace tarvel::text

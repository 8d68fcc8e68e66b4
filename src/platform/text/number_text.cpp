#include "platform/text/number_text.h"

#include <fmt/format.h>

#include <charconv>
#include <cmath>

namespace tarvel::text {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips digits from pos; returns how many there were.
size_t SkipDigits(std::string_view text, size_t& pos) {
    const size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return pos - start;
}

void SkipSign(std::string_view text, size_t& pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    size_t pos = 0;
    SkipSign(text, pos);
    const size_t digits_start = pos;
    if (SkipDigits(text, pos) == 0 || pos != text.size()) {
        return std::nullopt;
    }
    // from_chars takes a minus sign but not a plus sign.
    const bool negative = digits_start > 0 && text[0] == '-';
    std::int64_t magnitude = 0;
    for (size_t i = digits_start; i < text.size(); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > std::int64_t{1} << 31) {
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<double> ParseDecimal(std::string_view text) {
    size_t pos = 0;
    SkipSign(text, pos);
    size_t digits = SkipDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        digits += SkipDigits(text, pos);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        SkipSign(text, pos);
        if (SkipDigits(text, pos) == 0) {
            return std::nullopt;
        }
    }
    if (pos != text.size()) {
        return std::nullopt;
    }
    // from_chars reads the same grammar except a leading plus sign.
    const size_t start = (!text.empty() && text[0] == '+') ? 1 : 0;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseDecimalPointOrComma(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return ParseDecimal(text);
    }
    if (text.find('.') != std::string_view::npos) {
        return std::nullopt;
    }
    // A second comma stays in the text and fails the parse.
    std::string with_point(text);
    with_point[comma] = '.';
    return ParseDecimal(with_point);
}

std::string FormatGeneral(double value) {
    return fmt::format("{:.15g}", value);
}

}  // namespace tarvel::text

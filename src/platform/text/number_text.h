#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Numbers in the program's text files: plain decimal, no spaces, no thousands separators, a point
// as the decimal separator. A text that is not such a number gives nothing, never a guess.
namespace tarvel::text {

// An optional sign and one or more digits, within the range of a signed 32-bit integer.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// An optional sign, digits with an optional point (at least one digit), an optional exponent
// ("e" or "E", optional sign, digits). Only finite values; no "inf", "nan" or hexadecimal.
std::optional<double> ParseDecimal(std::string_view text);

// A decimal number as ParseDecimal reads it, or with a comma in place of the point: files written
// where the system's decimal separator is a comma hold "12,5". A text with both, or with more
// than one separator, gives nothing.
std::optional<double> ParseDecimalPointOrComma(std::string_view text);

// The shortest general form with up to 15 significant digits: 25 -> "25", 12.5 -> "12.5",
// 700.0000000000001 -> "700", 1e-05 -> "1e-05".
std::string FormatGeneral(double value);

}  // namespace tarvel::text

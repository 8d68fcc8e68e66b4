#pragma once

#include <string>

namespace tarvel::text {

// The bytes as lower-case hexadecimal digits, two a byte ("\x2f\x00" gives "2f00").
inline std::string HexBytes(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out.push_back(kDigits[c >> 4]);
        out.push_back(kDigits[c & 0x0F]);
    }
    return out;
}

}  // namespace tarvel::text

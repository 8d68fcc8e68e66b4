#include "platform/text/cp1251.h"

#include <array>

#include "platform/text/unicode.h"

namespace tarvel::text {
namespace {

// Code points of the bytes 0x80..0xFF; bytes below 0x80 are ASCII.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// The byte of every code point below kReverseSize that the code page has, 0 for none (byte 0 is
// U+0000 alone, which the ASCII half answers before the table is asked).
constexpr char32_t kReverseSize = 0x2200;

const std::array<unsigned char, kReverseSize>& ReverseTable() {
    static const auto table = [] {
        std::array<unsigned char, kReverseSize> bytes{};
        for (int i = 0; i < 128; ++i) {
            bytes[kHighHalf[static_cast<size_t>(i)]] = static_cast<unsigned char>(0x80 + i);
        }
        return bytes;
    }();
    return table;
}

}  // namespace

char32_t DecodeByte(unsigned char byte) {
    return byte < 0x80 ? char32_t{byte} : char32_t{kHighHalf[byte - 0x80]};
}

int Windows1251Byte(char32_t code) {
    if (code < 0x80) {
        return static_cast<int>(code);
    }
    if (code >= kReverseSize) {
        return -1;
    }
    const unsigned char byte = ReverseTable()[code];
    return byte == 0 ? -1 : byte;
}

unsigned char EncodeChar(char32_t code) {
    const int byte = Windows1251Byte(code);
    return byte < 0 ? '?' : static_cast<unsigned char>(byte);
}

void AppendCp1251AsUtf8(std::string& out, std::string_view cp1251) {
    for (const char c : cp1251) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            AppendUtf8(out, DecodeByte(byte));
        }
    }
}

std::string Cp1251ToUtf8(std::string_view cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    AppendCp1251AsUtf8(out, cp1251);
    return out;
}

std::string Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t at = 0;
    while (at < utf8.size()) {
        out.push_back(static_cast<char>(EncodeChar(NextChar(utf8, at))));
    }
    return out;
}

bool FitsWindows1251(std::string_view utf8) {
    size_t at = 0;
    while (at < utf8.size()) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            ++at;
        } else if (Windows1251Byte(NextChar(utf8, at)) < 0) {
            return false;
        }
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view latin1) {
    std::string out;
    out.reserve(latin1.size() * 2);
    for (char c : latin1) {
        AppendUtf8(out, static_cast<unsigned char>(c));
    }
    return out;
}

}  // namespace tarvel::text

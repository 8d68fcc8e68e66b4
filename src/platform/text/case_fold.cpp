#include "platform/text/case_fold.h"

#include <algorithm>
#include <array>

namespace tarvel::text {
namespace {

struct CaseTables {
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
};

// Capital/small pairs of the code page outside the regular ranges A-Z and А-Я.
constexpr unsigned char kCyrillicPairs[][2] = {
    {0xA8, 0xB8},  // Ё ё
    {0x80, 0x90},  // Ђ ђ
    {0x81, 0x83},  // Ѓ ѓ
    {0x8A, 0x9A},  // Љ љ
    {0x8C, 0x9C},  // Њ њ
    {0x8D, 0x9D},  // Ќ ќ
    {0x8E, 0x9E},  // Ћ ћ
    {0x8F, 0x9F},  // Џ џ
    {0xA1, 0xA2},  // Ў ў
    {0xA3, 0xBC},  // Ј ј
    {0xA5, 0xB4},  // Ґ ґ
    {0xAA, 0xBA},  // Є є
    {0xAF, 0xBF},  // Ї ї
    {0xB2, 0xB3},  // І і
    {0xBD, 0xBE},  // Ѕ ѕ
};

const CaseTables& Tables() {
    static const CaseTables tables = [] {
        CaseTables t;
        for (int b = 0; b < 256; ++b) {
            t.lower[b] = t.upper[b] = static_cast<unsigned char>(b);
        }
        auto pair = [&t](int capital, int small) {
            t.lower[capital] = static_cast<unsigned char>(small);
            t.upper[small] = static_cast<unsigned char>(capital);
        };
        for (int i = 0; i < 26; ++i) {
            pair('A' + i, 'a' + i);
        }
        for (int i = 0; i < 32; ++i) {
            pair(0xC0 + i, 0xE0 + i);
        }
        for (const auto& p : kCyrillicPairs) {
            pair(p[0], p[1]);
        }
        return t;
    }();
    return tables;
}

}  // namespace

unsigned char LowerByte(unsigned char byte) {
    return Tables().lower[byte];
}

unsigned char UpperByte(unsigned char byte) {
    return Tables().upper[byte];
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
    }
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerByte(static_cast<unsigned char>(x)) ==
                      LowerByte(static_cast<unsigned char>(y));
           });
}

int CompareBytes(std::string_view a, std::string_view b) {
    // std::string_view compares through char_traits<char>, which compares as unsigned char.
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace tarvel::text

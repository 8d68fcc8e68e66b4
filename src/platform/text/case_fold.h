#pragma once

#include <string>
#include <string_view>

// Letter case and ordering of Windows-1251 text: Latin A-Z and the Cyrillic letters of the code
// page (А-Я, Ё and the other Cyrillic capitals) fold to their small forms; every other byte is
// left alone. Ordering comparisons look at bytes as unsigned values.
namespace tarvel::text {

unsigned char LowerByte(unsigned char byte);
unsigned char UpperByte(unsigned char byte);
std::string Lower(std::string_view text);
std::string Upper(std::string_view text);

// Equality when letter case is ignored.
bool EqualNoCase(std::string_view a, std::string_view b);

// <0, 0, >0 as a is before, equal to, after b, comparing bytes as unsigned values.
int CompareBytes(std::string_view a, std::string_view b);
inline bool LessBytes(std::string_view a, std::string_view b) {
    return CompareBytes(a, b) < 0;
}

}  // namespace tarvel::text

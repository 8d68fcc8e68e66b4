#pragma once

#include <string>
#include <string_view>

// The Windows-1251 code page, the form the stored files keep their text in whenever it can, and
// the one codec between it and the program's UTF-8, through a fixed table (no locale).
namespace tarvel::text {

// The Unicode code point of one Windows-1251 byte. The one byte Windows-1251 leaves undefined
// (0x98) maps to U+0098, so every byte survives a round trip through Unicode.
char32_t DecodeByte(unsigned char byte);

// The Windows-1251 byte of a code point, or -1 when the code page has none.
int Windows1251Byte(char32_t code);
// The Windows-1251 byte of a code point, or '?' when the code page has none.
unsigned char EncodeChar(char32_t code);

std::string Cp1251ToUtf8(std::string_view cp1251);
// The same, appended to `out`.
void AppendCp1251AsUtf8(std::string& out, std::string_view cp1251);
// Characters without a Windows-1251 form, invalid UTF-8 among them, become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
// True when the text is valid UTF-8 and every character of it has a Windows-1251 byte, so that
// Utf8ToCp1251 and Cp1251ToUtf8 give it back unchanged.
bool FitsWindows1251(std::string_view utf8);

// ISO 8859-1: every byte is the code point of the same number.
std::string Latin1ToUtf8(std::string_view latin1);

}  // namespace tarvel::text

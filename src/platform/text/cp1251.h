#pragma once

#include <QString>
#include <string>
#include <string_view>

// System text is kept as Windows-1251 bytes in std::string. This is the one codec between that
// form and Unicode, through a fixed table (no locale): UTF-8 for files and logs, QString for the
// screen. A Unicode character with no Windows-1251 form becomes '?'.
namespace tarvel::text {

// The Unicode code point of one Windows-1251 byte. The one byte Windows-1251 leaves undefined
// (0x98) maps to U+0098, so every byte survives a round trip through Unicode.
char32_t DecodeByte(unsigned char byte);

// The Windows-1251 byte of a code point, or '?' when the code page has none.
unsigned char EncodeChar(char32_t code);

std::string Cp1251ToUtf8(std::string_view cp1251);
// Invalid UTF-8 sequences count as characters without a Windows-1251 form.
std::string Utf8ToCp1251(std::string_view utf8);

QString Cp1251ToQString(std::string_view cp1251);
std::string QStringToCp1251(const QString& text);

}  // namespace tarvel::text

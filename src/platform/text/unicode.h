#pragma once

#include <QString>
#include <string>
#include <string_view>

// Text inside the program is UTF-8 in std::string. These helpers walk it by character and hand it
// to Qt. A byte that does not begin a valid UTF-8 sequence (a name from an old disk whose file
// system bytes are not UTF-8) reads as one character of its own, kInvalidByte + the byte, so
// every byte string has one reading and survives being walked and rebuilt.
namespace tarvel::text {

inline constexpr char32_t kInvalidByte = 0x110000;

// The character at `at`, moving `at` past it.
char32_t NextChar(std::string_view text, size_t& at);
// Appends the UTF-8 form of the character (an invalid byte's reading gives the byte back).
void AppendUtf8(std::string& out, char32_t code);

// A letter of any script (Unicode's general categories L*).
bool IsLetter(char32_t code);
// A letter of the Cyrillic blocks (U+0400..U+052F), Ё, і, ї, є, ґ, ў, ђ among them.
bool IsCyrillicLetter(char32_t code);
// A letter of the Latin blocks: A-Z, a-z and the accented Latin letters up to U+024F.
bool IsLatinLetter(char32_t code);

bool IsValidUtf8(std::string_view text);
// Every byte below 0x80: the same text in UTF-8, Windows-1251 and Latin-1.
bool IsAscii(std::string_view text);
size_t CharCount(std::string_view text);
// The first `count` characters (the whole text when it is shorter).
std::string_view FirstChars(std::string_view text, size_t count);

// The text for the screen, and typed text back.
QString ToQString(std::string_view utf8);
std::string FromQString(const QString& text);

}  // namespace tarvel::text

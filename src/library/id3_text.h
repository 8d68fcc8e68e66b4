#pragma once

#include <string>
#include <string_view>

// Text helpers of the tag readers.
namespace tarvel::library {

// Removes trailing characters of code 32 or below (spaces, zero bytes, control characters).
std::string_view TrimRightControls(std::string_view text);
// Removes leading characters of code 32 or below.
std::string_view TrimLeftControls(std::string_view text);
// Removes leading and trailing characters of code 32 or below.
std::string_view TrimControls(std::string_view text);
// The text before the first zero byte: a zero byte ends a text in a tag.
std::string_view BeforeNul(std::string_view text);

// How tag text without a declared Unicode encoding (ID3v1, ID3v2 encoding 0) is read. Guess
// takes text that is valid UTF-8 with a character beyond ASCII as UTF-8; other text is
// Windows-1251 when it has more Cyrillic-looking words (two or more letters, all of them bytes
// 0xC0..0xFF or Ё/ё) than words mixing ASCII letters with such bytes (as "Björk" does in
// Latin-1), else Latin-1.
enum class UnmarkedText { Windows1251, Latin1, Guess };

// The UTF-8 form of text without a declared encoding.
std::string UnmarkedToUtf8(std::string_view bytes, UnmarkedText how);

// The UTF-8 text of a text frame's content, its first byte being the text encoding:
// - 0: text without a declared encoding, read as `how` says;
// - 1: UTF-16 with a byte-order mark (FF FE low byte first, FE FF high byte first; without a
//   mark, low byte first);
// - 2: UTF-16 high byte first (a mark, when there is one, is followed);
// - 3: UTF-8 (a leading UTF-8 mark is passed over).
// A UTF-16 text ends at a unit 0, and a byte text at a zero byte. Leading and trailing
// characters of code 32 or below are removed.
std::string FrameText(std::string_view content, UnmarkedText how = UnmarkedText::Windows1251);

}  // namespace tarvel::library

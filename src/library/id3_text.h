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

// The single-byte (Windows-1251) text of a text frame's content, its first byte being the text
// encoding:
// - encoding 1 (UTF-16 with a byte-order mark): 16-bit units from the second byte on, low byte
//   first, or high byte first after the mark FE FF; a unit 0 ends the text, a unit whose low
//   byte is 0xFF (the mark FF FE among them) is skipped, any other is converted, '?' standing for
//   a character the code page lacks;
// - any other content is taken as it is, encoding byte included.
// Leading and trailing characters of code 32 or below are removed, and a text stops at a zero
// byte.
std::string FrameText(std::string_view content);

}  // namespace tarvel::library

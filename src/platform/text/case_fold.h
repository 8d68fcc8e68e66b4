#pragma once

#include <string>
#include <string_view>

// Letter case and ordering of the program's UTF-8 text.
namespace tarvel::text {

// Each character in its small form by Unicode's simple case mapping (Latin, Cyrillic, Greek and
// every other cased script), the Greek final sigma as σ; other characters, and bytes that are not
// UTF-8, stay as they are. It makes keys for matching and ordering, never text to show.
std::string Lower(std::string_view text);

// Equality when letter case is ignored.
bool EqualNoCase(std::string_view a, std::string_view b);

// <0, 0, >0 as a is before, equal to, after b, comparing bytes as unsigned values (for paths,
// which are the file system's bytes).
int CompareBytes(std::string_view a, std::string_view b);
inline bool LessBytes(std::string_view a, std::string_view b) {
    return CompareBytes(a, b) < 0;
}

// <0, 0, >0 as a is before, equal to, after b, comparing character by character: a character
// that Windows-1251 has by its byte there, every other one after all of those by its code point.
// Text that Windows-1251 holds keeps the order its bytes had.
int CompareText(std::string_view a, std::string_view b);
inline bool LessText(std::string_view a, std::string_view b) {
    return CompareText(a, b) < 0;
}

}  // namespace tarvel::text

#pragma once

#include <string_view>

// The letter classes that sort artists into Cyrillic-written and other ones (the artist panels,
// the shuffle sources), over UTF-8 names.
namespace tarvel::library {

// The name's first letter is Cyrillic (every Cyrillic letter counts, Ё, і, ї, є, ґ, ў, ђ
// among them). Characters that are not letters (digits, spaces, signs) are passed over; a name
// whose first letter is of any other script (Latin, Greek, Hangul, CJK, ...), or that has no
// letter, is not.
bool IsCyrillicName(std::string_view name);

// The name holds a Cyrillic letter / a Latin letter somewhere.
bool HasCyrillicLetter(std::string_view name);
bool HasLatinLetter(std::string_view name);

}  // namespace tarvel::library

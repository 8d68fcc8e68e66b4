#pragma once

#include <string>
#include <string_view>

// The form search compares text in: Unicode full case folding with accents and other combining
// marks removed and compatibility forms taken apart, so "Björk" and "BJORK" both read "bjork"
// and "Ёлка" reads "елка". Й, ў and their capitals keep their marks (й is a letter of its own
// to a Russian reader, not an accented и); Hangul syllables stay whole, so a typed syllable
// finds itself. Bytes that are not UTF-8 are kept as they are.
namespace tarvel::text {

void AppendFolded(std::string& out, std::string_view text);
std::string FoldForSearch(std::string_view text);

}  // namespace tarvel::text

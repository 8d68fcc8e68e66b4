#pragma once

// The letter classes that sort artists into Cyrillic-written and Latin-written ones (the artist
// panels, the shuffle sources). Bytes are Windows-1251.
namespace tarvel::library {

// 'A'..'Z' or 'a'..'z'.
constexpr bool IsLatinLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// 0xC0..0xFF: capital А to small я. Ё and ё (0xA8, 0xB8) do not count.
constexpr bool IsCyrillicLetter(char c) {
    return static_cast<unsigned char>(c) >= 0xC0;
}

}  // namespace tarvel::library

#include "library/id3_text.h"

#include "platform/text/cp1251.h"
#include "platform/text/unicode.h"

namespace tarvel::library {
namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The code units of UTF-16 text from `bytes` on, in the order given, to UTF-8: a unit 0 ends the
// text, a byte-order mark (U+FEFF) is passed over, and a unit of a broken surrogate pair reads
// as U+FFFD.
std::string Utf16Text(std::string_view bytes, bool big_endian) {
    std::string out;
    const size_t units = bytes.size() / 2;
    char32_t high_surrogate = 0;
    for (size_t u = 0; u < units; ++u) {
        const auto first = static_cast<unsigned char>(bytes[2 * u]);
        const auto second = static_cast<unsigned char>(bytes[2 * u + 1]);
        if (u == 0 && ((first == 0xFE && second == 0xFF) || (first == 0xFF && second == 0xFE))) {
            big_endian = first == 0xFE;
            continue;
        }
        const char32_t unit =
            big_endian ? char32_t(first << 8 | second) : char32_t(second << 8 | first);
        if (unit == 0) {
            break;
        }
        if (high_surrogate != 0) {
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                text::AppendUtf8(out,
                                 0x10000 + ((high_surrogate - 0xD800) << 10) + (unit - 0xDC00));
                high_surrogate = 0;
                continue;
            }
            text::AppendUtf8(out, 0xFFFD);
            high_surrogate = 0;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            high_surrogate = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            text::AppendUtf8(out, 0xFFFD);
        } else if (unit != 0xFEFF) {
            text::AppendUtf8(out, unit);
        }
    }
    if (high_surrogate != 0) {
        text::AppendUtf8(out, 0xFFFD);
    }
    return out;
}

bool IsHighLetterByte(unsigned char byte) {
    return byte >= 0xC0 || byte == 0xA8 || byte == 0xB8;
}

bool IsAsciiLetter(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

bool LooksWindows1251(std::string_view bytes) {
    int cyrillic_words = 0;
    int mixed_words = 0;
    size_t at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (!IsHighLetterByte(byte) && !IsAsciiLetter(byte)) {
            ++at;
            continue;
        }
        int high = 0;
        int ascii = 0;
        for (; at < bytes.size(); ++at) {
            const auto c = static_cast<unsigned char>(bytes[at]);
            if (IsHighLetterByte(c)) {
                ++high;
            } else if (IsAsciiLetter(c)) {
                ++ascii;
            } else {
                break;
            }
        }
        if (high >= 2 && ascii == 0) {
            ++cyrillic_words;
        } else if (high > 0 && ascii > 0) {
            ++mixed_words;
        }
    }
    return cyrillic_words > mixed_words;
}

// The text without a last character that is cut off (its lead byte asks for more bytes than
// follow it).
std::string_view WithoutCutCharacter(std::string_view text) {
    size_t lead = text.size();
    while (lead > 0 && text.size() - lead < 3 &&
           (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) {
        --lead;
    }
    if (lead == 0) {
        return text;
    }
    --lead;
    const auto byte = static_cast<unsigned char>(text[lead]);
    const size_t wanted = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return text.size() - lead < wanted ? text.substr(0, lead) : text;
}

std::string Trimmed(std::string_view text) {
    return std::string(TrimControls(text));
}

}  // namespace

std::string_view TrimRightControls(std::string_view text) {
    while (!text.empty() && IsControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TrimLeftControls(std::string_view text) {
    while (!text.empty() && IsControl(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimControls(std::string_view text) {
    return TrimLeftControls(TrimRightControls(text));
}

std::string_view BeforeNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string UnmarkedToUtf8(std::string_view bytes, UnmarkedText how) {
    if (text::IsAscii(bytes)) {
        return std::string(bytes);
    }
    switch (how) {
        case UnmarkedText::Windows1251:
            return text::Cp1251ToUtf8(bytes);
        case UnmarkedText::Latin1:
            return text::Latin1ToUtf8(bytes);
        case UnmarkedText::Guess:
            if (text::IsValidUtf8(bytes)) {
                return std::string(bytes);
            }
            return LooksWindows1251(bytes) ? text::Cp1251ToUtf8(bytes) : text::Latin1ToUtf8(bytes);
    }
    return std::string(bytes);
}

std::string FrameText(std::string_view content, UnmarkedText how) {
    if (content.empty()) {
        return {};
    }
    const std::string_view data = content.substr(1);
    switch (content[0]) {
        case 1:
            return Trimmed(Utf16Text(data, false));
        case 2:
            return Trimmed(Utf16Text(data, true));
        case 3: {
            // A frame longer than the reader's buffer is cut off, perhaps inside a character.
            std::string_view utf8 = BeforeNul(data);
            if (utf8.starts_with("\xEF\xBB\xBF")) {
                utf8.remove_prefix(3);
            }
            return std::string(WithoutCutCharacter(TrimControls(utf8)));
        }
        default:
            // Leading controls go first (the encoding byte among them); the text then ends at a
            // zero byte, so the zero padding of the buffer is never scanned.
            return UnmarkedToUtf8(TrimRightControls(BeforeNul(TrimLeftControls(content))), how);
    }
}

}  // namespace tarvel::library

#include "library/id3_text.h"

#include "platform/text/cp1251.h"

namespace tarvel::library {
namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string Utf16Text(std::string_view content) {
    std::string out;
    const size_t units = (content.size() - 1) / 2;
    bool big_endian = false;
    for (size_t u = 0; u < units; ++u) {
        const auto first = static_cast<unsigned char>(content[1 + 2 * u]);
        const auto second = static_cast<unsigned char>(content[2 + 2 * u]);
        if (u == 0 && first == 0xFE && second == 0xFF) {
            big_endian = true;  // mark of big-endian text
            continue;
        }
        const unsigned low = big_endian ? second : first;
        const unsigned high = big_endian ? first : second;
        const char32_t unit = static_cast<char32_t>(high << 8 | low);
        if (unit == 0) {
            break;
        }
        if (low == 0xFF) {
            continue;
        }
        out.push_back(static_cast<char>(text::EncodeChar(unit)));
    }
    return out;
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

std::string FrameText(std::string_view content) {
    if (!content.empty() && content[0] == 1) {
        const std::string text = Utf16Text(content);
        return std::string(BeforeNul(TrimControls(text)));
    }
    // Leading controls go first (the encoding byte among them); the text then ends at a zero
    // byte, so the zero padding of the buffer is never scanned.
    return std::string(TrimRightControls(BeforeNul(TrimLeftControls(content))));
}

}  // namespace tarvel::library

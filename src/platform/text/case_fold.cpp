#include "platform/text/case_fold.h"

#include <utf8proc.h>

#include "platform/text/cp1251.h"
#include "platform/text/unicode.h"

namespace tarvel::text {
namespace {

char32_t LowerChar(char32_t code) {
    if (code < 0x80) {
        return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
    }
    if (code >= kInvalidByte) {
        return code;
    }
    // The final sigma is the small form of Σ at a word's end: names that differ only there
    // ("Σωκράτης", "ΣΩΚΡΑΤΗΣ") are one name.
    constexpr char32_t kFinalSigma = 0x03C2;
    constexpr char32_t kSmallSigma = 0x03C3;
    const auto lower = static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(code)));
    return lower == kFinalSigma ? kSmallSigma : lower;
}

// Where a character falls in the order of CompareText.
uint32_t OrderKey(char32_t code) {
    const int byte = Windows1251Byte(code);
    return byte >= 0 ? static_cast<uint32_t>(byte) : 0x100 + static_cast<uint32_t>(code);
}

}  // namespace

std::string Lower(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            out.push_back(static_cast<char>(LowerChar(byte)));
            ++at;
            continue;
        }
        AppendUtf8(out, LowerChar(NextChar(text, at)));
    }
    return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (LowerChar(NextChar(a, i)) != LowerChar(NextChar(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

int CompareBytes(std::string_view a, std::string_view b) {
    // std::string_view compares through char_traits<char>, which compares as unsigned char.
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[j]);
        if (x < 0x80 && y < 0x80) {  // the common case: plain ASCII on both sides
            if (x != y) {
                return x < y ? -1 : 1;
            }
            ++i;
            ++j;
            continue;
        }
        const uint32_t kx = OrderKey(NextChar(a, i));
        const uint32_t ky = OrderKey(NextChar(b, j));
        if (kx != ky) {
            return kx < ky ? -1 : 1;
        }
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

}  // namespace tarvel::text

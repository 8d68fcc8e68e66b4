#include "platform/text/unicode.h"

#include <utf8proc.h>

#include <algorithm>

namespace tarvel::text {

char32_t NextChar(std::string_view text, size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    int extra = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07, least = 0x10000;
    } else {
        ++at;
        return kInvalidByte + lead;
    }
    if (at + static_cast<size_t>(extra) >= text.size()) {  // cut off at the end of the text
        ++at;
        return kInvalidByte + lead;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at + static_cast<size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return kInvalidByte + lead;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++at;
        return kInvalidByte + lead;
    }
    at += static_cast<size_t>(extra) + 1;
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < kInvalidByte) {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(code - kInvalidByte));
    }
}

bool IsLetter(char32_t code) {
    if (code < 0x80) {
        return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    }
    if (code >= kInvalidByte) {
        return false;
    }
    switch (utf8proc_category(static_cast<utf8proc_int32_t>(code))) {
        case UTF8PROC_CATEGORY_LU:
        case UTF8PROC_CATEGORY_LL:
        case UTF8PROC_CATEGORY_LT:
        case UTF8PROC_CATEGORY_LM:
        case UTF8PROC_CATEGORY_LO:
            return true;
        default:
            return false;
    }
}

bool IsCyrillicLetter(char32_t code) {
    return code >= 0x0400 && code <= 0x052F && IsLetter(code);
}

bool IsLatinLetter(char32_t code) {
    return code < 0x80 ? IsLetter(code) : (code >= 0xC0 && code <= 0x024F && IsLetter(code));
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsValidUtf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        if (NextChar(text, at) >= kInvalidByte) {
            return false;
        }
    }
    return true;
}

size_t CharCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count) {
        NextChar(text, at);
    }
    return count;
}

std::string_view FirstChars(std::string_view text, size_t count) {
    size_t at = 0;
    for (size_t n = 0; n < count && at < text.size(); ++n) {
        NextChar(text, at);
    }
    return text.substr(0, at);
}

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace tarvel::text

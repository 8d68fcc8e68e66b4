#include "platform/text/search_fold.h"

#include <utf8proc.h>

#include <array>
#include <memory>
#include <mutex>

#include "platform/text/unicode.h"

namespace tarvel::text {
namespace {

// The folded forms are made once per block of 256 code points, when a character of the block
// is first folded: most text needs a handful of blocks.
constexpr size_t kBlockSize = 256;
constexpr size_t kBlocks = (0x10FFFF / kBlockSize) + 1;
using Block = std::array<std::string, kBlockSize>;

bool KeepsItsMark(char32_t code) {
    return code == U'й' || code == U'Й' || code == U'ў' || code == U'Ў';
}

std::string FoldOne(char32_t code) {
    std::string out;
    if (KeepsItsMark(code)) {
        AppendUtf8(out, code == U'Й' ? U'й' : (code == U'Ў' ? U'ў' : code));
        return out;
    }
    if ((code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xD800 && code <= 0xDFFF)) {
        AppendUtf8(out, code);  // Hangul syllables have no case; surrogates are not characters
        return out;
    }
    constexpr int kOptions = UTF8PROC_CASEFOLD | UTF8PROC_DECOMPOSE | UTF8PROC_COMPAT |
                             UTF8PROC_STRIPMARK | UTF8PROC_IGNORE;
    std::array<utf8proc_int32_t, 32> parts{};
    int boundary = 0;
    const utf8proc_ssize_t count =
        utf8proc_decompose_char(static_cast<utf8proc_int32_t>(code), parts.data(),
                                static_cast<utf8proc_ssize_t>(parts.size()),
                                static_cast<utf8proc_option_t>(kOptions), &boundary);
    if (count < 0 || static_cast<size_t>(count) > parts.size()) {
        AppendUtf8(out, code);
        return out;
    }
    for (utf8proc_ssize_t i = 0; i < count; ++i) {
        AppendUtf8(out, static_cast<char32_t>(parts[static_cast<size_t>(i)]));
    }
    return out;
}

const std::string& Folded(char32_t code) {
    static std::array<std::once_flag, kBlocks> made;
    static std::array<std::unique_ptr<Block>, kBlocks> blocks;
    const size_t index = code / kBlockSize;
    std::call_once(made[index], [&] {
        auto block = std::make_unique<Block>();
        for (size_t i = 0; i < kBlockSize; ++i) {
            (*block)[i] = FoldOne(static_cast<char32_t>(index * kBlockSize + i));
        }
        blocks[index] = std::move(block);
    });
    return (*blocks[index])[code % kBlockSize];
}

}  // namespace

void AppendFolded(std::string& out, std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            out.push_back(
                static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte));
            ++at;
            continue;
        }
        const char32_t code = NextChar(text, at);
        if (code >= kInvalidByte) {
            out.push_back(static_cast<char>(code - kInvalidByte));
        } else {
            out += Folded(code);
        }
    }
}

std::string FoldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendFolded(out, text);
    return out;
}

}  // namespace tarvel::text

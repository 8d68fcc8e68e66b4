#include "library/letter_class.h"

#include "platform/text/unicode.h"

namespace tarvel::library {
namespace {

template <class Test>
bool AnyChar(std::string_view name, Test test) {
    for (size_t at = 0; at < name.size();) {
        if (test(text::NextChar(name, at))) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsCyrillicName(std::string_view name) {
    for (size_t at = 0; at < name.size();) {
        const char32_t code = text::NextChar(name, at);
        if (text::IsLetter(code)) {
            return text::IsCyrillicLetter(code);
        }
    }
    return false;
}

bool HasCyrillicLetter(std::string_view name) {
    return AnyChar(name, text::IsCyrillicLetter);
}

bool HasLatinLetter(std::string_view name) {
    return AnyChar(name, text::IsLatinLetter);
}

}  // namespace tarvel::library

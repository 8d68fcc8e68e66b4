#include "platform/text/stored_text.h"

#include <algorithm>

#include "platform/text/cp1251.h"
#include "platform/text/unicode.h"

namespace tarvel::text {
namespace {}  // namespace

StoredForm FormOf(std::string_view bytes) {
    return bytes.starts_with(kUtf8Mark) ? StoredForm::Utf8 : StoredForm::Windows1251;
}

std::string_view WithoutMark(std::string_view bytes) {
    return bytes.starts_with(kUtf8Mark) ? bytes.substr(kUtf8Mark.size()) : bytes;
}

void AppendDecodedLine(std::string& out, std::string_view stored, size_t text_end,
                       StoredForm form) {
    text_end = std::min(text_end, stored.size());
    const std::string_view text = stored.substr(0, text_end);
    if (form == StoredForm::Utf8 || IsAscii(text)) {
        out.append(stored);
        return;
    }
    AppendCp1251AsUtf8(out, text);
    out.append(stored.substr(text_end));
}

void AppendEncodedLine(std::string& out, std::string_view line, size_t text_end, StoredForm form) {
    text_end = std::min(text_end, line.size());
    const std::string_view text = line.substr(0, text_end);
    if (form == StoredForm::Utf8 || IsAscii(text)) {
        out.append(line);
        return;
    }
    out += Utf8ToCp1251(text);
    out.append(line.substr(text_end));
}

StoredForm FormFor(std::string_view line, size_t text_end) {
    return FitsWindows1251(line.substr(0, std::min(text_end, line.size())))
               ? StoredForm::Windows1251
               : StoredForm::Utf8;
}

}  // namespace tarvel::text

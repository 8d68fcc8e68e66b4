#include "library/stored_lines.h"

#include <algorithm>

#include "library/song_record.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/text/stored_text.h"
#include "platform/text/unicode.h"

namespace tarvel::library {
namespace {

using text::StoredForm;

// The form lines ended by CR LF need.
StoredForm FormOfLines(std::string_view lines) {
    StoredForm form = StoredForm::Windows1251;
    fs::ForEachLine(lines, [&form](std::string_view line) {
        if (form == StoredForm::Windows1251) {
            form = text::FormFor(line, TextEndOfLine(line));
        }
    });
    return form;
}

void AppendEncoded(std::string& out, std::string_view lines, StoredForm form) {
    fs::ForEachLine(lines, [&](std::string_view line) {
        text::AppendEncodedLine(out, line, TextEndOfLine(line), form);
        out += "\r\n";
    });
}

}  // namespace

size_t TextEndOfLine(std::string_view line) {
    size_t at = 0;
    for (size_t field = 0; field < static_cast<size_t>(kPath); ++field) {
        const size_t found = line.find(kSongMarkers[field], at);
        if (found == std::string_view::npos) {
            return line.size();
        }
        at = found + kMarkerLength;
    }
    return at;
}

std::string DecodeStoredLines(std::string_view bytes) {
    const StoredForm form = text::FormOf(bytes);
    const auto high = static_cast<size_t>(std::count_if(
        bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
    std::string out;
    // A Windows-1251 byte above 0x7F takes at most three bytes in UTF-8: one allocation.
    out.reserve(bytes.size() + 2 * high + 2);
    fs::ForEachLine(bytes, [&](std::string_view line) {
        // Most lines of a library are ASCII: they need no search for where their text ends.
        if (form == StoredForm::Utf8 || text::IsAscii(line)) {
            out.append(line);
        } else {
            text::AppendDecodedLine(out, line, TextEndOfLine(line), form);
        }
        out += "\r\n";
    });
    return out;
}

std::string EncodeStoredLines(const std::vector<std::string>& lines) {
    StoredForm form = StoredForm::Windows1251;
    for (const std::string& line : lines) {
        if (text::FormFor(line, TextEndOfLine(line)) == StoredForm::Utf8) {
            form = StoredForm::Utf8;
            break;
        }
    }
    std::string bytes(form == StoredForm::Utf8 ? text::kUtf8Mark : std::string_view());
    for (const std::string& line : lines) {
        text::AppendEncodedLine(bytes, line, TextEndOfLine(line), form);
        bytes += "\r\n";
    }
    return bytes;
}

void AppendStoredLines(const std::string& path, std::string_view lines,
                       const std::function<void(std::string_view bytes)>& append) {
    const std::string start =
        fs::FileExists(path) ? fs::ReadFileStart(path, text::kUtf8Mark.size()) : std::string();
    const StoredForm needed = FormOfLines(lines);
    std::string bytes;
    if (start.empty()) {
        if (needed == StoredForm::Utf8) {
            bytes = text::kUtf8Mark;
        }
        AppendEncoded(bytes, lines, needed);
    } else if (text::FormOf(start) == StoredForm::Utf8 || needed == StoredForm::Windows1251) {
        AppendEncoded(bytes, lines, text::FormOf(start));
    } else {
        std::string whole(text::kUtf8Mark);
        whole += DecodeStoredLines(fs::ReadFile(path));
        whole += lines;
        fs::ReplaceFile(path, whole);
        return;
    }
    append(bytes);
}

void AppendStoredLine(const std::string& path, const std::string& line) {
    AppendStoredLines(path, line + "\r\n",
                      [&path](std::string_view bytes) { fs::AppendBytes(path, bytes); });
}

}  // namespace tarvel::library

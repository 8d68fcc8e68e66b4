#pragma once

#include <string>
#include <string_view>

// The two forms the program's text files take. A file whose every character exists in
// Windows-1251 is written in it, byte for byte as it always was; a file holding any other
// character is written as UTF-8 after a byte-order mark. A reader tells them apart by the mark:
// a file without one is Windows-1251.
//
// A line may end in a part that is not text but a path: paths are the file system's bytes and
// are stored unchanged in either form. `text_end` says where a line's text part ends.
namespace tarvel::text {

enum class StoredForm { Windows1251, Utf8 };

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The form of a file's bytes (or of its first bytes), by the mark.
StoredForm FormOf(std::string_view bytes);
// The bytes without a leading mark.
std::string_view WithoutMark(std::string_view bytes);

// Appends the line (its text part converted from the file's form to UTF-8, the rest as it is).
void AppendDecodedLine(std::string& out, std::string_view stored, size_t text_end, StoredForm form);
// Appends the line in the file's form (the text part converted from UTF-8, the rest as it is).
void AppendEncodedLine(std::string& out, std::string_view line, size_t text_end, StoredForm form);
// The form a line's text part needs.
StoredForm FormFor(std::string_view line, size_t text_end);

}  // namespace tarvel::text

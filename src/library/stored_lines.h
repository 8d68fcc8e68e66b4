#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The library's and the playlists' files as stored: in Windows-1251 while every character of
// their text has a byte there, else in UTF-8 after a byte-order mark (platform/text/stored_text).
// The path that ends a song line is the file system's bytes and is never converted.
namespace tarvel::library {

// Where the text of a line ends: at the path of a song line, else at the end.
size_t TextEndOfLine(std::string_view line);

// The lines of a stored file's bytes in UTF-8, each ended by CR LF, without the mark.
std::string DecodeStoredLines(std::string_view bytes);

// The bytes of a file holding the lines (UTF-8, without their ends), each ended by CR LF: in
// Windows-1251 when every line fits, else the mark and the lines as they are.
std::string EncodeStoredLines(const std::vector<std::string>& lines);

// Appends lines (UTF-8, each ended by CR LF) to the stored file at `path` (missing or empty for
// a new one), keeping the file's form: `append` is given the bytes to add. A Windows-1251 file
// that gains characters it cannot hold is written again whole, in UTF-8, instead.
void AppendStoredLines(const std::string& path, std::string_view lines,
                       const std::function<void(std::string_view bytes)>& append);
// The same through fs::AppendBytes, for one line.
void AppendStoredLine(const std::string& path, const std::string& line);

}  // namespace tarvel::library

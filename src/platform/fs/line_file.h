#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Text files as lines of bytes. Lines are written with CR LF; a reader also accepts LF alone, CR
// alone and a last line without an end, and passes over a UTF-8 byte-order mark at the start of
// the file (an editor may add one; no value the program writes holds a CR or begins with one).
// Only regular files are read, and only up to a size: a named pipe, a device or a kernel file in
// a stored file's place is refused instead of waiting or reading without end. Every failure
// throws AppError naming the path and the reason.
namespace tarvel::fs {

// The most a stored file may hold: far above any library or playlist the program writes (a
// library of a million songs takes about 300 MB).
inline constexpr size_t kLargestStoredFile = size_t{1} << 30;

// The whole file as bytes; a larger file than `limit` is refused ("File too large").
std::string ReadFile(const std::string& path, size_t limit = kLargestStoredFile);

// Up to the first `count` bytes of a file.
std::string ReadFileStart(const std::string& path, size_t count);

// The lines of a file, without their ends. A file that ends with a line end has no empty last
// line; an empty file has no lines.
std::vector<std::string> ReadLines(const std::string& path, size_t limit = kLargestStoredFile);

// Splits bytes into lines the way ReadLines does.
std::vector<std::string> SplitLines(const std::string& bytes);
// Calls line for each line of bytes, split as SplitLines does, without copying them.
void ForEachLine(std::string_view bytes, const std::function<void(std::string_view)>& line);

// Replaces the file with the given bytes atomically: a temporary file in the same folder is
// written and flushed, then renamed over the target. A reader sees the old or the new file,
// never a part of one. The temporary file is locked while it is written, so that
// RemoveStaleTemporaries leaves it alone.
void ReplaceFile(const std::string& path, const std::string& bytes);

// Removes the temporary files of ReplaceFile that a save ended by a kill or a crash left in the
// folder: hidden files named ".NAME.XXXXXX" that no one holds locked. Never throws: a folder
// that is missing or cannot be listed is left alone.
void RemoveStaleTemporaries(const std::string& folder);

// Replaces the file atomically with the lines, each ended by CR LF.
void WriteLines(const std::string& path, const std::vector<std::string>& lines);

// Appends the bytes, creating the file when it is missing.
void AppendBytes(const std::string& path, std::string_view bytes);

// Appends one line and CR LF, creating the file when it is missing.
void AppendLine(const std::string& path, const std::string& line);

}  // namespace tarvel::fs

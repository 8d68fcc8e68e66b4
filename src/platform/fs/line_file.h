#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Text files as lines of bytes. Lines are written with CR LF; a reader also accepts LF alone and
// a last line without an end. No byte is changed, no BOM is added or removed. Every failure
// throws AppError naming the path and the reason.
namespace tarvel::fs {

// The whole file as bytes.
std::string ReadFile(const std::string& path);

// The lines of a file, without their ends. A file that ends with a line end has no empty last
// line; an empty file has no lines.
std::vector<std::string> ReadLines(const std::string& path);

// Splits bytes into lines the way ReadLines does.
std::vector<std::string> SplitLines(const std::string& bytes);
// Calls line for each line of bytes, split as SplitLines does, without copying them.
void ForEachLine(std::string_view bytes, const std::function<void(std::string_view)>& line);

// Replaces the file with the given bytes atomically: a temporary file in the same folder is
// written and flushed, then renamed over the target. A reader sees the old or the new file,
// never a part of one.
void ReplaceFile(const std::string& path, const std::string& bytes);

// Replaces the file atomically with the lines, each ended by CR LF.
void WriteLines(const std::string& path, const std::vector<std::string>& lines);

// Appends one line and CR LF, creating the file when it is missing.
void AppendLine(const std::string& path, const std::string& line);

}  // namespace tarvel::fs

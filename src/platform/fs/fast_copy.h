#pragma once

#include <string>

namespace tarvel::fs {

// Copies a file with the file system's own copy (copy_file_range: shared extents or an in-kernel
// copy, no bytes through the process), into a temporary file beside the target that then
// replaces it atomically, with the source's permission bits. A target that is the source file
// itself (the same file reached by any path) is left as it is. Throws AppError naming the path
// and the reason; a failed copy leaves no temporary file behind.
void CopyFileFast(const std::string& from, const std::string& to);

}  // namespace tarvel::fs

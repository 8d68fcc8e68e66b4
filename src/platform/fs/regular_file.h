#pragma once

#include <cstdint>
#include <string>

// Opening stored files and songs for reading, so that no read can wait or run without end.
namespace tarvel::fs {

// Why a path is refused although it opened: it names no regular file (a named pipe, a device, a
// folder), or a file of the kernel's own file systems (/proc, /sys), which claims a size of 0
// and may wait for data or never end.
inline constexpr const char* kNotARegularFile = "not a regular file";
inline constexpr const char* kKernelFile = "a file of the kernel, not a stored file";

// Opens the path for reading without waiting (a named pipe without a writer does not hold the
// open) and keeps the descriptor non-blocking, so that no read of it waits either. Returns the
// descriptor, with the file's size in `size`; or -1, with the reason in `why` (the system's
// text, or one of the two above). Never throws.
int OpenRegularFile(const std::string& path, uint64_t& size, std::string& why);

// As OpenRegularFile, but a refusal throws AppError: Cannot open file "PATH": REASON.
int OpenRegularFileOrFail(const std::string& path, uint64_t& size);

// True when OpenRegularFile would open the path; otherwise false with the reason in `why`.
bool IsRegularFile(const std::string& path, std::string& why);

}  // namespace tarvel::fs

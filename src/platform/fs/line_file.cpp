#include "platform/fs/line_file.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/error/app_error.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/fd.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/large_buffer.h"
#include "platform/fs/regular_file.h"

namespace tarvel::fs {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads the whole file into bytes (a std::string or a LargeVector<char>).
template <class Bytes>
void ReadInto(const std::string& path, Bytes& bytes, size_t limit) {
    uint64_t size = 0;
    Fd fd(OpenRegularFileOrFail(path, size));
    if (size > limit) {
        FailFile("read", path, EFBIG);
    }
    const auto read_some = [&](char* into, size_t count) {
        for (;;) {
            const ssize_t n = ::read(fd.get(), into, count);
            if (n >= 0) {
                return static_cast<size_t>(n);
            }
            if (errno != EINTR) {
                FailFile("read", path, errno);
            }
        }
    };
    // A file of known size is read straight into the text: one allocation, one copy. Its size
    // is only a hint (the file may change meanwhile): whatever follows is still read, up to the
    // limit.
    bytes.clear();
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        bytes.resize(read_some(bytes.data(), bytes.size()));
    }
    char buffer[65536];
    while (const size_t n = read_some(buffer, sizeof buffer)) {
        if (n > limit - std::min(limit, bytes.size())) {
            FailFile("read", path, EFBIG);
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

// True for the name of a temporary file of ReplaceFile: "." + the target's name + "." + the six
// letters or digits mkstemp chose.
bool IsTemporaryName(std::string_view name) {
    constexpr size_t kRandom = 6;
    if (name.size() < 1 + 1 + 1 + kRandom || name[0] != '.' ||
        name[name.size() - kRandom - 1] != '.') {
        return false;
    }
    const auto alphanumeric = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    return std::all_of(name.end() - kRandom, name.end(), alphanumeric);
}

}  // namespace

std::string ReadFile(const std::string& path, size_t limit) {
    std::string bytes;
    ReadInto(path, bytes, limit);
    return bytes;
}

std::string ReadFileStart(const std::string& path, size_t count) {
    uint64_t size = 0;
    Fd fd(OpenRegularFileOrFail(path, size));
    std::string bytes(count, '\0');
    size_t got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, count - got);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            FailFile("read", path, errno);
        }
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

LargeVector<char> ReadLargeFile(const std::string& path) {
    LargeVector<char> bytes;
    ReadInto(path, bytes, kLargestStoredFile);
    return bytes;
}

void ForEachLine(std::string_view bytes, const std::function<void(std::string_view)>& line) {
    size_t start =
        bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
    // The next LF and the next CR at or after start, each looked for again only once passed, so
    // that a file of CR-only lines is not searched to its end for every line.
    size_t lf = bytes.find('\n', start);
    size_t cr = bytes.find('\r', start);
    while (start < bytes.size()) {
        if (lf < start) {
            lf = bytes.find('\n', start);
        }
        if (cr < start) {
            cr = bytes.find('\r', start);
        }
        const size_t end = std::min({lf, cr, bytes.size()});
        line(bytes.substr(start, end - start));
        start = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') {
            ++start;
        }
    }
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::vector<std::string> ReadLines(const std::string& path, size_t limit) {
    return SplitLines(ReadFile(path, limit));
}

void ReplaceFile(const std::string& path, const std::string& bytes) {
    const std::string folder = FolderOf(path);
    // Built by appending: GCC 12 warns falsely (-Wrestrict) about chained string additions.
    std::string name(".");
    name.append(FileNameOf(path)).append(".XXXXXX");
    std::string temp = JoinPath(folder.empty() ? std::string(".") : folder, name);
    Fd fd(::mkstemp(temp.data()));
    if (fd.get() < 0) {
        FailFile("create a temporary file for", path, errno);
    }
    try {
        // Held until the file has its final name: a temporary file nobody holds is a left-over.
        ::flock(fd.get(), LOCK_EX);
        WriteAll(fd.get(), bytes, path);
        if (::fsync(fd.get()) != 0) {
            FailFile("flush", path, errno);
        }
        // Keep the usual permissions of a new file rather than mkstemp's 0600.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd.get(), 0666 & ~mask);
        if (::rename(temp.c_str(), path.c_str()) != 0) {
            FailFile("replace", path, errno);
        }
        if (fd.Close() != 0) {
            FailFile("close", path, errno);
        }
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

void RemoveStaleTemporaries(const std::string& folder) {
    std::vector<DirEntry> entries;
    try {
        entries = ListDirectory(folder);
    } catch (const AppError&) {
        return;  // a missing or closed folder holds nothing to remove
    }
    for (const DirEntry& entry : entries) {
        if (entry.is_directory || !IsTemporaryName(entry.name)) {
            continue;
        }
        Fd fd(::open(entry.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW));
        struct stat st {};
        if (fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
            ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            ::unlink(entry.path.c_str());
        }
    }
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    ReplaceFile(path, bytes);
}

void AppendBytes(const std::string& path, std::string_view bytes) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        FailFile("open", path, errno);
    }
    WriteAll(fd.get(), bytes, path);
    if (fd.Close() != 0) {
        FailFile("close", path, errno);
    }
}

void AppendLine(const std::string& path, const std::string& line) {
    std::string ended(line);
    ended.append("\r\n");
    AppendBytes(path, ended);
}

}  // namespace tarvel::fs

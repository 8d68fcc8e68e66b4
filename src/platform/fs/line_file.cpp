#include "platform/fs/line_file.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/error/app_error.h"
#include "platform/fs/fd.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/large_buffer.h"

namespace tarvel::fs {

namespace {

// Reads the whole file into bytes (a std::string or a LargeVector<char>).
template <class Bytes>
void ReadInto(const std::string& path, Bytes& bytes) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        FailFile("open", path, errno);
    }
    const auto read_some = [&](char* into, size_t size) {
        for (;;) {
            const ssize_t n = ::read(fd.get(), into, size);
            if (n >= 0) {
                return static_cast<size_t>(n);
            }
            if (errno != EINTR) {
                FailFile("read", path, errno);
            }
        }
    };
    // A file of known size is read straight into the text: one allocation, one copy. Its size
    // is only a hint (the file may change meanwhile): whatever follows is still read.
    bytes.clear();
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && info.st_size > 0) {
        bytes.resize(static_cast<size_t>(info.st_size));
        bytes.resize(read_some(bytes.data(), bytes.size()));
    }
    char buffer[65536];
    while (const size_t n = read_some(buffer, sizeof buffer)) {
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

}  // namespace

std::string ReadFile(const std::string& path) {
    std::string bytes;
    ReadInto(path, bytes);
    return bytes;
}

LargeVector<char> ReadLargeFile(const std::string& path) {
    LargeVector<char> bytes;
    ReadInto(path, bytes);
    return bytes;
}

void ForEachLine(std::string_view bytes, const std::function<void(std::string_view)>& line) {
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            line(bytes.substr(start));
            break;
        }
        size_t end = lf;
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        line(bytes.substr(start, end - start));
        start = lf + 1;
    }
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::vector<std::string> ReadLines(const std::string& path) {
    return SplitLines(ReadFile(path));
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
        WriteAll(fd.get(), bytes, path);
        if (::fsync(fd.get()) != 0) {
            FailFile("flush", path, errno);
        }
        // Keep the usual permissions of a new file rather than mkstemp's 0600.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd.get(), 0666 & ~mask);
        if (fd.Close() != 0) {
            FailFile("close", path, errno);
        }
        if (::rename(temp.c_str(), path.c_str()) != 0) {
            FailFile("replace", path, errno);
        }
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
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

void AppendLine(const std::string& path, const std::string& line) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        FailFile("open", path, errno);
    }
    std::string ended(line);
    ended.append("\r\n");
    WriteAll(fd.get(), ended, path);
    if (fd.Close() != 0) {
        FailFile("close", path, errno);
    }
}

}  // namespace tarvel::fs

#include "platform/fs/file_ops.h"

#include <dirent.h>
#include <fcntl.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <system_error>

#include "platform/error/app_error.h"
#include "platform/fs/line_file.h"

namespace tarvel::fs {

std::string ErrnoText(int error) {
    return std::system_category().message(error);
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool EntryExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

void CreateDirectories(const std::string& path) {
    if (path.empty() || DirectoryExists(path)) {
        return;
    }
    const std::string parent = FolderOf(path);
    if (!parent.empty() && parent != path) {
        CreateDirectories(parent);
    }
    if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) {
        throw AppError(fmt::format("Cannot create folder \"{}\": {}", path, ErrnoText(errno)));
    }
}

void RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throw AppError(fmt::format("Cannot delete file \"{}\": {}", path, ErrnoText(errno)));
    }
}

std::string KeepBeside(const std::string& path) {
    for (int n = 1;; ++n) {
        std::string aside = path + ".unreadable";
        if (n > 1) {
            aside += "." + std::to_string(n);
        }
        if (EntryExists(aside)) {
            continue;
        }
        int result = ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE);
        if (result != 0 && errno == EINVAL) {
            // A file system that cannot refuse to replace: the name was free a moment ago.
            result = ::rename(path.c_str(), aside.c_str());
        }
        if (result == 0) {
            return aside;
        }
        const int error = errno;
        if (!EntryExists(path)) {
            return {};
        }
        if (error != EEXIST) {
            throw AppError(
                fmt::format("Cannot move file \"{}\" aside: {}", path, ErrnoText(error)));
        }
    }
}

void CopyFile(const std::string& from, const std::string& to) {
    ReplaceFile(to, ReadFile(from));
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string JoinPath(const std::string& a, const std::string& b) {
    if (a.empty()) {
        return b;
    }
    return a.back() == '/' ? a + b : a + "/" + b;
}

std::string FindNoCase(const std::string& folder, const std::string& name) {
    const std::string exact = JoinPath(folder, name);
    struct stat st {};
    if (::lstat(exact.c_str(), &st) == 0) {
        return exact;
    }
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return exact;
    }
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate(entry->d_name);
        if (std::equal(candidate.begin(), candidate.end(), name.begin(), name.end(),
                       [&](char a, char b) { return lower(a) == lower(b); })) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found.empty() ? exact : JoinPath(folder, found);
}

std::string CurrentDirectory() {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            throw AppError(fmt::format("Cannot read the current folder: {}", ErrnoText(errno)));
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

void SetCurrentDirectory(const std::string& path) {
    if (::chdir(path.c_str()) != 0) {
        throw AppError(fmt::format("Cannot change to folder \"{}\": {}", path, ErrnoText(errno)));
    }
}

}  // namespace tarvel::fs

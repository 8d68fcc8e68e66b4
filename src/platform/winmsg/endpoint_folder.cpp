#include "platform/winmsg/endpoint_folder.h"

#include <dirent.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::winmsg {
namespace {

constexpr const char* kSocketEnd = ".sock";
constexpr const char* kInfoEnd = ".info";

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string InfoPathOf(const std::string& socket_path) {
    return socket_path.substr(0, socket_path.size() - std::string(kSocketEnd).size()) + kInfoEnd;
}

std::string ParentOf(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// $XDG_CACHE_HOME, else ~/.cache, made (mode 0700) when missing.
std::string CacheFolder() {
    std::string cache;
    if (const char* dir = std::getenv("XDG_CACHE_HOME"); dir != nullptr && *dir == '/') {
        cache = dir;
    } else {
        const char* home = std::getenv("HOME");
        cache = fs::JoinPath(home != nullptr && *home != '\0' ? home : "/", ".cache");
    }
    ::mkdir(cache.c_str(), 0700);
    return cache;
}

// Where a home folder is shared between machines, each has its own windows.
std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') {
        return "localhost";
    }
    std::string host = name;
    for (char& c : host) {
        if (c == '/') {
            c = '_';
        }
    }
    return host;
}

}  // namespace

std::string EndpointFolder() {
    if (const char* dir = std::getenv("TARVEL_WINDOWS_DIR"); dir != nullptr && *dir != '\0') {
        return dir;
    }
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run != nullptr && *run != '\0') {
        const std::string folder = fs::JoinPath(run, "tarvel-windows");
        try {
            CheckEndpointFolder(run);
            CheckEndpointFolder(folder);
            return folder;
        } catch (const AppError& e) {
            static std::atomic<bool> said{false};
            if (!said.exchange(true)) {
                std::fprintf(stderr, "tarvel: %s; the user's cache folder is used instead\n",
                             e.what());
            }
        }
    }
    return fs::JoinPath(CacheFolder(), "tarvel-windows-" + HostName());
}

void CheckEndpointFolder(const std::string& folder) {
    const std::string parent = ParentOf(folder);
    struct stat st {};
    // The folder that holds it may be a link (a cache folder on another disk); its owner and
    // mode are those of the folder it leads to.
    if (::stat(parent.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        (st.st_uid != ::getuid() && st.st_uid != 0) || (st.st_mode & 022) != 0) {
        throw AppError(fmt::format(
            "The window folder \"{}\" is refused: the folder that holds it must be a folder of "
            "this user that no one else can write to",
            folder));
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw AppError(fmt::format("Cannot create the window folder \"{}\": {}", folder,
                                   fs::ErrnoText(errno)));
    }
    if (::lstat(folder.c_str(), &st) != 0) {
        throw AppError(
            fmt::format("Cannot use the window folder \"{}\": {}", folder, fs::ErrnoText(errno)));
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid() || (st.st_mode & 077) != 0) {
        throw AppError(fmt::format(
            "The window folder \"{}\" is refused: it must be a folder of this user that no one "
            "else can open (mode 0700)",
            folder));
    }
}

std::vector<EndpointInfo> ListEndpoints(const std::string& folder) {
    std::vector<EndpointInfo> found;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return found;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (!EndsWith(name, kSocketEnd)) {
            continue;
        }
        EndpointInfo info{fs::JoinPath(folder, name), {}, {}};
        try {
            const auto lines = fs::ReadLines(InfoPathOf(info.socket_path));
            if (lines.size() >= 2) {
                info.class_name = lines[0];
                info.title = lines[1];
            }
        } catch (const AppError&) {
            // A socket whose description is not written yet, or was removed: no class, no title.
        }
        found.push_back(std::move(info));
    }
    ::closedir(dir);
    return found;
}

void WriteEndpointInfo(const EndpointInfo& info) {
    fs::WriteLines(InfoPathOf(info.socket_path), {info.class_name, info.title});
}

void RemoveEndpoint(const std::string& socket_path) {
    ::unlink(InfoPathOf(socket_path).c_str());
    ::unlink(socket_path.c_str());
}

}  // namespace tarvel::winmsg

#include "platform/winmsg/endpoint_folder.h"

#include <dirent.h>
#include <fmt/format.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

std::string EndpointFolder() {
    if (const char* dir = std::getenv("TARVEL_WINDOWS_DIR"); dir != nullptr && *dir != '\0') {
        return dir;
    }
    if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run != nullptr && *run != '\0') {
        return fs::JoinPath(run, "tarvel-windows");
    }
    return fmt::format("/tmp/tarvel-windows-{}", ::getuid());
}

void CheckEndpointFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw AppError(fmt::format("Cannot create the window folder \"{}\": {}", folder,
                                   fs::ErrnoText(errno)));
    }
    struct stat st {};
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

#include "platform/fs/dir_walk.h"

#include <dirent.h>
#include <fmt/format.h>
#include <sys/stat.h>

#include <cerrno>
#include <set>
#include <utility>

#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"

namespace tarvel::fs {
namespace {

using DirId = std::pair<dev_t, ino_t>;

// The entry of one listed item; a link or an entry of unknown type is what it leads to.
DirEntry MakeEntry(const std::string& folder, const dirent& item) {
    DirEntry entry{JoinPath(folder, item.d_name), item.d_name, item.d_type == DT_DIR,
                   item.d_type == DT_REG};
    if (item.d_type == DT_LNK || item.d_type == DT_UNKNOWN) {
        struct stat st {};
        if (::stat(entry.path.c_str(), &st) == 0) {
            entry.is_directory = S_ISDIR(st.st_mode);
            entry.is_regular = S_ISREG(st.st_mode);
        }
    }
    return entry;
}

class Walker {
  public:
    Walker(const std::function<void(const DirEntry&)>& visit,
           const std::function<void(const std::string&)>& leave,
           const std::function<void(const std::string&, int)>& unreadable)
        : visit_(visit), leave_(leave), unreadable_(unreadable) {}

    // Returns 0, or the errno of a folder that cannot be opened.
    int Walk(const std::string& folder) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) {
            return errno;
        }
        if (!S_ISDIR(st.st_mode)) {
            return ENOTDIR;
        }
        if (!seen_.insert({st.st_dev, st.st_ino}).second) {
            return 0;  // already walked: a link leads back into the tree
        }
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr) {
            return errno;
        }
        try {
            while (const dirent* item = ::readdir(dir)) {
                const std::string name = item->d_name;
                if (name == "." || name == "..") {
                    continue;
                }
                const DirEntry entry = MakeEntry(folder, *item);
                visit_(entry);
                if (entry.is_directory) {
                    if (const int error = Walk(entry.path); error != 0 && unreadable_) {
                        unreadable_(entry.path, error);
                    }
                }
            }
        } catch (...) {
            ::closedir(dir);
            throw;
        }
        ::closedir(dir);
        if (leave_) {
            leave_(folder);
        }
        return 0;
    }

  private:
    const std::function<void(const DirEntry&)>& visit_;
    const std::function<void(const std::string&)>& leave_;
    const std::function<void(const std::string&, int)>& unreadable_;
    std::set<DirId> seen_;
};

}  // namespace

bool IsSpecialFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

void WalkDirectory(const std::string& root, const std::function<void(const DirEntry&)>& visit,
                   const std::function<void(const std::string&)>& leave,
                   const std::function<void(const std::string&, int)>& unreadable) {
    Walker walker(visit, leave, unreadable);
    if (const int error = walker.Walk(root); error != 0) {
        throw AppError(fmt::format("Cannot open folder \"{}\": {}", root, ErrnoText(error)));
    }
}

std::vector<DirEntry> ListDirectory(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        throw AppError(fmt::format("Cannot open folder \"{}\": {}", folder, ErrnoText(errno)));
    }
    std::vector<DirEntry> entries;
    while (const dirent* item = ::readdir(dir)) {
        const std::string name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        entries.push_back(MakeEntry(folder, *item));
    }
    ::closedir(dir);
    return entries;
}

}  // namespace tarvel::fs

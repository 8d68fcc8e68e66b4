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

class Walker {
  public:
    explicit Walker(const std::function<void(const DirEntry&)>& visit) : visit_(visit) {}

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
                DirEntry entry{JoinPath(folder, name), name, false};
                if (item->d_type == DT_DIR) {
                    entry.is_directory = true;
                } else if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) {
                    entry.is_directory = DirectoryExists(entry.path);
                }
                visit_(entry);
                if (entry.is_directory) {
                    Walk(entry.path);
                }
            }
        } catch (...) {
            ::closedir(dir);
            throw;
        }
        ::closedir(dir);
        return 0;
    }

  private:
    const std::function<void(const DirEntry&)>& visit_;
    std::set<DirId> seen_;
};

}  // namespace

void WalkDirectory(const std::string& root, const std::function<void(const DirEntry&)>& visit) {
    Walker walker(visit);
    if (const int error = walker.Walk(root); error != 0) {
        throw AppError(fmt::format("Cannot open folder \"{}\": {}", root, ErrnoText(error)));
    }
}

}  // namespace tarvel::fs

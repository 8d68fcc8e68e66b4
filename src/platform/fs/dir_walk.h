#pragma once

#include <functional>
#include <string>

namespace tarvel::fs {

struct DirEntry {
    std::string path;  // folder + "/" + name
    std::string name;  // the entry's own name, as the file system gives it
    bool is_directory = false;
};

// Visits every entry below root, depth first: entries in the order the file system lists them,
// descending into a folder as soon as it is met (after the folder itself is visited). "." and
// ".." are skipped; a folder reached again through a link is not walked twice. A root that
// cannot be opened throws AppError; a subfolder that cannot be opened is passed over (it is
// visited, but yields no entries), as a folder that hides its contents does.
void WalkDirectory(const std::string& root, const std::function<void(const DirEntry&)>& visit);

}  // namespace tarvel::fs

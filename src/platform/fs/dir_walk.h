#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tarvel::fs {

// The longest path, in bytes with its end, that the system opens.
inline constexpr size_t kMaxPathBytes = 4096;

// True when the path leads to something that is neither a plain file nor a folder: a pipe, a
// device, a socket.
bool IsSpecialFile(const std::string& path);

struct DirEntry {
    std::string path;  // folder + "/" + name
    std::string name;  // the entry's own name, as the file system gives it
    bool is_directory = false;
    // A plain file (or a link to one): not a folder, a pipe, a device or a socket.
    bool is_regular = false;
};

// Visits every entry below root, depth first: entries in the order the file system lists them,
// descending into a folder as soon as it is met (after the folder itself is visited). "." and
// ".." are skipped; a folder reached again through a link is not walked twice. A root that
// cannot be opened throws AppError; a subfolder that cannot be opened is passed over (it is
// visited, but yields no entries), as a folder that hides its contents does.
// `leave`, when given, is called with a folder's path once all its entries were visited;
// `unreadable`, when given, with the path and errno of each subfolder that could not be opened.
void WalkDirectory(const std::string& root, const std::function<void(const DirEntry&)>& visit,
                   const std::function<void(const std::string&)>& leave = {},
                   const std::function<void(const std::string&, int)>& unreadable = {});

// The entries of one folder (not of its subfolders) in the order the file system lists them,
// without "." and "..". A folder that cannot be opened throws AppError.
std::vector<DirEntry> ListDirectory(const std::string& folder);

}  // namespace tarvel::fs

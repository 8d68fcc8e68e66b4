#pragma once

#include <string>

// Small checked file-system operations. Failures throw AppError naming the path and the reason.
namespace tarvel::fs {

// True when the path names an existing regular file (or a link to one).
bool FileExists(const std::string& path);
// True when the path names an existing folder (or a link to one).
bool DirectoryExists(const std::string& path);
// True when there is anything under the name: a file, a folder, a named pipe, a device, a link
// (even a broken one).
bool EntryExists(const std::string& path);

// Creates the folder and its missing parents; an existing folder is fine.
void CreateDirectories(const std::string& path);

// Removes a file; a missing file is fine.
void RemoveFile(const std::string& path);

// Moves whatever is under the name aside, to NAME.unreadable in the same folder (NAME.unreadable.2,
// .3, ... when that is taken), so that a file the program could not read is kept when a new one
// is written under its name. Returns the new name; nothing moves, and the result is empty, when
// there is nothing under the name. Throws AppError.
std::string KeepBeside(const std::string& path);

// Copies a file's bytes to the target (replaced atomically).
void CopyFile(const std::string& from, const std::string& to);

// The text after the last path separator of this platform ('/'), i.e. a file's name without its
// folder. This is where names "after the last backslash or colon" are taken on Windows.
std::string FileNameOf(const std::string& path);
// Everything before the last separator (without it); empty when there is none.
std::string FolderOf(const std::string& path);
// a + "/" + b, without doubling a separator already at the end of a.
std::string JoinPath(const std::string& a, const std::string& b);

// folder + "/" + name, where name is matched the way a case-blind file system would: when no
// entry has exactly that name but one differs only in the case of ASCII letters, that entry's
// name is used ("Conf.tcf" finds "conf.tcf"). With no match at all the exact name is returned.
std::string FindNoCase(const std::string& folder, const std::string& name);

// The current directory of the process.
std::string CurrentDirectory();
void SetCurrentDirectory(const std::string& path);

// The reason text of an errno value.
std::string ErrnoText(int error);

}  // namespace tarvel::fs

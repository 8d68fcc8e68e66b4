#include "platform/fs/replace_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/fs/dir_walk.h"
#include "platform/fs/fast_copy.h"
#include "platform/fs/fd.h"
#include "platform/fs/line_file.h"

namespace tarvel::fs {
namespace {

// The journal of a commit, inside the staging folder. Staged files never start with a dot, so
// it cannot be taken for one; nor can the temporary files of an interrupted copy.
constexpr const char* kJournal = ".journal";

std::string StagingFolder(const std::string& folder, const std::string& name) {
    std::string staging(".");
    staging.append(name).append(".new");
    return JoinPath(folder, staging);
}

// Removes the staging folder and whatever it holds (it holds files only).
void RemoveStaging(const std::string& staging) {
    std::vector<DirEntry> entries;
    try {
        entries = ListDirectory(staging);
    } catch (const AppError&) {
        return;  // gone already
    }
    for (const auto& entry : entries) {
        ::unlink(entry.path.c_str());
    }
    ::rmdir(staging.c_str());
}

// Carries out a journal: "R name" moves the staged file over the folder's, "D name" removes the
// folder's file. A step already done (its staged file gone, its file removed) is passed over,
// so a journal can be carried out again after an interruption.
void CarryOut(const std::string& folder, const std::string& staging) {
    for (const auto& line : ReadLines(JoinPath(staging, kJournal))) {
        if (line.size() < 3 || line[1] != ' ') {
            continue;
        }
        const std::string name = line.substr(2);
        const std::string target = JoinPath(folder, name);
        if (line[0] == 'R') {
            const std::string staged = JoinPath(staging, name);
            if (::rename(staged.c_str(), target.c_str()) != 0 && errno != ENOENT) {
                FailFile("replace", target, errno);
            }
        } else if (line[0] == 'D') {
            if (::unlink(target.c_str()) != 0 && errno != ENOENT) {
                FailFile("remove", target, errno);
            }
        }
    }
    RemoveStaging(staging);
}

}  // namespace

ReplaceSet::ReplaceSet(std::string folder, const std::string& name)
    : folder_(std::move(folder)), staging_(StagingFolder(folder_, name)) {
    CreateDirectories(folder_);
    Recover(folder_, name);
    if (::mkdir(staging_.c_str(), 0777) != 0) {
        FailFile("create", staging_, errno);
    }
}

ReplaceSet::~ReplaceSet() {
    if (open_) {
        Abandon();
    }
}

void ReplaceSet::Recover(const std::string& folder, const std::string& name) {
    const std::string staging = StagingFolder(folder, name);
    if (!DirectoryExists(staging)) {
        return;
    }
    if (FileExists(JoinPath(staging, kJournal))) {
        CarryOut(folder, staging);
    } else {
        RemoveStaging(staging);
    }
}

std::string ReplaceSet::StagedPath(const std::string& file) const {
    return JoinPath(staging_, file);
}

bool ReplaceSet::StageCopy(const std::string& file) {
    const std::string current = JoinPath(folder_, file);
    if (!FileExists(current)) {
        return false;
    }
    CopyFileFast(current, StagedPath(file));
    return true;
}

void ReplaceSet::Append(const std::string& file, std::string_view bytes) {
    const std::string path = StagedPath(file);
    Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
        FailFile("open", path, errno);
    }
    WriteAll(fd.get(), bytes, path);
    if (fd.Close() != 0) {
        FailFile("close", path, errno);
    }
}

void ReplaceSet::Remove(const std::string& file) {
    removed_.push_back(file);
}

void ReplaceSet::Commit(const std::string& last) {
    std::vector<std::string> journal;
    for (const auto& entry : ListDirectory(staging_)) {
        if (!entry.is_directory && entry.name[0] != '.' && entry.name != last) {
            journal.push_back("R " + entry.name);
        }
    }
    for (const auto& file : removed_) {
        journal.push_back("D " + file);
    }
    if (FileExists(StagedPath(last))) {
        journal.push_back("R " + last);
    }
    WriteLines(JoinPath(staging_, kJournal), journal);
    open_ = false;
    CarryOut(folder_, staging_);
}

void ReplaceSet::Abandon() {
    open_ = false;
    RemoveStaging(staging_);
}

}  // namespace tarvel::fs

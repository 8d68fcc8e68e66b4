#pragma once

#include <string>
#include <string_view>
#include <vector>

// Replacing several files of one folder together. The new files are written in a staging folder
// beside them; the commit first records, in a journal written atomically inside the staging
// folder, which files replace which and which are removed, then carries it out. A run cut off
// at any moment (a kill, a full disk) leaves either the old set, when no journal was written,
// or a journal that the next Recover carries out to the end. Readers of single files see each
// file old or new, never a part of one. Only the journal is flushed to the disk: flushing every
// staged file (or the whole file system) costs seconds on a busy disk, and a kill, unlike a
// power loss, loses nothing the system was given.
namespace tarvel::fs {

class ReplaceSet {
  public:
    // folder: the folder whose files are replaced; name: what the set is for, which names the
    // staging folder (".<name>.new" inside the folder). A staging folder left by an earlier run
    // is recovered first (see Recover).
    ReplaceSet(std::string folder, const std::string& name);
    // A set never committed is abandoned: the staging folder is removed, the folder unchanged.
    ~ReplaceSet();
    ReplaceSet(const ReplaceSet&) = delete;
    ReplaceSet& operator=(const ReplaceSet&) = delete;

    // Carries out the journal of a commit that a run did not finish; a staging folder without a
    // journal is removed. Nothing happens when there is no staging folder.
    static void Recover(const std::string& folder, const std::string& name);

    const std::string& folder() const { return folder_; }
    // Where the new version of the folder's file `file` is written.
    std::string StagedPath(const std::string& file) const;
    // Copies the folder's current `file` into the staging folder (to be appended to); true when
    // there was one to copy.
    bool StageCopy(const std::string& file);
    // Appends bytes to the staged `file`, creating it when it is missing.
    void Append(const std::string& file, std::string_view bytes);
    // Marks the folder's `file` for removal at the commit.
    void Remove(const std::string& file);

    // Replaces the folder's files by every file staged (files not staged stay as they are),
    // removes the files marked, and puts `last` (a staged file name) in place after all others.
    void Commit(const std::string& last);
    // Removes the staging folder without touching the folder's files.
    void Abandon();

  private:
    std::string folder_;
    std::string staging_;
    std::vector<std::string> removed_;
    bool open_ = true;
};

}  // namespace tarvel::fs

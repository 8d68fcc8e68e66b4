#include "platform/fs/replace_set.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/fs/dir_walk.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "support/temp_dir.h"

namespace tarvel::fs {
namespace {

using tarvel::testing::ReadBytes;
using tarvel::testing::TempDir;
using tarvel::testing::WriteBytes;

// Every file below a folder (staging folders included) with its bytes.
std::map<std::string, std::string> Tree(const std::string& folder) {
    std::map<std::string, std::string> tree;
    WalkDirectory(folder, [&](const DirEntry& e) {
        if (!e.is_directory) {
            tree[e.path.substr(folder.size() + 1)] = ReadBytes(e.path);
        }
    });
    return tree;
}

class ReplaceSetTest : public ::testing::Test {
  protected:
    ReplaceSetTest() {
        WriteBytes(dir / "a", "old a");
        WriteBytes(dir / "b", "old b");
        WriteBytes(dir / "gone", "old gone");
        WriteBytes(dir / "other", "mine");
    }
    // Stages new a and c, an appended copy of b and the removal of gone.
    static void Stage(ReplaceSet& set) {
        WriteBytes(set.StagedPath("a"), "new a");
        ASSERT_TRUE(set.StageCopy("b"));
        EXPECT_FALSE(set.StageCopy("missing"));
        set.Append("b", " more");
        set.Append("c", "new c");
        set.Remove("gone");
    }
    const std::map<std::string, std::string> kOld = {
        {"a", "old a"}, {"b", "old b"}, {"gone", "old gone"}, {"other", "mine"}};
    const std::map<std::string, std::string> kNew = {
        {"a", "new a"}, {"b", "old b more"}, {"c", "new c"}, {"other", "mine"}};
    TempDir dir;
};

TEST_F(ReplaceSetTest, ACommitReplacesTheSetAndAnUncommittedOneChangesNothing) {
    {
        ReplaceSet set(dir.path(), "lib");
        Stage(set);
        EXPECT_EQ(Tree(dir.path()).at("a"), "old a");  // nothing seen before the commit
    }
    EXPECT_EQ(Tree(dir.path()), kOld);
    ReplaceSet set(dir.path(), "lib");
    Stage(set);
    set.Commit("c");
    EXPECT_EQ(Tree(dir.path()), kNew);
}

TEST_F(ReplaceSetTest, RecoveryDropsABuildWithoutJournalAndFinishesOneWithIt) {
    const std::string staging = dir / ".lib.new";
    // Cut off while building: the staged files and an unfinished journal are dropped.
    WriteBytes(staging + "/a", "new a");
    WriteBytes(staging + "/.journal.Xy12ab", "R a\r\n");
    ReplaceSet::Recover(dir.path(), "lib");
    EXPECT_EQ(Tree(dir.path()), kOld);

    // Cut off while carrying out the journal: a was moved already, c and the removal were not.
    WriteBytes(dir / "a", "new a");
    WriteBytes(staging + "/b", "old b more");
    WriteBytes(staging + "/c", "new c");
    WriteLines(staging + "/.journal", {"R a", "R b", "D gone", "R c"});
    ReplaceSet::Recover(dir.path(), "lib");
    EXPECT_EQ(Tree(dir.path()), kNew);
    ReplaceSet::Recover(dir.path(), "lib");  // nothing left to do
    EXPECT_EQ(Tree(dir.path()), kNew);
}

}  // namespace
}  // namespace tarvel::fs

#include <gtest/gtest.h>

#include "packages/package_folders.h"
#include "support/package_files.h"
#include "support/temp_folder.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

TEST(RemovePackageFoldersTest, RemovesTheEmptyFoldersTheMembersName) {
    TempFolder root;
    WriteGob(root / "p.gob", {{"A\\B\\C\\f1", "1"}, {"A\\g2", "2"}});
    fs::create_directories(root / "X" / "A" / "B" / "C");
    RemovePackageFolders(root / "p.gob", root / "X");
    EXPECT_FALSE(fs::exists(root / "X" / "A"));
    EXPECT_TRUE(fs::exists(root / "X"));
}

TEST(RemovePackageFoldersTest, KeepsFoldersThatStillHoldFiles) {
    TempFolder root;
    WriteGob(root / "p.gob", {{"A\\B\\C\\f1", "1"}, {"A\\g2", "2"}});
    fs::create_directories(root / "X" / "A" / "B" / "C");
    WriteFileBytes(root / "X" / "A" / "g2", "still here");
    RemovePackageFolders(root / "p.gob", root / "X");
    EXPECT_FALSE(fs::exists(root / "X" / "A" / "B"));
    EXPECT_TRUE(fs::exists(root / "X" / "A" / "g2"));
}

TEST(RemovePackageFoldersTest, NeverLeavesItsBaseFolderAndRemovesNoFile) {
    TempFolder root;
    fs::create_directories(root / "Outside");
    fs::create_directories(root / "X");
    WriteFileBytes(root / "X" / "A", "a file, not a folder");
    WriteGob(root / "p.gob", {{"..\\Outside\\x", "1"}, {"A\\y", "2"}});
    RemovePackageFolders(root / "p.gob", root / "X");
    EXPECT_TRUE(fs::exists(root / "Outside"));
    EXPECT_TRUE(fs::exists(root / "X" / "A"));
}

TEST(RemovePackageFoldersTest, HandlesDeepChainsAndManyMembers) {
    TempFolder root;
    std::vector<GobEntry> entries;
    for (int i = 0; i < 600; ++i)
        entries.push_back({"M" + std::to_string(i) + "\\f", "x"});
    entries.push_back({"1\\2\\3\\4\\5\\6\\7\\f", "x"});
    WriteGob(root / "p.gob", entries);
    fs::create_directories(root / "X" / "1" / "2" / "3" / "4" / "5" / "6" / "7");
    fs::create_directories(root / "X" / "M599");
    RemovePackageFolders(root / "p.gob", root / "X");
    EXPECT_TRUE(fs::is_empty(root / "X"));
}

}  // namespace
}  // namespace tolvane::testing

#include <gtest/gtest.h>

#include "launch/launch_file_list.h"
#include "support/temp_folder.h"

namespace tolvane::testing {
namespace {

TEST(LaunchFileListTest, MatchesWithoutLetterCaseAndKeepsItsSnapshot) {
    TempFolder folder;
    WriteFileBytes(folder / "XWingAlliance.exe", "x");
    WriteFileBytes(folder / "b.ZT", "b");
    WriteFileBytes(folder / "a.zt", "a");
    WriteFileBytes(folder / ".hidden.zt", "h");
    std::filesystem::create_directories(folder / "c.zt");
    LaunchFileList list;
    ASSERT_TRUE(list.setFolder(folder.path()));
    list.setPattern("XWingALLiAncE.exe");
    EXPECT_EQ(list.item(0), "XWingAlliance.exe");
    list.setPattern("*.zt");
    ASSERT_EQ(list.count(), 2u);
    for (std::size_t i = 0; i < list.count(); ++i)
        std::filesystem::remove(folder.path() / list.item(i));
    EXPECT_EQ(list.item(0), "a.zt");
    EXPECT_EQ(list.item(1), "b.ZT");
    EXPECT_EQ(list.item(2), "");
    EXPECT_FALSE(list.setFolder(folder / "missing"));
    EXPECT_EQ(list.folder(), folder.path());
}

}  // namespace
}  // namespace tolvane::testing

#include "platform/whole_file_steps.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

TEST(WholeFileStepsTest, NothingTakenIsEverReplaced) {
    TempFolder folder;
    WriteFileBytes(folder / "game" / "A.LFD", "the game's file");
    WriteFileBytes(folder / "backup" / "A.LFD", "an earlier backup");
    EXPECT_THROW(MoveWithoutReplacing(folder / "game" / "A.LFD", folder / "backup" / "A.LFD"),
                 Error);
    EXPECT_THROW(CopyWithoutReplacing(folder / "game" / "A.LFD", folder / "backup" / "A.LFD"),
                 Error);
    EXPECT_EQ(ReadFileBytes(folder / "game" / "A.LFD"), "the game's file");
    EXPECT_EQ(ReadFileBytes(folder / "backup" / "A.LFD"), "an earlier backup");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "backup"), {}), 1)
        << "a working file was left behind";

    MoveWithoutReplacing(folder / "game" / "A.LFD", folder / "backup" / "B.LFD");
    EXPECT_FALSE(fs::exists(folder / "game" / "A.LFD"));
    EXPECT_EQ(ReadFileBytes(folder / "backup" / "B.LFD"), "the game's file");
    CopyWithoutReplacing(folder / "backup" / "B.LFD", folder / "game" / "C.LFD");
    EXPECT_EQ(ReadFileBytes(folder / "game" / "C.LFD"), "the game's file");
}

}  // namespace
}  // namespace tolvane::testing

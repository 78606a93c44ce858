#include <gtest/gtest.h>

#include "pilots/pilot_files.h"
#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

TEST(PilotFilesTest, NamesComeFromTheFirstTwelveBytes) {
    TempFolder game;
    WriteFileBytes(game / "b.plt", std::string("Nova\0\0\0\0\0\0\0\0rest", 16));
    WriteFileBytes(game / "A.PLT", "TwelveLetterNAMEandmore");
    WriteFileBytes(game / "c.plt", std::string("Nova\0junk\0\0\0", 12));
    WriteFileBytes(game / "d.plt", "Ab");
    WriteFileBytes(game / "notes.txt", "not a pilot");
    PilotList pilots = ReadPilotNames(game.path());
    EXPECT_EQ(pilots.names, (std::vector<std::string>{"TwelveLetter", "Nova", "Nova", "Ab"}));
    EXPECT_TRUE(pilots.unreadable.empty());
}

TEST(PilotFilesTest, AGameFolderWithoutPilotsListsNone) {
    TempFolder game;
    EXPECT_TRUE(ReadPilotNames(game.path()).names.empty());
}

}  // namespace
}  // namespace tolvane::testing

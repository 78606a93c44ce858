#include <gtest/gtest.h>

#include "packages/catalogue.h"
#include "support/fake_progress.h"
#include "support/package_files.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

TEST(CatalogueTest, ListsThePackagesInNameOrderUnderTheirAuthorsNames) {
    StandInGame game;
    WriteGob(game.shipSets() / "b.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Bravo")}});
    WriteGob(game.shipSets() / "A.GOB", {{"A.LFD", "no information here"}});
    WriteGob(game.shipSets() / "c.Gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Charlie, 2")}});
    WriteGob(game.shipSets() / "d.gob", {{"PATCHINFO.TXT", ""}});
    WriteFileBytes(game.shipSets() / "e.gob", "a download cut short");
    WriteFileBytes(game.shipSets() / "readme.txt", "not a package");
    WriteFileBytes(game.shipSets() / "patchinfo.txt", "the player's own notes");
    FakeProgress reading;

    std::vector<ShipSetEntry> entries = ReadShipSetNames(game.shipSets(), reading);

    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].package, game.shipSets() / "A.GOB");
    EXPECT_EQ(entries[0].listName, "Patchinfo.txt not found");
    EXPECT_FALSE(entries[0].hasInfo);
    EXPECT_EQ(entries[1].package, game.shipSets() / "b.gob");
    EXPECT_EQ(entries[1].listName, "Bravo");
    EXPECT_TRUE(entries[1].hasInfo);
    EXPECT_EQ(entries[2].package, game.shipSets() / "c.Gob");
    EXPECT_EQ(entries[2].listName, "Charlie");
    // An empty text has nothing to show; a package that cannot be read is listed all the same.
    for (std::size_t i : {3u, 4u}) {
        EXPECT_EQ(entries[i].listName, "Patchinfo.txt not found");
        EXPECT_FALSE(entries[i].hasInfo);
    }
    EXPECT_EQ(reading.values, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(reading.maximum(), 5);
    EXPECT_EQ(ReadFileBytes(game.shipSets() / "patchinfo.txt"), "the player's own notes");
}

TEST(CatalogueTest, AMissingOrEmptyDirectoryListsNothing) {
    StandInGame game;
    FakeProgress reading;
    EXPECT_TRUE(ReadShipSetNames(game.shipSets(), reading).empty());
    EXPECT_TRUE(ReadShipSetNames(game.shipSets() / "gone", reading).empty());
}

TEST(CatalogueTest, EveryPackageHasItsPathHoweverManyThereAre) {
    StandInGame game;
    for (int i = 0; i < 105; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "set%03d.gob", i);
        WriteGob(game.shipSets() / name, {{"PATCHINFO.TXT", "Name: " + std::to_string(i)}});
    }
    FakeProgress reading;
    std::vector<ShipSetEntry> entries = ReadShipSetNames(game.shipSets(), reading);
    ASSERT_EQ(entries.size(), 105u);
    EXPECT_EQ(entries[104].package.filename(), "set104.gob");
    EXPECT_EQ(entries[104].listName, "104");
}

}  // namespace
}  // namespace tolvane::testing

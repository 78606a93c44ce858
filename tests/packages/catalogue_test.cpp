#include <gtest/gtest.h>

#include "packages/catalogue.h"
#include "support/fake_main_window.h"
#include "support/package_files.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

TEST(CatalogueTest, ListsThePackagesInNameOrderUnderTheirAuthorsNames) {
    StandInGame game;
    writeGob(game.shipSets() / "b.gob", {{"PATCHINFO.TXT", patchInfoText("Name: Bravo")}});
    writeGob(game.shipSets() / "A.GOB", {{"A.LFD", "no information here"}});
    writeGob(game.shipSets() / "c.Gob", {{"PATCHINFO.TXT", patchInfoText("Name: Charlie, 2")}});
    writeFile(game.shipSets() / "readme.txt", "not a package");
    writeFile(game.shipSets() / "patchinfo.txt", "the player's own notes");
    FakeMainWindow window;
    window.shipSets = {"stale"};

    std::vector<std::filesystem::path> paths = ReadShipSetNames(game.session, window);

    EXPECT_EQ(window.shipSets,
              (std::vector<std::string>{"Patchinfo.txt not found", "Bravo", "Charlie"}));
    EXPECT_EQ(paths, (std::vector<std::filesystem::path>{game.shipSets() / "A.GOB",
                                                         game.shipSets() / "b.gob",
                                                         game.shipSets() / "c.Gob"}));
    EXPECT_EQ(window.readingBar().values, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(window.readingBar().maximum(), 3);
    EXPECT_FALSE(window.readingShown);
    EXPECT_EQ(readFile(game.shipSets() / "patchinfo.txt"), "the player's own notes");
}

TEST(CatalogueTest, AMissingOrEmptyDirectoryListsNothing) {
    StandInGame game;
    FakeMainWindow window;
    EXPECT_TRUE(ReadShipSetNames(game.session, window).empty());
    game.store.save("Settings", "ShipSet Dir", (game.shipSets() / "gone").string() + "/");
    EXPECT_TRUE(ReadShipSetNames(game.session, window).empty());
    EXPECT_TRUE(window.shipSets.empty());
}

TEST(CatalogueTest, EveryPackageHasItsPathHoweverManyThereAre) {
    StandInGame game;
    for (int i = 0; i < 105; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "set%03d.gob", i);
        writeGob(game.shipSets() / name, {{"PATCHINFO.TXT", "Name: " + std::to_string(i)}});
    }
    FakeMainWindow window;
    std::vector<std::filesystem::path> paths = ReadShipSetNames(game.session, window);
    ASSERT_EQ(paths.size(), 105u);
    EXPECT_EQ(paths[104].filename(), "set104.gob");
    EXPECT_EQ(window.shipSets[104], "104");
}

}  // namespace
}  // namespace tolvane::testing

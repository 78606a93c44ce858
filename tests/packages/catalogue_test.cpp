#include <gtest/gtest.h>

#include "packages/catalogue.h"
#include "support/fake_progress.h"
#include "support/sample_world.h"
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

    // Rows without a text are told apart by their file names, and by why they cannot be read.
    struct Row {
        const char* file;
        const char* listed;
        bool hasInfo;
        bool unreadable;
    };
    const Row rows[] = {{"A.GOB", "Patchinfo.txt not found (A.GOB)", false, false},
                        {"b.gob", "Bravo", true, false},
                        {"c.Gob", "Charlie", true, false},
                        {"d.gob", "Patchinfo.txt not found (d.gob)", false, false},
                        {"e.gob", "Patchinfo.txt not found (e.gob, unreadable)", false, true}};
    ASSERT_EQ(entries.size(), std::size(rows));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].package, game.shipSets() / rows[i].file);
        EXPECT_EQ(entries[i].listName, rows[i].listed);
        EXPECT_EQ(entries[i].hasInfo, rows[i].hasInfo);
        EXPECT_EQ(entries[i].unreadable.has_value(), rows[i].unreadable);
    }
    EXPECT_EQ(reading.values, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(reading.maximum(), 5);
    EXPECT_EQ(ReadFileBytes(game.shipSets() / "patchinfo.txt"), "the player's own notes");
}

}  // namespace
}  // namespace tolvane::testing

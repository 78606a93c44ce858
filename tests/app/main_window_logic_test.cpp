#include <gtest/gtest.h>

#include "app/main_window_logic.h"
#include "app/window_states.h"
#include "launch/launch_journal.h"
#include "platform/error.h"
#include "support/fake_main_window.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

// What the player can do in the state the window is in: launch (or restore), pick another entry,
// and leave.
struct Can {
    bool launch;
    bool pick;
    bool exit;
    bool operator==(const Can&) const = default;
};
Can CanIn(const FakeMainWindow& window) {
    return {window.enabled(Control::launchButton) && window.launchVisible,
            window.enabled(Control::shipSetList), window.enabled(Control::exitButton)};
}

// The handlers choose the state from what the procedure they ran reports.
class MainWindowLogicTest : public ::testing::Test {
  protected:
    MainWindowLogicTest() : logic(game.session, window) {}

    void launchFirstEntry() {
        logic.load();
        window.selected = 0;
        logic.listClicked();
        logic.launchClicked();
    }

    StandInGame game;
    FakeMainWindow window;
    MainWindowLogic logic;
};

// What the player can press through a whole cycle, pressed through the handlers; a launch that
// changed nothing, or one whose install failed, and a restore in part each leave the way on.
TEST_F(MainWindowLogicTest, EachStepOfACycleLeavesTheControlsItNeeds) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    logic.load();
    EXPECT_EQ(CanIn(window), (Can{false, true, true}));
    logic.launchClicked();  // nothing selected: nothing happens
    EXPECT_EQ(window.pilotLoaderShown, 0);
    window.selected = 0;
    logic.listClicked();
    EXPECT_EQ(CanIn(window), (Can{true, true, true}));

    game.store.failingKey = "Last ShipSet";
    game.prompts.allowMessage("Launch Failed");
    logic.launchClicked();
    EXPECT_EQ(CanIn(window), (Can{true, true, true})) << "a launch that changed nothing";
    game.store.failingKey.clear();
    window.bar().setValue(7);
    logic.launchClicked();
    EXPECT_EQ(window.pilotLoaderShown, 1);
    EXPECT_EQ(CanIn(window), (Can{false, false, false}));
    logic.pilotLoaderClosed();
    logic.listClicked();  // a stray selection event changes nothing while the ship set is in
    EXPECT_EQ(CanIn(window), (Can{true, false, false}));
    EXPECT_EQ(window.launchCaption(), "Click here when done playing");

    std::filesystem::remove(game.game() / "DATA.LFD");
    WriteFileBytes(game.game() / "DATA.LFD" / "busy", "the game holds it");
    game.prompts.allowMessage("Restore Incomplete");
    logic.launchClicked();
    EXPECT_EQ(CanIn(window), (Can{true, false, true})) << "a restore in part";
    EXPECT_EQ(window.launchCaption(), "Click here to restore files");
    std::filesystem::remove_all(game.game() / "DATA.LFD");
    game.prompts.allowMessage("Success!");
    logic.launchClicked();
    EXPECT_EQ(window.launchCaption(), "Launch ShipSet");
    EXPECT_EQ(window.bar().value(), 0);
    EXPECT_TRUE(logic.readyToLaunch());
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "original data");
}

// "ShipSet Dir" names no folder: the player is told, not shown an empty list in silence; once the
// options are mended and the list refreshed, the first press of Launch launches.
TEST_F(MainWindowLogicTest, AFailedLoadDoesNotSwallowTheFirstLaunch) {
    WriteFileBytes(game.game().parent_path() / "not a folder", "x");
    game.store.save("Settings", "ShipSet Dir",
                    (game.game().parent_path() / "not a folder").string());
    game.session.loadSettings();  // as accepted options read them
    game.prompts.expectMessage("The ShipSet directory " +
                                   (game.game().parent_path() / "not a folder").string() +
                                   " does not exist.  Choose the folder of your ShipSets in "
                                   "Options.",
                               "ShipSet Directory", Icon::Exclamation);
    logic.load();
    EXPECT_TRUE(window.shipSets.empty());

    game.store.save("Settings", "ShipSet Dir", (game.shipSets() / "").string());
    game.session.loadSettings();
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    logic.refreshClicked();
    window.selected = 0;
    logic.listClicked();
    logic.launchClicked();
    EXPECT_EQ(window.pilotLoaderShown, 1);
}

// A cycle an earlier run left open, while a game (that run's, perhaps) still runs: the restore asks
// first, and No leaves everything as it is.
TEST_F(MainWindowLogicTest, ARestoreOfTheLastShipSetUnderARunningGameAsksFirst) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    launchFirstEntry();
    logic.enter(
        WindowState::LastShipSetToRestore);  // as start-up leaves a cycle an earlier run left open
    window.earlierGameRunning = true;
    const char* ask = "The game is still running. Restore the game folder anyway?";
    game.prompts.expectQuestion(ask, "Game Still Running", Icon::Exclamation, Answer::No,
                                Answer::No);
    logic.launchClicked();
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "package data");
    EXPECT_EQ(window.launchCaption(), "Click here to restore files");

    game.prompts.expectQuestion(ask, "Game Still Running", Icon::Exclamation, Answer::No,
                                Answer::Yes);
    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    logic.launchClicked();
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "original data");
}

}  // namespace
}  // namespace tolvane::testing

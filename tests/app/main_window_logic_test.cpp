#include <gtest/gtest.h>

#include <set>

#include "app/main_window_logic.h"
#include "app/window_states.h"
#include "launch/launch_journal.h"
#include "platform/error.h"
#include "support/fake_main_window.h"
#include "support/package_files.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

const std::set<Control> kAll = {
    Control::infoButton,  Control::refreshButton, Control::launchButton, Control::shipSetList,
    Control::aboutButton, Control::optionsButton, Control::exitButton};
const std::set<Control> kNothingSelected = {Control::shipSetList, Control::refreshButton,
                                            Control::exitButton, Control::aboutButton,
                                            Control::optionsButton};
const std::set<Control> kLastShipSetToRestore = {Control::launchButton, Control::exitButton};

struct WindowLooks {
    std::string caption;
    bool launchVisible;
    std::set<Control> enabled;
};

WindowLooks LooksOf(const FakeMainWindow& window) {
    std::set<Control> enabled;
    for (Control control : kAll) {
        if (window.enabled(control))
            enabled.insert(control);
    }
    return {window.launchCaption(), window.launchVisible, enabled};
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

// The controls as a player meets them through a whole cycle, pressed through the handlers.
TEST_F(MainWindowLogicTest, EachStepOfACycleLeavesTheControlsItNeeds) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    std::set<Control> entrySelected = kNothingSelected;
    entrySelected.insert({Control::launchButton, Control::infoButton});

    logic.load();
    EXPECT_EQ(LooksOf(window).enabled, kNothingSelected);
    EXPECT_EQ(window.launchCaption(), "Launch ShipSet");
    logic.launchClicked();  // nothing selected: nothing happens
    EXPECT_EQ(window.pilotLoaderShown, 0);

    window.selected = 0;
    logic.listClicked();
    EXPECT_EQ(LooksOf(window).enabled, entrySelected);
    // A launch that changed nothing leaves the window as the press found it.
    game.store.failingKey = "Last ShipSet";
    game.prompts.expectMessage("Could not save Last ShipSet\r\rNothing has been changed.",
                               "Launch Failed", Icon::Critical);
    logic.launchClicked();
    EXPECT_EQ(LooksOf(window).enabled, entrySelected);
    EXPECT_TRUE(window.launchVisible);
    game.store.failingKey.clear();
    window.bar().setValue(7);
    logic.launchClicked();
    EXPECT_EQ(window.pilotLoaderShown, 1);
    EXPECT_FALSE(logic.readyToLaunch());
    EXPECT_EQ(LooksOf(window).enabled, std::set<Control>{});
    EXPECT_FALSE(window.launchVisible);
    EXPECT_EQ(window.launchCaption(), "Click here when done playing");

    logic.pilotLoaderClosed();
    EXPECT_EQ(LooksOf(window).enabled, std::set<Control>{Control::launchButton});
    EXPECT_TRUE(window.launchVisible);
    logic.listClicked();  // a stray selection event changes nothing while the ship set is in
    EXPECT_EQ(LooksOf(window).enabled, std::set<Control>{Control::launchButton});

    logic.launchClicked();
    EXPECT_EQ(LooksOf(window).enabled, kAll);
    EXPECT_EQ(window.launchCaption(), "Launch ShipSet");
    EXPECT_EQ(window.bar().value(), 0);
    EXPECT_TRUE(logic.readyToLaunch());
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "original data");

    logic.refreshClicked();
    EXPECT_EQ(LooksOf(window).enabled, kNothingSelected);
}

TEST_F(MainWindowLogicTest, AFailedInstallLeavesTheButtonToCloseTheCycle) {
    WriteGob(game.shipSets() / "Bad.gob", {{"zt\\bad.zt", MakeZt({{-4, "x"}})}});
    game.prompts.allowMessage("Launch Failed");
    launchFirstEntry();
    EXPECT_EQ(window.pilotLoaderShown, 0);
    EXPECT_EQ(LooksOf(window).enabled, std::set<Control>{Control::launchButton});
    EXPECT_TRUE(window.launchVisible);
    EXPECT_EQ(window.launchCaption(), "Click here when done playing");
}

TEST_F(MainWindowLogicTest, ARestoreInPartOffersTheRestoreAgain) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    launchFirstEntry();
    logic.pilotLoaderClosed();
    std::filesystem::remove(game.game() / "DATA.LFD");
    WriteFileBytes(game.game() / "DATA.LFD" / "busy", "the game holds it");
    game.prompts.allowMessage("Restore Incomplete");
    logic.launchClicked();
    EXPECT_EQ(LooksOf(window).enabled, kLastShipSetToRestore);
    EXPECT_EQ(window.launchCaption(), "Click here to restore files");

    std::filesystem::remove_all(game.game() / "DATA.LFD");
    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    logic.launchClicked();
    EXPECT_EQ(LooksOf(window).enabled, kNothingSelected);
    EXPECT_EQ(window.launchCaption(), "Launch ShipSet");
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

// Info shows a ship set's text and what its launch would change; a package without a text has
// nothing to show.
TEST_F(MainWindowLogicTest, InfoShowsOnlyAShipSetThatHasAText) {
    WriteGob(game.shipSets() / "A.gob", {{"DATA.LFD", "no text"}});
    WriteGob(game.shipSets() / "B.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Bravo")}});
    logic.load();
    for (int position : {0, 1}) {
        window.selected = position;
        logic.listClicked();
        logic.infoClicked();
    }
    ASSERT_EQ(window.infos.size(), 1u);
    EXPECT_EQ(window.infos[0].name, "Bravo");
    EXPECT_EQ(window.previews.size(), 1u);
}

}  // namespace
}  // namespace tolvane::testing

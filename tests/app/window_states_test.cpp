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

using enum WindowState;

const std::set<Control> kAll = {
    Control::infoButton,  Control::refreshButton, Control::launchButton, Control::shipSetList,
    Control::aboutButton, Control::optionsButton, Control::exitButton};
const std::set<Control> kNothingSelected = {Control::shipSetList, Control::refreshButton,
                                            Control::exitButton, Control::aboutButton,
                                            Control::optionsButton};
const std::set<Control> kRestoreMode = {Control::launchButton, Control::exitButton};

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

// The window's states as a player meets them, each reached through the states before it.
TEST(WindowStatesTest, EachStateLeavesTheControlsAsTheCycleNeedsThem) {
    struct Case {
        const char* name;
        std::vector<WindowState> path;
        WindowLooks expected;
    };
    std::set<Control> entrySelected = kNothingSelected;
    entrySelected.insert({Control::launchButton, Control::infoButton});
    const std::vector<WindowState> installed = {NothingSelected, EntrySelected, Installing,
                                                WaitingForPilot};
    auto then = [](std::vector<WindowState> path, std::initializer_list<WindowState> more) {
        path.insert(path.end(), more);
        return path;
    };
    const Case cases[] = {
        {"loaded", {NothingSelected}, {"Launch ShipSet", true, kNothingSelected}},
        {"entry selected",
         {NothingSelected, EntrySelected},
         {"Launch ShipSet", true, entrySelected}},
        {"refreshing",
         {NothingSelected, EntrySelected, Refreshing},
         {"Launch ShipSet",
          true,
          {Control::shipSetList, Control::exitButton, Control::aboutButton,
           Control::optionsButton}}},
        {"refreshed",
         {NothingSelected, EntrySelected, Refreshing, NothingSelected},
         {"Launch ShipSet", true, kNothingSelected}},
        {"installing", {NothingSelected, EntrySelected, Installing}, {"Launch ShipSet", false, {}}},
        {"waiting for a pilot", installed, {"Click here when done playing", false, {}}},
        {"waiting for play to end",
         then(installed, {WaitingForPlayToEnd}),
         {"Click here when done playing", true, {Control::launchButton}}},
        {"restoring after play",
         then(installed, {WaitingForPlayToEnd, RestoringAfterPlay}),
         {"Click here when done playing", false, {}}},
        {"ordinary after play",
         then(installed, {WaitingForPlayToEnd, RestoringAfterPlay, OrdinaryAfterPlay}),
         {"Launch ShipSet", true, kAll}},
        {"restored in part",
         then(installed, {WaitingForPlayToEnd, RestoringAfterPlay, RestoreMode}),
         {"Click here to restore files", true, kRestoreMode}},
        {"restore mode at start",
         {NothingSelected, RestoreMode},
         {"Click here to restore files", true, kRestoreMode}},
        {"recovery running",
         {NothingSelected, RestoreMode, RecoveryRunning},
         {"Click here to restore files", false, {Control::launchButton}}},
        {"recovered",
         {NothingSelected, RestoreMode, RecoveryRunning, NothingSelected},
         {"Launch ShipSet", true, kNothingSelected}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMainWindow window;
        window.bar().setValue(7);
        for (WindowState state : c.path)
            EnterState(window, state);
        WindowLooks looks = LooksOf(window);
        EXPECT_EQ(looks.caption, c.expected.caption);
        EXPECT_EQ(looks.launchVisible, c.expected.launchVisible);
        EXPECT_EQ(looks.enabled, c.expected.enabled);
    }
}

TEST(WindowStatesTest, TheBarIsClearedWhenTheButtonComesBackForANewStep) {
    for (WindowState state : {NothingSelected, OrdinaryAfterPlay, RestoreMode}) {
        FakeMainWindow window;
        window.bar().setValue(7);
        EnterState(window, state);
        EXPECT_EQ(window.bar().value(), 0);
    }
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

TEST_F(MainWindowLogicTest, ACycleWaitsForThePilotThenReturnsToTheOrdinaryWindow) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    launchFirstEntry();
    EXPECT_EQ(window.pilotLoaderShown, 1);
    EXPECT_EQ(window.launchCaption(), "Click here when done playing");
    EXPECT_FALSE(window.launchVisible);
    EXPECT_FALSE(logic.readyToLaunch());

    EnterState(window, WaitingForPlayToEnd);  // as the pilot loader leaves it
    logic.launchClicked();
    EXPECT_EQ(LooksOf(window).enabled, kAll);
    EXPECT_EQ(window.launchCaption(), "Launch ShipSet");
    EXPECT_TRUE(logic.readyToLaunch());
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

TEST_F(MainWindowLogicTest, ARestoreInPartGoesToRestoreMode) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    launchFirstEntry();
    std::filesystem::remove(game.game() / "DATA.LFD");
    WriteFileBytes(game.game() / "DATA.LFD" / "busy", "the game holds it");
    game.prompts.allowMessage("Restore Incomplete");
    logic.launchClicked();
    EXPECT_EQ(LooksOf(window).enabled, kRestoreMode);
    EXPECT_EQ(window.launchCaption(), "Click here to restore files");

    std::filesystem::remove_all(game.game() / "DATA.LFD");
    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    logic.launchClicked();
    EXPECT_EQ(LooksOf(window).enabled, kNothingSelected);
    EXPECT_EQ(window.launchCaption(), "Launch ShipSet");
}

// The list could not be read ("ShipSet Dir" names a file): once the player mends the options and
// refreshes, the first press of Launch launches.
TEST_F(MainWindowLogicTest, AFailedLoadDoesNotSwallowTheFirstLaunch) {
    WriteFileBytes(game.game().parent_path() / "not a folder", "x");
    game.store.save("Settings", "ShipSet Dir",
                    (game.game().parent_path() / "not a folder").string());
    EXPECT_THROW(logic.load(), Error);
    logic.afterUnforeseenError();

    game.store.save("Settings", "ShipSet Dir", (game.shipSets() / "").string());
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    logic.refreshClicked();
    window.selected = 0;
    logic.listClicked();
    logic.launchClicked();
    EXPECT_EQ(window.pilotLoaderShown, 1);
}

// A cycle an earlier run left open, while a game (that run's, perhaps) still runs: the restore asks
// first, and No leaves everything as it is.
TEST_F(MainWindowLogicTest, ARestoreModeStartUnderARunningGameAsksFirst) {
    WriteGob(game.shipSets() / "Blue.gob", {{"DATA.LFD", "package data"}});
    launchFirstEntry();
    EnterState(window, WindowState::RestoreMode);
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

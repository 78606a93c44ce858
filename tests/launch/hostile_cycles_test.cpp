// Whole cycles against what a stranger's package, an edited journal or the disk may hold: the
// game folder comes back byte for byte, or the player is told and every original is safe, and
// nothing outside the game folder and Backup is ever touched.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "app/main_window_logic.h"
#include "app/pilot_loader_logic.h"
#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "platform/working_files.h"
#include "support/environment.h"
#include "support/fake_main_window.h"
#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

using Tree = std::map<std::string, std::string>;

class HostileCycleTest : public LaunchFixture {
  protected:
    HostileCycleTest() : outsideBefore(Snapshot(game.outside())) {}
    ~HostileCycleTest() override { EXPECT_EQ(Snapshot(game.outside()), outsideBefore); }

    RestoreOutcome recover() {
        return RestoreLastShipSet(game.session, progress,
                                  LastShipSetPackage(game.session.settings, game.store));
    }

    // The pilot loader's "Load Pilot", with a runner that starts nothing.
    void loadPilot(const std::string& name) {
        ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "/bin/true");
        game.prompts.expectMessage("Pilot " + name + " will be loaded.", "Switched Pilot",
                                   Icon::Information);
        FakeMainWindow window;
        MainWindowLogic logic(game.session, window);
        EXPECT_TRUE(LoadPilot(game.session, logic, name, [] {}));
    }

    Tree outsideBefore;
};

std::vector<GobEntry> MixedMembers() {
    return {{"DATA.LFD", "package data"}, {"NEW.LFD", "new"}, {"new\\D.LFD", "in a new folder"}};
}

// Lines appended to the journal of a real launch. Each would have the restore delete, move or
// overwrite something outside, or close the cycle with the game changed: the restore moves
// nothing, names the line, and the cycle stays open.
TEST_F(HostileCycleTest, AnEditedJournalMovesNothingAndKeepsTheCycleOpen) {
    // OUT stands for the folder beside the game folder.
    const std::string lines[] = {
        "member\t90\tadded\t../Outside/sentinel.txt",
        "member\t91\tadded\tOUT/sentinel.txt",
        "folder\t../Outside/empty",
        "backup-folder\t../../Outside/empty",
        "executable\tOUT/sentinel.txt",
        "game\tOUT",
        "backup\tOUT",
        "untouched\t1",
        "temporaries\t../Outside/",
    };
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        StandInGame fresh;
        FakeProgress freshProgress;
        Tree outsideBefore = Snapshot(fresh.outside());
        WriteGob(fresh.shipSets() / "Blue.gob", MixedMembers());
        LaunchShipSet(
            fresh.store, fresh.prompts, freshProgress,
            std::get<LaunchPlan>(PlanLaunch(fresh.session, fresh.shipSets() / "Blue.gob")));
        std::string text = line;
        if (std::size_t at = text.find("OUT"); at != std::string::npos)
            text.replace(at, 3, fresh.outside().string());
        AppendJournalLine(fresh.journalPath(), text);
        Tree gameInPlay = Snapshot(fresh.game()), backupInPlay = Snapshot(fresh.backup());

        fresh.prompts.allowMessage("Restore Incomplete");
        EXPECT_EQ(RestoreLastShipSet(fresh.session, freshProgress,
                                     LastShipSetPackage(fresh.session.settings, fresh.store)),
                  RestoreOutcome::RestoredInPart);
        EXPECT_NE(fresh.prompts.shown.back().text.find("line "), std::string::npos);
        EXPECT_EQ(Snapshot(fresh.game()), gameInPlay);
        EXPECT_EQ(Snapshot(fresh.backup()), backupInPlay);
        EXPECT_EQ(Snapshot(fresh.outside()), outsideBefore);
        EXPECT_TRUE(LaunchCycleOpen(fresh.session.settings, fresh.store));
    }
}

TEST_F(HostileCycleTest, AnOpenJournalLeadsToTheRestoreWhateverTheSettingsSay) {
    Tree before = Snapshot(game.game());
    launch(package("Blue.gob", MixedMembers()));
    game.store.save("Settings", "Last ShipSet", "None");  // a settings file from elsewhere
    EXPECT_TRUE(LaunchCycleOpen(game.session.settings, game.store));
    game.prompts.expectMessage("All the files have been restored succesfully.", "Success!",
                               Icon::Information);
    EXPECT_EQ(recover(), RestoreOutcome::Restored);
    EXPECT_EQ(Snapshot(game.game()), before);
    EXPECT_FALSE(LaunchCycleOpen(game.session.settings, game.store));
}

TEST_F(HostileCycleTest, ASettingThatCannotBeKeptStopsTheLaunchBeforeAnythingChanges) {
    Tree before = Snapshot(game.game().parent_path());
    game.store.failingKey = "Last ShipSet";
    game.prompts.expectMessage("Could not save Last ShipSet\r\rNothing has been changed.",
                               "Launch Failed", Icon::Critical);
    auto plan = PlanLaunch(game.session, package("Blue.gob", MixedMembers()));
    before["Ships/Blue.gob"] = ReadFileBytes(game.shipSets() / "Blue.gob");
    EXPECT_EQ(LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan)).outcome,
              LaunchOutcome::NotStarted);
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
}

// config.cfg's first line as the player had it, whatever it holds and whatever the ship set
// carries: the restore writes it back byte for byte, and "Last Pilot" names the pilot of before.
TEST_F(HostileCycleTest, ConfigsFirstLineComesBackByteForByte) {
    struct Case {
        std::string config;
        bool packageCarriesConfig;
        const char* lastPilot;
    };
    const Case cases[] = {
        {"lastpilot Ace, Jr\r\nwindowed 1\r\n", false, "Ace"},
        {"  lastpilot Ace\r\nwindowed 1\r\n", false, "Ace"},
        {"lastpilot Ace,1,2\r\nwindowed 1\r\n", false, "Ace"},
        {"windowed 1\r\nwindowed 1\r\n", false, ""},
        {"lastpilot \"Ace\r\nwindowed 1\r\n", false, "\"Ace"},
        {"lastpilot Zo\xEB\r\nwindowed 1\r\n", true, "Zo\xC3\xAB"},
        {"lastpilot Ace", false, "Ace"},
        {"", false, ""},
        {"lastpilot Ace\nwindowed 1\n", false, "Ace"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config);
        StandInGame fresh;
        const std::string& config = c.config;
        WriteFileBytes(fresh.game() / "config.cfg", config);
        std::vector<GobEntry> members = {{"B.LFD", "b"}};
        if (c.packageCarriesConfig)
            members.push_back({"CONFIG.CFG", "lastpilot Package\r\n"});
        WriteGob(fresh.shipSets() / "P.gob", members);
        FakeProgress freshProgress;
        LaunchedShipSet record =
            LaunchShipSet(
                fresh.store, fresh.prompts, freshProgress,
                std::get<LaunchPlan>(PlanLaunch(fresh.session, fresh.shipSets() / "P.gob")))
                .record;
        {
            ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "/bin/true");
            fresh.prompts.expectMessage("Pilot Nova will be loaded.", "Switched Pilot",
                                        Icon::Information);
            FakeMainWindow window;
            MainWindowLogic logic(fresh.session, window);
            EXPECT_TRUE(LoadPilot(fresh.session, logic, "Nova", [] {}));
        }
        EXPECT_EQ(fresh.store.get("Settings", "Last Pilot"), c.lastPilot);
        fresh.store.save("Settings", "Last Pilot", "Something else");
        RestoreAfterPlay(fresh.session, freshProgress, record);
        EXPECT_EQ(ReadFileBytes(fresh.game() / "config.cfg"), config);
    }
}

#ifndef _WIN32
// The program's own places reached through a link would put the game's originals, or the
// journal, wherever the link leads: the launch is refused and names the link.
TEST_F(HostileCycleTest, TheProgramsOwnPlacesAreNeverReachedThroughALink) {
    struct Case {
        const char* place;
        fs::path (*where)(const StandInGame&);
    };
    const Case cases[] = {
        {"Backup", [](const StandInGame& g) { return g.backup(); }},
        {"the journal", [](const StandInGame& g) { return g.journalPath(); }},
        {"RunXWA.bat", [](const StandInGame& g) { return g.program() / "RunXWA.bat"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        StandInGame fresh;
        Tree outsideBefore = Snapshot(fresh.outside());
        fs::create_symlink(fresh.outside() / "empty", c.where(fresh));
        WriteGob(fresh.shipSets() / "P.gob", MixedMembers());
        auto plan = PlanLaunch(fresh.session, fresh.shipSets() / "P.gob");
        ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
        EXPECT_EQ(std::get<LaunchRefusal>(plan).text.find(c.where(fresh).string() + " is a link"),
                  0u);
        EXPECT_EQ(Snapshot(fresh.outside()), outsideBefore);
    }
}

// An executable that is a link would be patched by replacing the link with a file.
TEST_F(HostileCycleTest, AnExecutableThatIsALinkIsNotPatched) {
    fs::rename(game.executable(), game.outside().parent_path() / "real.exe");
    fs::create_symlink(game.outside().parent_path() / "real.exe", game.executable());
    Tree before = Snapshot(game.game());
    auto plan = PlanLaunch(game.session, package("Blue.gob", MixedMembers()));
    ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
    EXPECT_EQ(std::get<LaunchRefusal>(plan).title, "Game Not Found");
    EXPECT_EQ(Snapshot(game.game()), before);
}

TEST_F(HostileCycleTest, ABackupFolderTurnedIntoALinkDuringPlayIsNotFollowed) {
    launch(package("Blue.gob", MixedMembers()));
    Tree gameInPlay = Snapshot(game.game());
    fs::rename(game.backup(), game.shipSets() / "Moved");
    fs::create_symlink(game.shipSets() / "Moved", game.backup());
    game.prompts.allowMessage("Restore Incomplete");
    EXPECT_EQ(recover(), RestoreOutcome::RestoredInPart);
    EXPECT_EQ(Snapshot(game.game()), gameInPlay);
    EXPECT_TRUE(fs::exists(game.shipSets() / "Moved" / "DATA.LFD"));
}

TEST_F(HostileCycleTest, AConfigLinkStaysALinkAndItsFileComesBack) {
    fs::path real = game.shipSets().parent_path() / "Config" / "config.cfg";
    WriteFileBytes(real, "lastpilot Ace\r\nwindowed 1\r\n");
    fs::remove(game.game() / "config.cfg");
    fs::create_symlink(real, game.game() / "config.cfg");
    LaunchedShipSet record = launch(package("Blue.gob", MixedMembers()));
    loadPilot("Nova");
    EXPECT_TRUE(fs::is_symlink(game.game() / "config.cfg"));
    EXPECT_EQ(ReadFileBytes(real), "lastpilot Nova\r\nwindowed 1\r\n");
    RestoreAfterPlay(game.session, progress, record);
    EXPECT_TRUE(fs::is_symlink(game.game() / "config.cfg"));
    EXPECT_EQ(ReadFileBytes(real), "lastpilot Ace\r\nwindowed 1\r\n");
}
#endif

#ifndef _WIN32
// A folder the launch made turned into a link during play, leading to someone else's file of the
// same name and a file named like this run's working files: the restore follows it for neither.
TEST_F(HostileCycleTest, ALinkOnTheWayIsNotFollowed) {
    fs::path elsewhere = game.shipSets().parent_path() / "Elsewhere";
    WriteFileBytes(elsewhere / "D.LFD", "someone else's");
    WriteFileBytes(elsewhere / (TemporaryPrefix() + "1.tmp"), "someone else's too");
    LaunchedShipSet record = launch(package("Blue.gob", MixedMembers()));
    fs::remove_all(game.game() / "new");
    fs::create_directory_symlink(elsewhere, game.game() / "new");
    game.prompts.allowMessage("Restore Incomplete");
    EXPECT_EQ(RestoreAfterPlay(game.session, progress, record), RestoreOutcome::RestoredInPart);
    EXPECT_EQ(ReadFileBytes(elsewhere / "D.LFD"), "someone else's");
    EXPECT_EQ(ReadFileBytes(elsewhere / (TemporaryPrefix() + "1.tmp")), "someone else's too");
    EXPECT_NE(game.prompts.shown.back().text.find("is a link"), std::string::npos);
}

// What waits in Backup, and config.cfg, changed during play: nothing that is not what the launch
// took comes back, the player is told which, and both files stay for the player to judge.
TEST_F(HostileCycleTest, WhatChangedDuringPlayIsNotPutBackBlindly) {
    struct Case {
        const char* what;
        std::function<void(StandInGame&)> change;
        const char* named;
    };
    const Case cases[] = {
        {"a kept pilot's copy replaced",
         [](StandInGame& g) { WriteFileBytes(g.backup() / "Ace.plt", "someone else's"); },
         "Ace.plt"},
        {"a replaced file's original replaced",
         [](StandInGame& g) { WriteFileBytes(g.backup() / "DATA.LFD", "someone else's"); },
         "DATA.LFD"},
        {"the executable's original replaced",
         [](StandInGame& g) { WriteFileBytes(g.backup() / "XWINGALLIANCE.EXE", "someone else's"); },
         "XWINGALLIANCE.EXE"},
        {"config.cfg turned into a link",
         [](StandInGame& g) {
             fs::remove(g.game() / "config.cfg");
             fs::create_symlink(g.outside() / "sentinel.txt", g.game() / "config.cfg");
         },
         "config.cfg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandInGame fresh;
        FakeProgress freshProgress;
        WriteGob(fresh.shipSets() / "Blue.gob",
                 {{"DATA.LFD", "package data"}, {"Ace.plt", "ship set's Ace"}});
        fresh.prompts.allowMessage("Pilot Exists!");  // No: the game keeps its Ace
        LaunchedShipSet record =
            LaunchShipSet(
                fresh.store, fresh.prompts, freshProgress,
                std::get<LaunchPlan>(PlanLaunch(fresh.session, fresh.shipSets() / "Blue.gob")))
                .record;
        c.change(fresh);
        Tree backupInPlay = Snapshot(fresh.backup());
        std::string outside = ReadFileBytes(fresh.outside() / "sentinel.txt");
        fresh.prompts.allowMessage("Restore Incomplete");
        fresh.prompts.allowMessage("Keep Pilot?");
        fresh.prompts.allowedReply = Answer::No;  // every copy from before would go back
        EXPECT_EQ(RestoreAfterPlay(fresh.session, freshProgress, record),
                  RestoreOutcome::RestoredInPart);
        EXPECT_NE(fresh.prompts.shown.back().text.find(c.named), std::string::npos);
        EXPECT_TRUE(LaunchCycleOpen(fresh.session.settings, fresh.store));
        EXPECT_EQ(ReadFileBytes(fresh.outside() / "sentinel.txt"), outside);
        for (const auto& [name, bytes] : backupInPlay) {
            if (name.find(c.named) != std::string::npos) {
                EXPECT_EQ(ReadFileBytes(fresh.backup() / name), bytes) << name;
            }
        }
    }
}
#endif

// The launch decides where patches come from before it changes anything: a file named zt is no
// patch folder, and the launch plays without patches.
TEST_F(HostileCycleTest, AFileNamedZtIsNoPatchFolder) {
    WriteFileBytes(game.game() / "zt", "a file of the game's");
    Tree before = Snapshot(game.game());
    LaunchedShipSet record = launch(package("Blue.gob", MixedMembers()));
    EXPECT_EQ(outcome, LaunchOutcome::WaitingForPilot);
    EXPECT_EQ(ReadFileBytes(game.executable()), game.executableBytes());
    RestoreAfterPlay(game.session, progress, record);
    EXPECT_EQ(Snapshot(game.game()), before);
}

// Backup's folders are spelled as the game's: an empty WAVE the player left in Backup is another
// folder than the game's wave where the disk tells letter case apart, and stays.
TEST_F(HostileCycleTest, BackupFoldersAreSpelledAsTheGamesFolders) {
    fs::create_directories(game.backup() / "WAVE");
    Tree before = Snapshot(game.game().parent_path());
    LaunchedShipSet record = launch(package("Blue.gob", {{"wave\\GAME.WAV", "loud"}}));
    EXPECT_EQ(outcome, LaunchOutcome::WaitingForPilot);
    RestoreAfterPlay(game.session, progress, record);
    before["Ships/Blue.gob"] = ReadFileBytes(game.shipSets() / "Blue.gob");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
}

// A game without config.cfg, a ship set that brings one: the pilot switch writes into it, the
// restore removes it with the rest, and nothing is said of a pilot not restored.
TEST_F(HostileCycleTest, AConfigTheShipSetBroughtGoesWithItQuietly) {
    fs::remove(game.game() / "config.cfg");
    Tree before = Snapshot(game.game());
    LaunchedShipSet record =
        launch(package("Blue.gob", {{"CONFIG.CFG", "lastpilot Ace\r\n"}, {"B.LFD", "b"}}));
    loadPilot("Nova");
    EXPECT_EQ(RestoreAfterPlay(game.session, progress, record), RestoreOutcome::Restored);
    EXPECT_EQ(Snapshot(game.game()), before);
}

// A file at the journal's place that this program did not write is never taken for a journal
// cut off, nor deleted: the launch is refused and names it.
TEST_F(HostileCycleTest, AFileAtTheJournalsPlaceIsNeverDeleted) {
    WriteFileBytes(game.journalPath(), "the player's notes\n");
    auto plan = PlanLaunch(game.session, package("Blue.gob", MixedMembers()));
    ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
    EXPECT_NE(std::get<LaunchRefusal>(plan).text.find(game.journalPath().string()),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(game.journalPath()), "the player's notes\n");
}

// What the game writes into a folder the launch made stays, and so does the folder.
TEST_F(HostileCycleTest, AFolderTheGameWroteIntoStaysWithItsFiles) {
    Tree before = Snapshot(game.game());
    LaunchedShipSet record = launch(package("Blue.gob", MixedMembers()));
    WriteFileBytes(game.game() / "new" / "SAVE.DAT", "the player's");
    RestoreAfterPlay(game.session, progress, record);
    EXPECT_EQ(ReadFileBytes(game.game() / "new" / "SAVE.DAT"), "the player's");
    before["new/"] = "";
    before["new/SAVE.DAT"] = "the player's";
    EXPECT_EQ(Snapshot(game.game()), before);
}

// Files named like working files are someone else's unless this cycle's runs made them.
TEST_F(HostileCycleTest, OnlyTheWorkingFilesOfThisCycleAreDeleted) {
    WriteFileBytes(game.game() / ".tolvane-1.tmp", "the game's own");
    WriteFileBytes(game.game() / ".tolvane-0123456789abcdef-0.tmp", "another program's");
    Tree before = Snapshot(game.game());
    LaunchedShipSet record = launch(package("Blue.gob", {{".tolvane-1.tmp", "replaced"}}));
    WriteFileBytes(FreshTemporaryPath(game.game()), "left by a run that died");
    RestoreAfterPlay(game.session, progress, record);
    EXPECT_EQ(Snapshot(game.game()), before);
}

// An empty Backup the player had, with or without empty folders in it, is used and left there.
TEST(HostileBackupTest, ABackupFolderThePlayerHadIsReusedAndKept) {
    for (const char* inside : {"", "wave"}) {
        SCOPED_TRACE(inside);
        StandInGame game;
        FakeProgress progress;
        fs::create_directories(game.backup() / inside);
        WriteGob(game.shipSets() / "Blue.gob", {{"wave\\GAME.WAV", "loud"}, {"DATA.LFD", "d"}});
        Tree before = Snapshot(game.game().parent_path());
        LaunchedShipSet record =
            LaunchShipSet(
                game.store, game.prompts, progress,
                std::get<LaunchPlan>(PlanLaunch(game.session, game.shipSets() / "Blue.gob")))
                .record;
        RestoreAfterPlay(game.session, progress, record);
        EXPECT_EQ(Snapshot(game.game().parent_path()), before);
    }
}

// A journal that is not closed stops the next launch, though Backup is empty: it still knows an
// added file in the game folder, or config.cfg's first line from before the pilot was switched.
TEST(HostileJournalTest, AJournalThatIsNotClosedRefusesTheNextLaunch) {
    for (bool addedFileLeft : {true, false}) {
        SCOPED_TRACE(addedFileLeft ? "an added file left" : "the pilot line to put back");
        StandInGame game;
        LaunchJournal open{.package = game.shipSets() / "Old.gob",
                           .gameFolder = game.game(),
                           .backupFolder = game.backup(),
                           .executableName = "XWINGALLIANCE.EXE"};
        if (addedFileLeft) {
            WriteFileBytes(game.game() / "ADDED.LFD", "the ship set's");
            open.members = {{1, MemberChange::Added, "ADDED.LFD"}};
            JournalWriter::create(game.journalPath(), open);
        } else {
            WriteFileBytes(game.game() / "config.cfg", "lastpilot Nova\r\nwindowed 1\r\n");
            open.configFirstLine = "lastpilot Ace";
            JournalWriter::create(game.journalPath(), open).notePilotSwitch();
        }
        WriteGob(game.shipSets() / "Blue.gob", MixedMembers());
        auto plan = PlanLaunch(game.session, game.shipSets() / "Blue.gob");
        ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
        EXPECT_EQ(std::get<LaunchRefusal>(plan).title, "Backup Folder In Use");
        EXPECT_TRUE(fs::exists(game.journalPath()));
    }
}

TEST_F(HostileCycleTest, PatchesAreAppliedFromTheGamesPatchFolderInAnySpelling) {
    fs::create_directories(game.game() / "ZT");
    WriteFileBytes(game.game() / "ZT" / "OWN.ZT", MakeZt({{0, "OWN"}}));
    LaunchedShipSet record =
        launch(package("Blue.gob", {{"zt\\FIX.ZT", MakeZt({{4, "FIX"}})}, {"B.LFD", "b"}}));
    std::string patched = ReadFileBytes(game.executable());
    EXPECT_EQ(patched.substr(0, 3), "OWN");
    EXPECT_EQ(patched.substr(4, 3), "FIX");
    EXPECT_FALSE(Snapshot(game.game()).contains("zt/")) << "a second patch folder";
    RestoreAfterPlay(game.session, progress, record);
    EXPECT_EQ(ReadFileBytes(game.executable()), game.executableBytes());
}

TEST_F(HostileCycleTest, AMemberWithoutANameIsSkipped) {
    Tree before = Snapshot(game.game());
    LaunchedShipSet record = launch(package("Blue.gob", {{"   ", "nameless"}, {"B.LFD", "b"}}));
    EXPECT_EQ(outcome, LaunchOutcome::WaitingForPilot);
    EXPECT_EQ(ReadFileBytes(game.game() / "B.LFD"), "b");
    RestoreAfterPlay(game.session, progress, record);
    EXPECT_EQ(Snapshot(game.game()), before);
}

#ifndef _WIN32
TEST(HostileNamesTest, APathLongerThanTheHostCanMakeIsRefusedBeforeAnythingChanges) {
    std::string deep;
    for (int i = 0; i < 19; ++i)
        deep += std::string(200, 'd') + "/";
    // Deep on either side: the game folder, or the ship set directory that holds Backup.
    for (bool deepGame : {true, false}) {
        SCOPED_TRACE(deepGame ? "a deep game folder" : "a deep ship set directory");
        StandInGame game("XWINGALLIANCE.EXE", deepGame ? deep + "XWA" : "XWA",
                         deepGame ? "Ships" : deep + "Ships");
        WriteGob(game.shipSets() / "Deep.gob", {{std::string(84, '\x80'), "x"}});
        Tree before = Snapshot(game.game());
        auto plan = PlanLaunch(game.session, game.shipSets() / "Deep.gob");
        ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
        EXPECT_NE(std::get<LaunchRefusal>(plan).text.find("member 1"), std::string::npos);
        EXPECT_EQ(Snapshot(game.game()), before);
    }
}

// A game folder so deep that its members' names fit but the program's own working files would
// not: refused before anything changes, not half way through the install.
TEST(HostileNamesTest, WorkingFileNamesAreCheckedWithTheMembers) {
    std::string deep;
    for (int i = 0; i < 20; ++i)
        deep += std::string(200, 'd') + "/";
    deep += std::string(4095 - 20 * 201 - 60, 'e');  // room for a member, not for a working file
    StandInGame game("XWINGALLIANCE.EXE", deep);
    WriteGob(game.shipSets() / "Deep.gob", {{"B.LFD", "b"}});
    Tree before = Snapshot(game.game());
    auto plan = PlanLaunch(game.session, game.shipSets() / "Deep.gob");
    ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
    EXPECT_NE(std::get<LaunchRefusal>(plan).text.find("working files"), std::string::npos);
    EXPECT_EQ(Snapshot(game.game()), before);
}
#endif

}  // namespace
}  // namespace tolvane::testing

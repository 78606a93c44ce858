#include <gtest/gtest.h>

#include "launch/restore.h"
#include "platform/fault_seam.h"
#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

using InstallTest = LaunchFixture;

TEST_F(InstallTest, BacksUpWhatItReplacesAndInstallsEveryMember) {
    auto path = package("Blue.gob", {{"DATA.LFD", "package data"},
                                     {"NEW.LFD", "new file"},
                                     {"wave\\X.WAV", "new sound"},
                                     {"new\\D.LFD", "in a new folder"}});
    launch(path);

    EXPECT_EQ(game.store.get("Settings", "Last ShipSet"), path.string());
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "package data");
    EXPECT_EQ(ReadFileBytes(game.game() / "NEW.LFD"), "new file");
    EXPECT_EQ(ReadFileBytes(game.game() / "wave" / "X.WAV"), "new sound");
    EXPECT_EQ(ReadFileBytes(game.game() / "new" / "D.LFD"), "in a new folder");
    EXPECT_EQ(Snapshot(game.backup()),
              (std::map<std::string, std::string>{{"DATA.LFD", "original data"},
                                                  {"XWINGALLIANCE.EXE", game.executableBytes()}}));
    EXPECT_FALSE(fs::exists(game.shipSets() / "Blue"));

    LaunchJournal record = journal();
    ASSERT_EQ(record.members.size(), 4u);
    EXPECT_EQ(record.members[0].change, MemberChange::Replaced);
    EXPECT_EQ(record.members[1].change, MemberChange::Added);
    EXPECT_EQ(record.members[2].relativePath, fs::path("wave/X.WAV"));
    EXPECT_EQ(record.createdFolders, (std::vector<fs::path>{"new", "zt"}));
    EXPECT_TRUE(record.madeBackupFolder);
    EXPECT_EQ(record.configFirstLine, "lastpilot Ace\r\n");
    EXPECT_EQ(record.executableName, "XWINGALLIANCE.EXE");

    EXPECT_EQ(progress.maximum(), 6);
    EXPECT_EQ(progress.values, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(outcome, LaunchOutcome::WaitingForPilot);
}

TEST_F(InstallTest, AsksBeforeReplacingAPilotFileThatIsThere) {
    for (Answer answer : {Answer::Yes, Answer::No}) {
        StandInGame fresh;
        WriteGob(fresh.shipSets() / "P.gob", {{"Ace.plt", "package ace"}, {"Zed.PLT", "zed"}});
        fresh.prompts.expectQuestion("Ace.plt is the game's own pilot.\r\rReplace?",
                                     "Pilot Exists!", Icon::Information, Answer::No, answer);
        FakeProgress freshProgress;
        auto plan = std::get<LaunchPlan>(PlanLaunch(fresh.session, fresh.shipSets() / "P.gob"));
        LaunchShipSet(fresh.store, fresh.prompts, freshProgress, plan);
        LaunchJournal journal = fresh.readJournal();
        std::string original = std::string("Ace\0\0\0\0\0\0\0\0\0body-of-ace", 23);
        EXPECT_EQ(ReadFileBytes(fresh.game() / "Ace.plt"),
                  answer == Answer::Yes ? "package ace" : original);
        // Kept or replaced, the pilot of before the launch waits in Backup for the restore.
        EXPECT_EQ(ReadFileBytes(fresh.backup() / "Ace.plt"), original);
        EXPECT_EQ(journal.members[0].change,
                  answer == Answer::Yes ? MemberChange::Replaced : MemberChange::Kept);
        EXPECT_EQ(ReadFileBytes(fresh.game() / "Zed.PLT"), "zed");
        for (const auto& entry : fs::directory_iterator(fresh.game()))
            EXPECT_NE(entry.path().extension(), ".tmp") << "a working file was left behind";
    }
}

TEST_F(InstallTest, MatchesTheGamesNamesWithoutLetterCase) {
    launch(package("Case.gob", {{"WAVE\\game.wav", "louder"}, {"ABC.LFD  ", "trimmed"}}));
    EXPECT_EQ(ReadFileBytes(game.game() / "wave" / "GAME.WAV"), "louder");
    auto names = Snapshot(game.game());
    EXPECT_TRUE(names.contains("wave/"));
    EXPECT_FALSE(names.contains("WAVE/"));
    EXPECT_EQ(ReadFileBytes(game.backup() / "wave" / "GAME.WAV"), "game sound");
    EXPECT_EQ(ReadFileBytes(game.game() / "ABC.LFD"), "trimmed");
}

TEST_F(InstallTest, ARepeatedMemberNeverOverwritesTheBackup) {
    launch(package("Twice.gob", {{"DATA.LFD", "first"}, {"data.lfd", "second"}}));
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "second");
    EXPECT_EQ(ReadFileBytes(game.backup() / "DATA.LFD"), "original data");
    EXPECT_EQ(journal().members[1].change, MemberChange::Repeated);
}

TEST_F(InstallTest, LeavesAFolderNamedAfterThePackageAlone) {
    WriteFileBytes(game.shipSets() / "My Set" / "DATA.LFD", "the player's own file");
    launch(package("My Set.gob", {{"DATA.LFD", "package data"}}));
    EXPECT_EQ(ReadFileBytes(game.shipSets() / "My Set" / "DATA.LFD"), "the player's own file");
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "package data");
}

TEST(InstallExecutableTest, KeepsTheExecutablesSpellingOnDisk) {
    StandInGame game("XWingAlliance.exe");
    game.store.save("Settings", "XWA Exe", (game.game() / "XWINGALLIANCE.EXE").string());
    WriteGob(game.shipSets() / "P.gob", {{"zt\\fix.zt", MakeZt({{0, "PATCHED"}})}});
    FakeProgress progress;
    auto plan = std::get<LaunchPlan>(PlanLaunch(game.session, game.shipSets() / "P.gob"));
    EXPECT_EQ(LaunchShipSet(game.store, game.prompts, progress, plan).outcome,
              LaunchOutcome::WaitingForPilot);
    EXPECT_EQ(ReadFileBytes(game.backup() / "XWingAlliance.exe"), game.executableBytes());
    EXPECT_EQ(ReadFileBytes(game.game() / "XWingAlliance.exe").substr(0, 7), "PATCHED");
    EXPECT_EQ(progress.value(), progress.maximum());
}

TEST_F(InstallTest, AppliesThePackagesPatchesAndThoseAlreadyThere) {
    WriteFileBytes(game.game() / "zt" / "a.zt", MakeZt({{0, "AA"}, {4, "A"}}));
    launch(package("P.gob", {{"zt\\b.zt", MakeZt({{1, "B"}})}}));
    std::string executable = ReadFileBytes(game.executable());
    EXPECT_EQ(executable.substr(0, 5), "AB" + game.executableBytes().substr(2, 2) + "A");
    EXPECT_EQ(executable.substr(5), game.executableBytes().substr(5));
    EXPECT_EQ(journal().createdFolders, std::vector<fs::path>{});
}

TEST_F(InstallTest, ADamagedPatchLeavesTheExecutableAndOffersTheRestore) {
    auto path = package("P.gob", {{"zt\\bad.zt", MakeZt({{-4, "x"}})}});
    game.prompts.expectMessage("The patch file " + (game.game() / "zt" / "bad.zt").string() +
                                   " is damaged: record 1 of 1 writes at a negative offset."
                                   "\r\rThe game folder can be put back as it was: press \"Click "
                                   "here when done playing\".",
                               "Launch Failed", Icon::Critical);
    launch(path);
    EXPECT_EQ(ReadFileBytes(game.executable()), game.executableBytes());
    EXPECT_EQ(outcome, LaunchOutcome::FailedCycleOpen);
}

TEST(InstallRefusalTest, RefusesWithNothingChanged) {
    struct Case {
        const char* name;
        std::function<void(StandInGame&, const fs::path&)> arrange;
        std::string title;
    };
    const Case cases[] = {
        {"no executable",
         [](StandInGame& game, const fs::path&) {
             fs::rename(game.executable(), game.game() / "XWA.EXE");
         },
         "Game Not Found"},
        {"backup folder in use",
         [](StandInGame& game, const fs::path&) {
             WriteFileBytes(game.backup() / "OLD.LFD", "old");
         },
         "Backup Folder In Use"},
        {"open journal",
         [](StandInGame& game, const fs::path& path) {
             JournalWriter::create(
                 JournalPathFor(game.shipSets()),
                 {.package = path, .gameFolder = game.game(), .backupFolder = game.backup()});
         },
         "Backup Folder In Use"},
        {"backup folder that cannot be read through",
         [](StandInGame& game, const fs::path& path) {
             fs::create_directories(game.backup() / "wave");
             FaultSeam::Record();
             PlanLaunch(game.session, path);  // changes nothing here: finds the listing's turn
             const std::vector<RecordedStep>& steps = FaultSeam::Recorded();
             std::uint64_t turn = 0;
             while (turn < steps.size() &&
                    !(steps[turn].step == FileStep::List && steps[turn].path == game.backup()))
                 ++turn;
             ASSERT_LT(turn, steps.size());
             FaultSeam::FailAt(turn + 1, std::make_error_code(std::errc::permission_denied));
         },
         "Launch Failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StandInGame game;
        fs::path path = game.shipSets() / "P.gob";
        WriteGob(path, {{"DATA.LFD", "package data"}});
        c.arrange(game, path);
        auto before = Snapshot(game.game().parent_path());
        auto plan = PlanLaunch(game.session, path);
        ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
        FaultSeam::Disarm();
        EXPECT_EQ(std::get<LaunchRefusal>(plan).title, c.title);
        EXPECT_EQ(Snapshot(game.game().parent_path()), before);
    }
}

TEST_F(InstallTest, AFailedMemberIsToldAndOffersTheRestore) {
    auto plan =
        PlanLaunch(game.session, package("P.gob", {{"NEW.LFD", "fine"}, {"LATE.LFD", "x"}}));
    WriteFileBytes(game.game() / "LATE.LFD", "appeared after the plan");
    game.prompts.allowMessage("Launch Failed");
    LaunchResult result =
        LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan));
    ASSERT_EQ(game.prompts.shown.size(), 1u);
    EXPECT_EQ(game.prompts.shown[0].text.rfind("Tolvane could not install member 2 (LATE.LFD).", 0),
              0u);
    EXPECT_EQ(ReadFileBytes(game.game() / "LATE.LFD"), "appeared after the plan");
    EXPECT_EQ(result.outcome, LaunchOutcome::FailedCycleOpen);
    RestoreAfterPlay(game.session, progress, result.record);
    EXPECT_EQ(ReadFileBytes(game.game() / "LATE.LFD"), "appeared after the plan");
    EXPECT_FALSE(fs::exists(game.game() / "NEW.LFD"));
}

}  // namespace
}  // namespace tolvane::testing

namespace tolvane::testing {
namespace {

// The package shrinks between the plan and the install (a download still being written, a disk
// that failed): the install stops at the member that is cut short and never writes a partial one.
TEST_F(InstallTest, APackageCutShortDuringTheLaunchStopsTheInstall) {
    fs::path path = package("Blue.gob", {{"DATA.LFD", std::string(4096, 'd')}});
    auto plan = PlanLaunch(game.session, path);
    ASSERT_TRUE(std::holds_alternative<LaunchPlan>(plan));
    fs::resize_file(path, fs::file_size(path) - 100);
    game.prompts.allowMessage("Launch Failed");
    EXPECT_EQ(LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan)).outcome,
              LaunchOutcome::FailedCycleOpen);
    EXPECT_FALSE(fs::exists(game.game() / "DATA.LFD"));
    EXPECT_EQ(ReadFileBytes(game.backup() / "DATA.LFD"), "original data");
}

}  // namespace
}  // namespace tolvane::testing

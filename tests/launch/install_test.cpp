#include <gtest/gtest.h>

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
    EXPECT_EQ(readFile(game.game() / "DATA.LFD"), "package data");
    EXPECT_EQ(readFile(game.game() / "NEW.LFD"), "new file");
    EXPECT_EQ(readFile(game.game() / "wave" / "X.WAV"), "new sound");
    EXPECT_EQ(readFile(game.game() / "new" / "D.LFD"), "in a new folder");
    EXPECT_EQ(snapshot(game.backup()),
              (std::map<std::string, std::string>{{"DATA.LFD", "original data"},
                                                  {"new/", ""},
                                                  {"wave/", ""},
                                                  {"XWINGALLIANCE.EXE", game.executableBytes()}}));
    EXPECT_FALSE(fs::exists(game.shipSets() / "Blue"));

    LaunchJournal record = journal();
    ASSERT_EQ(record.members.size(), 4u);
    EXPECT_EQ(record.members[0].change, MemberChange::Replaced);
    EXPECT_EQ(record.members[1].change, MemberChange::Added);
    EXPECT_EQ(record.members[2].relativePath, fs::path("wave/X.WAV"));
    EXPECT_EQ(record.createdFolders, (std::vector<fs::path>{"new", "zt"}));
    EXPECT_EQ(record.executableName, "XWINGALLIANCE.EXE");

    EXPECT_EQ(window.bar().maximum(), 6);
    EXPECT_EQ(window.bar().values, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(window.launchCaption(), "Click here when done playing");
    EXPECT_EQ(window.pilotLoaderShown, 1);
    EXPECT_FALSE(window.enabled(Control::Command2));
    EXPECT_FALSE(window.enabled(Control::lstShipSets));
}

TEST_F(InstallTest, AsksBeforeReplacingAPilotFileThatIsThere) {
    for (Answer answer : {Answer::Yes, Answer::No}) {
        StandInGame fresh;
        writeGob(fresh.shipSets() / "P.gob", {{"Ace.plt", "package ace"}, {"Zed.PLT", "zed"}});
        fresh.prompts.expectQuestion(
            "Ace.plt is left over from the last time this ShipSet was played.\r\rReplace?",
            "Pilot Exists!", Icon::Information, Answer::No, answer);
        FakeMainWindow freshWindow;
        auto plan = std::get<LaunchPlan>(planLaunch(fresh.session, fresh.shipSets() / "P.gob"));
        LaunchShipSet(fresh.session, freshWindow, plan);
        std::string original = std::string("Ace\0\0\0\0\0\0\0\0\0body-of-ace", 23);
        EXPECT_EQ(readFile(fresh.game() / "Ace.plt"),
                  answer == Answer::Yes ? "package ace" : original);
        EXPECT_EQ(readFile(fresh.backup() / "Ace.plt"), original);
        EXPECT_EQ(readFile(fresh.game() / "Zed.PLT"), "zed");
        for (const auto& entry : fs::directory_iterator(fresh.game()))
            EXPECT_NE(entry.path().extension(), ".tmp") << "a working file was left behind";
    }
}

TEST_F(InstallTest, MatchesTheGamesNamesWithoutLetterCase) {
    launch(package("Case.gob", {{"WAVE\\game.wav", "louder"}, {"ABC.LFD  ", "trimmed"}}));
    EXPECT_EQ(readFile(game.game() / "wave" / "GAME.WAV"), "louder");
    EXPECT_FALSE(fs::exists(game.game() / "WAVE"));
    EXPECT_EQ(readFile(game.backup() / "wave" / "GAME.WAV"), "game sound");
    EXPECT_EQ(readFile(game.game() / "ABC.LFD"), "trimmed");
}

TEST_F(InstallTest, ARepeatedMemberNeverOverwritesTheBackup) {
    launch(package("Twice.gob", {{"DATA.LFD", "first"}, {"data.lfd", "second"}}));
    EXPECT_EQ(readFile(game.game() / "DATA.LFD"), "second");
    EXPECT_EQ(readFile(game.backup() / "DATA.LFD"), "original data");
    EXPECT_EQ(journal().members[1].change, MemberChange::Repeated);
}

TEST_F(InstallTest, LeavesAFolderNamedAfterThePackageAlone) {
    writeFile(game.shipSets() / "My Set" / "DATA.LFD", "the player's own file");
    launch(package("My Set.gob", {{"DATA.LFD", "package data"}}));
    EXPECT_EQ(readFile(game.shipSets() / "My Set" / "DATA.LFD"), "the player's own file");
    EXPECT_EQ(readFile(game.game() / "DATA.LFD"), "package data");
}

TEST(InstallExecutableTest, KeepsTheExecutablesSpellingOnDisk) {
    StandInGame game("XWingAlliance.exe");
    game.store.save("Settings", "XWA Exe", (game.game() / "XWINGALLIANCE.EXE").string());
    writeGob(game.shipSets() / "P.gob", {{"zt\\fix.zt", makeZt({{0, "PATCHED"}})}});
    FakeMainWindow window;
    auto plan = std::get<LaunchPlan>(planLaunch(game.session, game.shipSets() / "P.gob"));
    LaunchShipSet(game.session, window, plan);
    EXPECT_EQ(readFile(game.backup() / "XWingAlliance.exe"), game.executableBytes());
    EXPECT_EQ(readFile(game.game() / "XWingAlliance.exe").substr(0, 7), "PATCHED");
    EXPECT_EQ(window.pilotLoaderShown, 1);
    EXPECT_EQ(window.bar().value(), window.bar().maximum());
}

TEST_F(InstallTest, AppliesThePackagesPatchesAndThoseAlreadyThere) {
    writeFile(game.game() / "zt" / "a.zt", makeZt({{0, "AA"}, {4, "A"}}));
    launch(package("P.gob", {{"zt\\b.zt", makeZt({{1, "B"}})}}));
    std::string executable = readFile(game.executable());
    EXPECT_EQ(executable.substr(0, 5), "AB" + game.executableBytes().substr(2, 2) + "A");
    EXPECT_EQ(executable.substr(5), game.executableBytes().substr(5));
    EXPECT_EQ(journal().createdFolders, std::vector<fs::path>{});
}

TEST_F(InstallTest, ADamagedPatchLeavesTheExecutableAndOffersTheRestore) {
    auto path = package("P.gob", {{"zt\\bad.zt", makeZt({{-4, "x"}})}});
    game.prompts.expectMessage("The patch file " + (game.game() / "zt" / "bad.zt").string() +
                                   " is damaged: record 1 of 1 writes at a negative offset."
                                   "\r\rThe game folder can be put back as it was: press \"Click "
                                   "here when done playing\".",
                               "Launch Failed", Icon::Critical);
    launch(path);
    EXPECT_EQ(readFile(game.executable()), game.executableBytes());
    EXPECT_EQ(window.pilotLoaderShown, 0);
    EXPECT_TRUE(window.launchVisible);
    EXPECT_TRUE(window.enabled(Control::cmdLaunch));
    EXPECT_EQ(window.launchCaption(), "Click here when done playing");
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
         [](StandInGame& game, const fs::path&) { writeFile(game.backup() / "OLD.LFD", "old"); },
         "Backup Folder In Use"},
        {"open journal",
         [](StandInGame& game, const fs::path& path) {
             JournalWriter::create(journalPathFor(game.shipSets()), path, game.game(),
                                   game.backup());
         },
         "Backup Folder In Use"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StandInGame game;
        fs::path path = game.shipSets() / "P.gob";
        writeGob(path, {{"DATA.LFD", "package data"}});
        c.arrange(game, path);
        auto before = snapshot(game.game().parent_path());
        auto plan = planLaunch(game.session, path);
        ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
        EXPECT_EQ(std::get<LaunchRefusal>(plan).title, c.title);
        EXPECT_EQ(snapshot(game.game().parent_path()), before);
    }
}

TEST_F(InstallTest, AFailedMemberIsToldAndOffersTheRestore) {
    game.prompts.allowMessage("Launch Failed");
    launch(package("P.gob", {{"NEW.LFD", "fine"}, {"DATA.LFD\\inside", "cannot be written"}}));
    ASSERT_EQ(game.prompts.shown.size(), 1u);
    EXPECT_EQ(game.prompts.shown[0].text.rfind(
                  "Tolvane could not install member 2 (DATA.LFD\\inside).", 0),
              0u);
    EXPECT_EQ(readFile(game.game() / "DATA.LFD"), "original data");
    EXPECT_EQ(window.launchCaption(), "Click here when done playing");
    EXPECT_TRUE(window.enabled(Control::cmdLaunch));
}

}  // namespace
}  // namespace tolvane::testing

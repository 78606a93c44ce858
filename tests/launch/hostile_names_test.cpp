#include <gtest/gtest.h>

#include "launch/restore.h"
#include "support/launch_fixture.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane::testing {
namespace {

using HostileInstallTest = LaunchFixture;

// What the launch handler does before anything changes: the plan. The title of the box that
// refused the package, or nothing when it may be installed.
std::optional<std::string> Refusal(StandInGame& game, const fs::path& package) {
    auto plan = PlanLaunch(game.session, package);
    if (auto* refusal = std::get_if<LaunchRefusal>(&plan))
        return refusal->title;
    return std::nullopt;
}

TEST(HostileNamesTest, PackagesThatWouldLoseAGameFileAreRefusedBeforeAnythingChanges) {
    struct Case {
        const char* name;
        std::vector<GobEntry> members;
        const char* title;
    };
    const Case cases[] = {
        {"the executable with a trailing space", {{"XWINGALLIANCE.EXE ", "evil"}}, "Sorry..."},
        {"the executable with a trailing dot", {{"xwingalliance.exe.", "evil"}}, "Sorry..."},
        {"a device", {{"CON", "x"}}, "Invalid .Gob"},
        {"a device with an extension in a folder", {{"wave\\nul.wav", "x"}}, "Invalid .Gob"},
        {"a numbered port", {{"lpt3.lfd", "x"}}, "Invalid .Gob"},
        // Byte B9 is "¹" in the game's code page, and COM¹ is a port.
        {"a port numbered with a superscript", {{"LPT\xB9", "x"}}, "Invalid .Gob"},
        {"a name of dots", {{"wave\\...", "x"}}, "Invalid .Gob"},
        {"a name of spaces in a folder", {{"  \\X.LFD", "x"}}, "Invalid .Gob"},
        {"an existing folder", {{"DATA.LFD", "fine"}, {"WAVE", "x"}}, "Invalid .Gob"},
        {"an existing folder with a trailing dot", {{"wave.", "x"}}, "Invalid .Gob"},
        {"a file where a folder is needed", {{"data.lfd\\inside", "x"}}, "Invalid .Gob"},
        // 0xFFFFFFF0 + 0x20 wraps to 0x10 in 32 bits, well inside the file.
        {"data past the end by a 32-bit wrap",
         {{"A.LFD", "x", std::nullopt, 0xFFFFFFF0u, 0x20u}},
         "Invalid .Gob"},
#ifndef _WIN32
        // 86 euro signs: 258 bytes of UTF-8, more than a file name on Linux can have.
        {"a name longer than a file name can be", {{std::string(86, '\x80'), "x"}}, "Invalid .Gob"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StandInGame game;
        fs::path path = game.shipSets() / "Hostile.gob";
        WriteGob(path, c.members);
        auto before = Snapshot(game.game().parent_path());
        EXPECT_EQ(Refusal(game, path), c.title);
        EXPECT_EQ(Snapshot(game.game().parent_path()), before);
        EXPECT_EQ(game.store.get("Settings", "Last ShipSet"), "None");
    }
}

#ifndef _WIN32
TEST(HostileNamesTest, AMemberThatReachesALinkIsRefused) {
    StandInGame game;
    fs::create_symlink(game.game() / "DATA.LFD", game.game() / "LINK.LFD");
    WriteGob(game.shipSets() / "P.gob", {{"link.lfd", "through the link"}});
    auto before = Snapshot(game.game().parent_path());
    EXPECT_EQ(Refusal(game, game.shipSets() / "P.gob"), "Invalid .Gob");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
}
#endif

// Members that Windows takes for one file are one file: the first one's backup holds the game's
// own copy, later ones overwrite only the ship set's, and the restore gives back every byte.
TEST(HostileNamesTest, AliasesArePlayedAsOneFileAndTheGameFolderComesBack) {
    struct Case {
        const char* name;
        std::vector<GobEntry> members;
        const char* reached;  // UTF-8
        const char* installed;
    };
    const Case cases[] = {
        {"a trailing dot", {{"DATA.LFD", "first"}, {"DATA.LFD.", "second"}}, "DATA.LFD", "second"},
        {"trailing spaces and dots in a folder",
         {{"wave\\GAME.WAV", "first"}, {"WAVE . \\game.wav", "second"}},
         "wave/GAME.WAV",
         "second"},
        {"letter case beyond ASCII",
         {{"\xC9LAN.LFD", "first"}, {"\xE9lan.lfd", "second"}},
         "\xC3\x89lan.lfd",
         "second"},
        {"a new file named twice",
         {{"NEW.LFD", "first"}, {"new.lfd ", "second"}},
         "NEW.LFD",
         "second"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StandInGame game;
        WriteFileBytes(game.game() / PathFromUtf8("\xC3\x89lan.lfd"), "the game's own");
        auto before = Snapshot(game.game());
        fs::path path = game.shipSets() / "Alias.gob";
        WriteGob(path, c.members);
        ASSERT_EQ(Refusal(game, path), std::nullopt);
        FakeProgress progress;
        LaunchResult result = LaunchShipSet(game.store, game.prompts, progress,
                                            std::get<LaunchPlan>(PlanLaunch(game.session, path)));
        EXPECT_EQ(result.outcome, LaunchOutcome::WaitingForPilot);
        EXPECT_EQ(ReadFileBytes(game.game() / PathFromUtf8(c.reached)), c.installed);
        EXPECT_EQ(RestoreAfterPlay(game.session, progress, result.record),
                  RestoreOutcome::Restored);
        EXPECT_EQ(Snapshot(game.game()), before);
    }
}

TEST_F(HostileInstallTest, ARestoredFileKeepsTheGamesSpelling) {
    fs::remove(game.game() / "DATA.LFD");
    WriteFileBytes(game.game() / "Data.Lfd", "original data");
    LaunchedShipSet record = launch(package("P.gob", {{"DATA.LFD", "package data"}}));
    auto installed = Snapshot(game.game());
    EXPECT_EQ(installed["Data.Lfd"], "package data");
    EXPECT_FALSE(installed.contains("DATA.LFD"));
    EXPECT_EQ(journal().members[0].relativePath, "Data.Lfd");
    RestoreAfterPlay(game.session, progress, record);
    auto restored = Snapshot(game.game());
    EXPECT_EQ(restored["Data.Lfd"], "original data");
    EXPECT_FALSE(restored.contains("DATA.LFD"));
}

TEST_F(HostileInstallTest, AFileFoundInTheBackupStopsTheInstallAndStaysWhole) {
    auto plan = PlanLaunch(game.session, package("P.gob", {{"NEW.LFD", "a"}, {"DATA.LFD", "b"}}));
    WriteFileBytes(game.backup() / "DATA.LFD", "someone else's");
    game.prompts.allowMessage("Launch Failed");
    LaunchResult result =
        LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan));
    EXPECT_EQ(result.outcome, LaunchOutcome::FailedCycleOpen);
    EXPECT_EQ(ReadFileBytes(game.backup() / "DATA.LFD"), "someone else's");
    EXPECT_EQ(ReadFileBytes(game.game() / "DATA.LFD"), "original data");
}

}  // namespace
}  // namespace tolvane::testing

#ifdef _WIN32
namespace tolvane::testing {
namespace {

fs::path ShortNameOf(const fs::path& path) {
    wchar_t shortPath[MAX_PATH];
    DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? fs::path(shortPath).filename() : path.filename();
}

// Windows reaches a file by its short (8.3) name as well: the plan must know whose file it is.
TEST_F(HostileInstallTest, AShortNameReachesTheSameGameFile) {
    WriteFileBytes(game.game() / "FLIGHTMODELS" / "XWINGMODEL.OPT", "game model");
    fs::path folder = ShortNameOf(game.game() / "FLIGHTMODELS");
    fs::path file = ShortNameOf(game.game() / "FLIGHTMODELS" / "XWINGMODEL.OPT");
    fs::path executable = ShortNameOf(game.executable());
    if (folder == "FLIGHTMODELS" || executable == "XWINGALLIANCE.EXE")
        GTEST_SKIP() << "this volume keeps no short names";
    auto before = Snapshot(game.game());

    WriteGob(game.shipSets() / "Exe.gob", {{Utf8Of(executable), "evil"}});
    auto refused = PlanLaunch(game.session, game.shipSets() / "Exe.gob");
    ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(refused));
    EXPECT_EQ(std::get<LaunchRefusal>(refused).title, "Sorry...");

    LaunchedShipSet record =
        launch(package("Short.gob", {{Utf8Of(folder) + "\\" + Utf8Of(file), "package model"}}));
    EXPECT_EQ(ReadFileBytes(game.game() / "FLIGHTMODELS" / "XWINGMODEL.OPT"), "package model");
    EXPECT_EQ(ReadFileBytes(game.backup() / "FLIGHTMODELS" / "XWINGMODEL.OPT"), "game model");
    RestoreAfterPlay(game.session, progress, record);
    EXPECT_EQ(Snapshot(game.game()), before);
}

}  // namespace
}  // namespace tolvane::testing
#endif

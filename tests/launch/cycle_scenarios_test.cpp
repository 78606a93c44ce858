// Whole cycles against what a stranger's package, an edited journal or the disk may hold: the
// game folder comes back byte for byte, or the launch is refused before anything changes, or the
// player is told and every original is safe. Nothing outside the game folder and Backup is ever
// touched.
#include <gtest/gtest.h>

#include <functional>

#include "app/main_window_logic.h"
#include "app/pilot_loader_logic.h"
#include "platform/fault_seam.h"
#include "platform/working_files.h"
#include "support/environment.h"
#include "support/fake_main_window.h"
#include "support/launch_fixture.h"
#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

using Step = std::function<void(Cycle&)>;

const std::vector<GobEntry> kMixed = {{"DATA.LFD", "package data"},
                                      {"NEW.LFD", "new"},
                                      {"wave\\C.WAV", "c"},
                                      {"new\\D.LFD", "in a new folder"},
                                      {"two\\levels\\E.LFD", "e"}};

// The pilot loader's "Load Pilot", with a runner that starts nothing.
void SwitchPilot(Cycle& c, const std::string& name) {
    ScopedEnvironment runner("TOLVANE_BATCH_RUNNER", "/bin/true");
    c.game.prompts.allowMessage("Switched Pilot");
    FakeMainWindow window;
    MainWindowLogic logic(c.game.session, window);
    EXPECT_TRUE(LoadPilot(c.game.session, logic, name, [] {}));
}

// A whole cycle: `arrange` makes the game folder as the player has it, the launch installs
// `members`, `play` does what the game and the player do meanwhile, and the restore must give
// back every file as it was, with what `kept` names (files the player made during play).
struct Played {
    const char* what;
    std::vector<GobEntry> members;
    Step arrange;
    Step play = [](Cycle&) {};
    Tree kept{};
    bool restart = false;  // the restore of a later start, with the package gone
};

TEST(CycleScenarioTest, EveryCycleGivesTheGameFolderBack) {
    const auto nothing = [](Cycle&) {};
    const Played cases[] = {
        {"mixed members", kMixed, nothing, nothing, {}},
        {"mixed members, restored by a later start",
         kMixed,
         [](Cycle& c) {
             WriteFileBytes(c.game.game() / "zt" / "own.zt", MakeZt({{0, "F"}}));
         },
         [](Cycle& c) { WriteFileBytes(c.game.shipSets() / "restore.txt", "the player's"); },
         {{"Ships/restore.txt", "the player's"}},
         true},
        {"a file named zt is no patch folder", kMixed,
         [](Cycle& c) { WriteFileBytes(c.game.game() / "zt", "the game's"); },
         [](Cycle& c) { EXPECT_EQ(ReadFileBytes(c.game.executable()), c.game.executableBytes()); }},
        {"patches from the game's patch folder in any spelling",
         {{"zt\\FIX.ZT", MakeZt({{4, "FIX"}})}, {"B.LFD", "b"}},
         [](Cycle& c) {
             WriteFileBytes(c.game.game() / "ZT" / "OWN.ZT", MakeZt({{0, "OWN"}}));
         },
         [](Cycle& c) {
             std::string patched = ReadFileBytes(c.game.executable());
             EXPECT_EQ(patched.substr(0, 3), "OWN");
             EXPECT_EQ(patched.substr(4, 3), "FIX");
             EXPECT_FALSE(Snapshot(c.game.game()).contains("zt/")) << "a second patch folder";
         }},
        {"Backup's folders in the game's spelling",
         {{"wave\\GAME.WAV", "loud"}},
         [](Cycle& c) { fs::create_directories(c.game.backup() / "WAVE"); }},
        {"an empty Backup the player had",
         {{"DATA.LFD", "d"}},
         [](Cycle& c) { fs::create_directories(c.game.backup()); }},
        {"a Backup the player had with an empty folder in it",
         {{"wave\\GAME.WAV", "loud"}, {"DATA.LFD", "d"}},
         [](Cycle& c) { fs::create_directories(c.game.backup() / "wave"); }},
        {"a RunXWA.bat of the game's beside the program",
         {{"B.LFD", "b"}},
         [](Cycle& c) { WriteFileBytes(c.game.program() / "RunXWA.bat", "the game's own"); },
         [](Cycle& c) {
             SwitchPilot(c, "Nova");
             EXPECT_EQ(ReadFileBytes(c.game.program() / "RunXWA.bat"), "the game's own");
         }},
        {"a config.cfg the ship set brought",
         {{"CONFIG.CFG", "lastpilot Ace\r\n"}, {"B.LFD", "b"}},
         [](Cycle& c) { fs::remove(c.game.game() / "config.cfg"); },
         [](Cycle& c) { SwitchPilot(c, "Nova"); }},
        {"a folder the game wrote into",
         kMixed,
         nothing,
         [](Cycle& c) { WriteFileBytes(c.game.game() / "new" / "SAVE.DAT", "the player's"); },
         {{"XWA/new/", ""}, {"XWA/new/SAVE.DAT", "the player's"}}},
        {"working files of others",
         {{".tolvane-1.tmp", "replaced"}},
         [](Cycle& c) {
             WriteFileBytes(c.game.game() / ".tolvane-1.tmp", "the game's own");
             WriteFileBytes(c.game.game() / ".tolvane-0123456789abcdef-0.tmp", "another's");
         },
         [](Cycle& c) { WriteFileBytes(FreshTemporaryPath(c.game.game()), "a run that died"); }},
        {"a member without a name",
         {{"   ", "nameless"}, {"B.LFD", "b"}},
         nothing,
         [](Cycle& c) { EXPECT_EQ(ReadFileBytes(c.game.game() / "B.LFD"), "b"); }},
        {"the game's spelling of a replaced file",
         {{"DATA.LFD", "package data"}},
         [](Cycle& c) {
             fs::remove(c.game.game() / "DATA.LFD");
             WriteFileBytes(c.game.game() / "Data.Lfd", "original data");
         },
         [](Cycle& c) {
             EXPECT_EQ(ReadFileBytes(c.game.game() / "Data.Lfd"), "package data");
             EXPECT_EQ(c.journal().members[0].relativePath, "Data.Lfd");
         }},
        // Members that Windows takes for one file are one file: the first one's backup holds the
        // game's own copy, later ones overwrite only the ship set's.
        {"aliases by a trailing dot",
         {{"DATA.LFD", "first"}, {"DATA.LFD.", "second"}},
         nothing,
         [](Cycle& c) { EXPECT_EQ(ReadFileBytes(c.game.game() / "DATA.LFD"), "second"); }},
        {"aliases by spaces and dots in a folder",
         {{"wave\\GAME.WAV", "first"}, {"WAVE . \\game.wav", "second"}},
         nothing,
         [](Cycle& c) { EXPECT_EQ(ReadFileBytes(c.game.game() / "wave/GAME.WAV"), "second"); }},
        {"aliases by letter case beyond ASCII",
         {{"\xC9LAN.LFD", "first"}, {"\xE9lan.lfd", "second"}},
         [](Cycle& c) {
             WriteFileBytes(c.game.game() / PathFromUtf8("\xC3\x89lan.lfd"), "the game's own");
         },
         [](Cycle& c) {
             EXPECT_EQ(ReadFileBytes(c.game.game() / PathFromUtf8("\xC3\x89lan.lfd")), "second");
         }},
        {"a new file named twice",
         {{"NEW.LFD", "first"}, {"new.lfd ", "second"}},
         nothing,
         [](Cycle& c) { EXPECT_EQ(ReadFileBytes(c.game.game() / "NEW.LFD"), "second"); }},
#ifndef _WIN32
        {"config.cfg as a link", kMixed,
         [](Cycle& c) {
             fs::path real = c.game.game().parent_path() / "Config" / "config.cfg";
             WriteFileBytes(real, "lastpilot Ace\r\nwindowed 1\r\n");
             fs::remove(c.game.game() / "config.cfg");
             fs::create_symlink(real, c.game.game() / "config.cfg");
         },
         [](Cycle& c) {
             SwitchPilot(c, "Nova");
             EXPECT_TRUE(fs::is_symlink(c.game.game() / "config.cfg"));
             EXPECT_EQ(ReadFileBytes(c.game.game() / "config.cfg"),
                       "lastpilot Nova\r\nwindowed 1\r\n");
         }},
#endif
    };
    for (const Played& row : cases) {
        SCOPED_TRACE(row.what);
        Cycle c;
        row.arrange(c);
        fs::path package = c.package("P.gob", row.members);
        Tree before = c.everything();
        LaunchedShipSet record = c.launch(package);
        EXPECT_EQ(c.outcome, LaunchOutcome::WaitingForPilot);
        row.play(c);
        c.game.prompts.allowMessage("Success!");
        if (row.restart) {
            fs::remove(package);  // the journal is all it needs
            before.erase("Ships/P.gob");
        }
        EXPECT_EQ(row.restart ? c.recover() : c.restore(record), RestoreOutcome::Restored);
        before.insert(row.kept.begin(), row.kept.end());
        EXPECT_EQ(c.everything(), before);
        EXPECT_FALSE(c.cycleOpen());
    }
}

// What the launch refuses, and the title or words of the box that says so; nothing has changed.
struct Refused {
    const char* what;
    std::vector<GobEntry> members;
    std::string told;  // the title, or words of the text
    Step arrange = {};
    std::string gameFolder = "XWA";
    std::string shipSetFolder = "Ships";
};

#ifndef _WIN32
std::string Deep(int levels, std::size_t tail) {
    std::string deep;
    for (int i = 0; i < levels; ++i)
        deep += std::string(200, 'd') + "/";
    return deep + std::string(tail, 'e');
}
#endif

TEST(CycleScenarioTest, WhatWouldLoseAFileIsRefusedBeforeAnythingChanges) {
    const std::vector<GobEntry> b = {{"B.LFD", "b"}};
    const Refused cases[] = {
        {"the executable with a trailing space", {{"XWINGALLIANCE.EXE ", "evil"}}, "Sorry..."},
        {"the executable with a trailing dot", {{"xwingalliance.exe.", "evil"}}, "Sorry..."},
        {"a device", {{"CON", "x"}}, "Invalid .Gob"},
        {"a device with an extension in a folder", {{"wave\\nul.wav", "x"}}, "Invalid .Gob"},
        {"a numbered port", {{"lpt3.lfd", "x"}}, "Invalid .Gob"},
        // Byte B9 is "¹" in the game's code page, and LPT¹ is a port.
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
        {"no executable", b, "Game Not Found",
         [](Cycle& c) { fs::rename(c.game.executable(), c.game.game() / "XWA.EXE"); }},
        {"a Backup in use", b, "Backup Folder In Use",
         [](Cycle& c) { WriteFileBytes(c.game.backup() / "OLD.LFD", "old"); }},
        {"a journal of a later version", b, "Tolvane launch.journal",
         [](Cycle& c) { WriteFileBytes(c.game.journalPath(), "Tolvane launch journal 9\n"); }},
        {"an open journal with an added file left", b, "Backup Folder In Use",
         [](Cycle& c) {
             WriteFileBytes(c.game.game() / "ADDED.LFD", "the ship set's");
             JournalWriter::create(c.game.journalPath(),
                                   {.package = c.game.shipSets() / "Old.gob",
                                    .gameFolder = c.game.game(),
                                    .backupFolder = c.game.backup(),
                                    .executableName = "XWINGALLIANCE.EXE",
                                    .members = {{1, MemberChange::Added, "ADDED.LFD"}}});
         }},
        {"an open journal with the pilot line to put back", b, "Backup Folder In Use",
         [](Cycle& c) {
             JournalWriter::create(c.game.journalPath(), {.package = c.game.shipSets() / "Old.gob",
                                                          .gameFolder = c.game.game(),
                                                          .backupFolder = c.game.backup(),
                                                          .executableName = "XWINGALLIANCE.EXE",
                                                          .configFirstLine = "lastpilot Ace"})
                 .notePilotSwitch();
         }},
        {"a Backup that cannot be read through", b, "Launch Failed",
         [](Cycle& c) {
             fs::create_directories(c.game.backup() / "wave");
             FaultSeam::Record();
             c.plan(c.game.shipSets() / "P.gob");  // changes nothing: finds the listing's turn
             const std::vector<RecordedStep>& steps = FaultSeam::Recorded();
             std::uint64_t turn = 0;
             while (turn < steps.size() &&
                    !(steps[turn].step == FileStep::List && steps[turn].path == c.game.backup()))
                 ++turn;
             FaultSeam::FailAt(turn + 1, std::make_error_code(std::errc::permission_denied));
         }},
#ifndef _WIN32
        // 86 euro signs: 258 bytes of UTF-8, more than a file name on Linux can have.
        {"a name longer than a file name can be", {{std::string(86, '\x80'), "x"}}, "Invalid .Gob"},
        {"a path too long in the game folder",
         {{std::string(84, '\x80'), "x"}},
         "member 1",
         {},
         Deep(19, 3)},
        {"a path too long in Backup",
         {{std::string(84, '\x80'), "x"}},
         "member 1",
         {},
         "XWA",
         Deep(19, 5)},
        // Room for a member, not for the program's own working files.
        {"no room for a working file", b, "working files", {}, Deep(20, 4095 - 20 * 201 - 60)},
        {"a member that reaches a link",
         {{"link.lfd", "x"}},
         "Invalid .Gob",
         [](Cycle& c) {
             fs::create_symlink(c.game.game() / "DATA.LFD", c.game.game() / "LINK.LFD");
         }},
        {"an executable that is a link", b, "Game Not Found",
         [](Cycle& c) {
             fs::rename(c.game.executable(), c.game.outside().parent_path() / "real.exe");
             fs::create_symlink(c.game.outside().parent_path() / "real.exe", c.game.executable());
         }},
        {"Backup as a link", b, "Backup is a link",
         [](Cycle& c) { fs::create_symlink(c.game.outside() / "empty", c.game.backup()); }},
        {"the journal as a link", b, "journal is a link",
         [](Cycle& c) { fs::create_symlink(c.game.outside() / "empty", c.game.journalPath()); }},
        {"RunXWA.bat as a link", b, "RunXWA.bat is a link",
         [](Cycle& c) {
             fs::create_symlink(c.game.outside() / "empty", c.game.program() / "RunXWA.bat");
         }},
#endif
    };
    for (const Refused& row : cases) {
        SCOPED_TRACE(row.what);
        Cycle c(row.gameFolder, row.shipSetFolder);
        fs::path package = c.package("P.gob", row.members);
        if (row.arrange)
            row.arrange(c);
        Tree before = c.everything();
        auto plan = c.plan(package);
        FaultSeam::Disarm();
        ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(plan));
        const LaunchRefusal& refusal = std::get<LaunchRefusal>(plan);
        EXPECT_TRUE(refusal.title == row.told || refusal.text.find(row.told) != std::string::npos)
            << refusal.title << ": " << refusal.text;
        EXPECT_EQ(c.everything(), before);
        EXPECT_EQ(c.game.store.get("Settings", "Last ShipSet"), "None");
    }
}

// What the restore cannot trust: it moves nothing it should not, names what it found, and the
// cycle stays open with every original safe.
struct Distrusted {
    const char* what;
    Step change;        // after the launch
    std::string named;  // in the box that tells the player
    bool movesNothing = true;
};

TEST(CycleScenarioTest, WhatTheRestoreCannotTrustKeepsTheCycleOpen) {
    // A line appended with the checksum the program would give it, that would have the restore
    // act outside (the journal's own test has every kind): refused, it moves nothing.
    const auto appended = [](const char* line) {
        return [line](Cycle& c) { AppendJournalLine(c.game.journalPath(), line); };
    };
    const auto replacedInBackup = [](const char* name) {
        return [name](Cycle& c) { WriteFileBytes(c.game.backup() / name, "someone else's"); };
    };
    const Distrusted cases[] = {
        {"an added member outside", appended("member\t90\tadded\t../Outside/sentinel.txt"),
         "line "},
        {"a folder outside", appended("folder\t../Outside/empty"), "line "},
        {"a journal that cannot be read",
         [](Cycle& c) {
             fs::rename(c.game.journalPath(), c.game.shipSets() / "saved.journal");
             fs::create_directory(c.game.journalPath());
         },
         "journal"},
        {"an original that is nowhere",
         [](Cycle& c) {
             fs::remove(c.game.backup() / "DATA.LFD");
             fs::remove(c.game.game() / "DATA.LFD");
         },
         "DATA.LFD is neither in the backup folder", false},
        {"a kept pilot's copy replaced", replacedInBackup("Ace.plt"), "Ace.plt", false},
        {"a replaced file's copy gone from Backup",
         [](Cycle& c) { fs::remove(c.game.backup() / "DATA.LFD"); }, "DATA.LFD", false},
        {"the patched executable's copy gone from Backup",
         [](Cycle& c) {
             fs::remove(c.game.backup() / "XWINGALLIANCE.EXE");
             WriteFileBytes(c.game.executable(), "patched");
         },
         "XWINGALLIANCE.EXE", false},
        {"a replaced file's original replaced", replacedInBackup("DATA.LFD"), "DATA.LFD", false},
        {"a replaced file's original rewritten at its own size",
         [](Cycle& c) {
             fs::path copy = c.game.backup() / "DATA.LFD";
             WriteFileBytes(copy, std::string(fs::file_size(copy), 'x'));
             fs::last_write_time(copy, fs::last_write_time(copy) - std::chrono::hours(30));
         },
         "DATA.LFD", false},
        {"the executable's original replaced", replacedInBackup("XWINGALLIANCE.EXE"),
         "XWINGALLIANCE.EXE", false},
        {"a file that cannot go back",
         [](Cycle& c) {
             fs::remove(c.game.game() / "DATA.LFD");  // held so that a file cannot replace it
             WriteFileBytes(c.game.game() / "DATA.LFD" / "busy", "x");
         },
         "DATA.LFD", false},
#ifndef _WIN32
        {"config.cfg turned into a link",
         [](Cycle& c) {
             fs::remove(c.game.game() / "config.cfg");
             fs::create_symlink(c.game.outside() / "sentinel.txt", c.game.game() / "config.cfg");
         },
         "config.cfg", false},
        {"Backup turned into a link",
         [](Cycle& c) {
             fs::rename(c.game.backup(), c.game.shipSets() / "Moved");
             fs::create_symlink(c.game.shipSets() / "Moved", c.game.backup());
         },
         "is a link"},
        // Leading to someone else's file of the same name, and one named like this run's
        // working files: the restore follows it for neither.
        {"a folder the launch made turned into a link",
         [](Cycle& c) {
             fs::path elsewhere = c.game.shipSets().parent_path() / "Elsewhere";
             WriteFileBytes(elsewhere / "D.LFD", "someone else's");
             WriteFileBytes(elsewhere / (TemporaryPrefix() + "1.tmp"), "someone else's too");
             fs::remove_all(c.game.game() / "new");
             fs::create_directory_symlink(elsewhere, c.game.game() / "new");
         },
         "is a link", false},
#endif
    };
    for (const Distrusted& row : cases) {
        SCOPED_TRACE(row.what);
        Cycle c;
        std::vector<GobEntry> members = kMixed;
        members.push_back({"Ace.plt", "ship set's Ace"});
        c.game.prompts.allowMessage("Pilot Exists!");  // No: the game keeps its Ace
        c.launchOf(members);
        row.change(c);
        Tree inPlay = c.everything();
        c.game.prompts.allowMessage("Restore Incomplete");
        c.game.prompts.allowMessage("Keep Pilot?");
        c.game.prompts.allowedReply = Answer::No;  // every copy from before would go back
        EXPECT_EQ(c.recover(), RestoreOutcome::RestoredInPart);
        EXPECT_NE(c.lastMessage().find(row.named), std::string::npos) << c.lastMessage();
        Tree after = c.everything();
        for (const auto& [name, bytes] : inPlay) {
            bool kept =
                row.movesNothing || name.starts_with("Outside/") ||
                name.starts_with("Elsewhere/") ||
                (name.starts_with("Ships/Backup/") && name.find(row.named) != std::string::npos);
            if (kept) {
                EXPECT_EQ(after[name], bytes) << name;
            }
        }
        if (fs::exists(c.game.shipSets() / "saved.journal")) {
            fs::remove(c.game.journalPath());
            fs::rename(c.game.shipSets() / "saved.journal", c.game.journalPath());
        }
        EXPECT_TRUE(c.cycleOpen());
    }
}

// config.cfg's first line as the player had it, whatever it holds and whatever the ship set
// carries: the restore writes it back byte for byte, and "Last Pilot" names the pilot of before.
TEST(CycleScenarioTest, ConfigsFirstLineComesBackByteForByte) {
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
    for (const Case& row : cases) {
        SCOPED_TRACE(row.config);
        Cycle c;
        WriteFileBytes(c.game.game() / "config.cfg", row.config);
        std::vector<GobEntry> members = {{"B.LFD", "b"}};
        if (row.packageCarriesConfig)
            members.push_back({"CONFIG.CFG", "lastpilot Package\r\n"});
        LaunchedShipSet record = c.launchOf(members);
        SwitchPilot(c, "Nova");
        EXPECT_EQ(c.game.store.get("Settings", "Last Pilot"), row.lastPilot);
        c.game.store.save("Settings", "Last Pilot", "Something else");
        c.restore(record);
        EXPECT_EQ(ReadFileBytes(c.game.game() / "config.cfg"), row.config);
    }
}

// A file found in Backup once the install runs stops it there and stays whole.
TEST(CycleScenarioTest, AFileFoundInTheBackupStopsTheInstallAndStaysWhole) {
    Cycle c;
    auto plan = c.plan(c.package("P.gob", {{"NEW.LFD", "a"}, {"DATA.LFD", "b"}}));
    WriteFileBytes(c.game.backup() / "DATA.LFD", "someone else's");
    LaunchResult result =
        LaunchShipSet(c.game.store, c.game.prompts, c.progress, std::get<LaunchPlan>(plan));
    EXPECT_EQ(result.outcome, LaunchOutcome::FailedCycleOpen);
    EXPECT_EQ(ReadFileBytes(c.game.backup() / "DATA.LFD"), "someone else's");
    EXPECT_EQ(ReadFileBytes(c.game.game() / "DATA.LFD"), "original data");
}

// A RunXWA.bat the restore could not delete stays with the closed journal that names it; the
// next launch removes both.
TEST(CycleScenarioTest, ARunXwaBatTheRestoreLeftGoesWithTheNextLaunch) {
    std::uint64_t deleteTurn = 0;
    for (bool failing : {false, true}) {  // the first run finds the delete's turn
        Cycle c;
        fs::path batch = c.game.program() / "RunXWA.bat";
        c.game.prompts.allowMessage("Restore");
        LaunchedShipSet record = c.launchOf({{"B.LFD", "b"}});
        WriteFileBytes(batch, "the cycle's starter");
        if (failing)
            FaultSeam::FailAt(deleteTurn, std::make_error_code(std::errc::device_or_resource_busy));
        else
            FaultSeam::Record();
        EXPECT_EQ(c.restore(record), RestoreOutcome::Restored);
        for (const RecordedStep& step : FaultSeam::Recorded()) {
            ++deleteTurn;
            if (step.step == FileStep::Delete && step.path == batch)
                break;
        }
        FaultSeam::Disarm();
        if (!failing)
            continue;
        EXPECT_NE(c.lastMessage().find(Utf8Of(batch)), std::string::npos) << c.lastMessage();
        EXPECT_TRUE(fs::exists(batch));
        c.restore(c.launchOf({{"B.LFD", "b"}}));
        EXPECT_FALSE(fs::exists(batch));
        EXPECT_FALSE(fs::exists(c.game.journalPath()));
    }
}

#ifdef _WIN32
fs::path ShortNameOf(const fs::path& path) {
    wchar_t shortPath[MAX_PATH];
    DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? fs::path(shortPath).filename() : path.filename();
}

// Windows reaches a file by its short (8.3) name as well: the plan must know whose file it is.
TEST(CycleScenarioTest, AShortNameReachesTheSameGameFile) {
    Cycle c;
    WriteFileBytes(c.game.game() / "FLIGHTMODELS" / "XWINGMODEL.OPT", "game model");
    fs::path folder = ShortNameOf(c.game.game() / "FLIGHTMODELS");
    fs::path file = ShortNameOf(c.game.game() / "FLIGHTMODELS" / "XWINGMODEL.OPT");
    fs::path executable = ShortNameOf(c.game.executable());
    if (folder == "FLIGHTMODELS" || executable == "XWINGALLIANCE.EXE")
        GTEST_SKIP() << "this volume keeps no short names";
    Tree before = Snapshot(c.game.game());
    auto refused = c.plan(c.package("Exe.gob", {{Utf8Of(executable), "evil"}}));
    ASSERT_TRUE(std::holds_alternative<LaunchRefusal>(refused));
    EXPECT_EQ(std::get<LaunchRefusal>(refused).title, "Sorry...");
    LaunchedShipSet record =
        c.launch(c.package("Short.gob", {{Utf8Of(folder) + "\\" + Utf8Of(file), "package model"}}));
    EXPECT_EQ(ReadFileBytes(c.game.game() / "FLIGHTMODELS" / "XWINGMODEL.OPT"), "package model");
    EXPECT_EQ(ReadFileBytes(c.game.backup() / "FLIGHTMODELS" / "XWINGMODEL.OPT"), "game model");
    c.restore(record);
    EXPECT_EQ(Snapshot(c.game.game()), before);
}
#endif

}  // namespace
}  // namespace tolvane::testing

#include "launch/launch_journal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "platform/error.h"
#include "platform/working_files.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

const JournalFolders kFolders{"/xwa", "/ships/Backup"};

LaunchJournal Plan() {
    LaunchJournal plan{.package = "/ships/My Set.gob",
                       .gameFolder = "/xwa",
                       .backupFolder = "/ships/Backup",
                       .executableName = "XWingAlliance.exe"};
    plan.createdFolders = {"new"};
    plan.madeBackupFolder = true;
    plan.createdBackupFolders = {"wave"};
    plan.configFirstLine = std::string("lastpilot Ace, Jr\t%\xE9", 20);
    plan.members = {{1, MemberChange::Replaced, "wave/TAB\tAND%.WAV"},
                    {2, MemberChange::Added, "new/D.LFD"},
                    {3, MemberChange::Kept, "Ace.plt"}};
    return plan;
}

// A journal changed behind the program's back is found, whatever was done to it, and so is a line
// of the program's own form that would have a restore act outside the game and backup folders,
// or leave the game's own file out: the whole journal is refused, by line. A line added at its
// end without its checksum is taken for one a crash cut off, and not believed.
TEST(LaunchJournalTest, AJournalChangedBehindTheProgramsBackIsFound) {
    auto lineOf = [](const std::string& text, const std::string& start) {
        std::size_t at = text.find("\n" + start) + 1;
        return std::pair(at, text.find('\n', at) + 1 - at);
    };
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> change;
    };
    auto appended = [](const char* line) {
        return Case{line, [line](const fs::path& path) { AppendJournalLine(path, line); }};
    };
    std::vector<Case> cases = {
        appended("member\t90\tadded\t../outside/x"),
        appended("member\t91\tadded\t/outside/x"),
        appended("member\t92\tadded\tnew/../../outside/x"),
        appended("member\t93\tadded\t"),
        appended("member\t2\tadded\tnew/D2.LFD"),
        appended("member\t94\tmoved\tE.LFD"),
        appended("member\tx\tadded\tE.LFD"),
        appended("folder\t../outside/empty"),
        appended("folder\t/outside"),
        appended("backup-folder\t../../outside"),
        appended("executable\t/elsewhere/x"),
        appended("executable\tDATA.LFD"),
        appended("game\t/elsewhere"),
        appended("backup\t/elsewhere/Backup"),
        appended("untouched\t1"),
        appended("untouched\t3"),
        appended("restored\t1"),
        appended("restored\t99"),
        appended("temporaries\t../outside/"),
        appended("temporaries\t.tolvane-"),
        appended("delete\t/outside"),
        {"a line edited",
         [&](const fs::path& path) {
             std::string text = ReadFileBytes(path);
             text.replace(text.find("lastpilot Ace"), 13, "lastpilot Bob");
             WriteFileBytes(path, text);
         }},
        {"two lines swapped",
         [&](const fs::path& path) {
             std::string text = ReadFileBytes(path);
             auto [at, length] = lineOf(text, "game");
             std::string line = text.substr(at, length);
             text.erase(at, length);
             auto [next, nextLength] = lineOf(text, "backup");
             text.insert(next + nextLength, line);
             WriteFileBytes(path, text);
         }},
        {"a line left out",
         [&](const fs::path& path) {
             std::string text = ReadFileBytes(path);
             auto [at, length] = lineOf(text, "backup-made");
             WriteFileBytes(path, text.erase(at, length));
         }},
        {"a second config-line",
         [](const fs::path& path) { AppendJournalLine(path, "config-line\tlastpilot Bob"); }},
        {"a config-line of two lines",
         [&](const fs::path& path) {
             std::string text = ReadFileBytes(path);
             auto [at, length] = lineOf(text, "config-line");
             WriteFileBytes(path, text.erase(at, length));
             AppendJournalLine(path, "config-line\tlastpilot Bob%0D%0Awindowed 0%0D%0A");
         }},
        {"a second closed line",
         [](const fs::path& path) {
             AppendJournalLine(path, "closed");
             AppendJournalLine(path, "closed");
         }},
    };
    TempFolder folder;
    fs::path path = folder / "journal";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(path);
        JournalWriter::create(path, Plan());
        c.change(path);
        try {
            ReadJournal(path, kFolders);
            ADD_FAILURE() << "believed";
        } catch (const DamagedJournal& error) {
            EXPECT_NE(std::string(error.what()).find("line "), std::string::npos) << error.what();
        }
    }
    fs::remove(path);
    JournalWriter::create(path, Plan());
    std::ofstream(path, std::ios::app | std::ios::binary) << "closed\n";
    EXPECT_FALSE(ReadJournal(path, kFolders).closed);

    // A byte no message can show is shown by its value, and the message goes on after it.
    std::string text = ReadFileBytes(path);
    text.replace(text.find("lastpilot Ace"), 13, std::string("lastpilot A\0e", 13));
    WriteFileBytes(path, text);
    try {
        ReadJournal(path, kFolders);
        ADD_FAILURE() << "believed";
    } catch (const DamagedJournal& error) {
        EXPECT_NE(std::string(error.what()).find("lastpilot A\\x00e"), std::string::npos);
    }
}

// A journal of the first version is still restored, without the lines that would let a restore
// remove anything but game files.
TEST(LaunchJournalTest, AJournalOfTheFirstVersionIsReadWithoutWhatCouldRemoveOtherFiles) {
    TempFolder folder;
    WriteFileBytes(folder / "journal",
                   "Tolvane launch journal 1\npackage\t/ships/Set.gob\ngame\t/xwa\n"
                   "backup\t/ships/Backup\nexecutable\tXWINGALLIANCE.EXE\ntemporaries\t.tolvane-"
                   "0123456789abcdef-\nconfig-line\tlastpilot Ace\nbackup-made\n"
                   "backup-folder\twave\nmember\t1\treplaced\twave/A.WAV\nclosed\n");
    LaunchJournal journal = ReadJournal(folder / "journal", kFolders);
    EXPECT_TRUE(journal.firstVersion);
    EXPECT_TRUE(journal.temporaryPrefixes.empty());
    EXPECT_FALSE(journal.madeBackupFolder);
    EXPECT_TRUE(journal.createdBackupFolders.empty());
    ASSERT_EQ(journal.members.size(), 1u);
    EXPECT_EQ(journal.configFirstLine, "lastpilot Ace");
    EXPECT_TRUE(journal.closed);
}

TEST(LaunchJournalTest, AJournalOfOtherFoldersIsRefused) {
    TempFolder folder;
    JournalWriter::create(folder / "journal", Plan());
    EXPECT_THROW(ReadJournal(folder / "journal", {"/other", "/ships/Backup"}), DamagedJournal);
    EXPECT_THROW(ReadJournal(folder / "journal", {"/xwa", "/other/Backup"}), DamagedJournal);
}

// What power cuts leave, any number of them, each followed by a start that resumed the journal:
// passed over, and the journal goes on being read and written.
TEST(LaunchJournalTest, WhatAnySequenceOfPowerCutsLeavesIsPassedOver) {
    const auto cut = [](std::string bytes) {
        return [bytes](const fs::path& path) {
            std::ofstream(path, std::ios::app | std::ios::binary) << bytes;
        };
    };
    const auto resumedAndCut = [](std::string bytes) {
        return [bytes](const fs::path& path) {
            JournalWriter::resume(path).noteTemporariesOfThisRun();
            std::ofstream(path, std::ios::app | std::ios::binary) << bytes;
        };
    };
    struct Case {
        const char* what;
        std::vector<std::function<void(const fs::path&)>> cuts;
    };
    const Case cases[] = {
        {"a line cut twice", {cut("restored\t2\t0a"), resumedAndCut("rest")}},
        {"a line cut, then the first line of the run that resumed it",
         {cut("restored\t2\t0a"), cut("\ntempor")}},
        {"a line cut three times",
         {cut("pilot\t"), resumedAndCut("restored\t2"), resumedAndCut("closed\t12")}},
        {"stale bytes with line ends", {cut("stale\tbytes 0123\nmore stale\n\tbytes\n")}},
        {"stale bytes, then a cut", {cut("stale\nbytes\n"), resumedAndCut("pil")}},
        {"zeros where the data did not reach the disk", {cut(std::string(40, '\0'))}},
        {"a whole line without its line end", {[](const fs::path& path) {
             AppendJournalLine(path, "restored\t2");
             std::string text = ReadFileBytes(path);
             WriteFileBytes(path, text.substr(0, text.size() - 1));
         }}},
    };
    TempFolder folder;
    fs::path path = folder / "journal";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(path);
        JournalWriter::create(path, Plan());
        for (const auto& step : c.cuts)
            step(path);
        EXPECT_FALSE(ReadJournal(path, kFolders).closed);
        JournalWriter::resume(path).close();
        EXPECT_TRUE(ReadJournal(path, kFolders).closed);
    }
    // The first version has no checksums: a line cut short is known by a resumed run after it.
    WriteFileBytes(path,
                   "Tolvane launch journal 1\npackage\t/ships/A.gob\ngame\t/xwa\nbackup\t/ships/"
                   "Backup\nmember\t1\tadded\tA.LFD\nrest");
    JournalWriter::resume(path).noteTemporariesOfThisRun();
    EXPECT_FALSE(ReadJournal(path, kFolders).closed);
}

// A journal that holds no journal's first line, or was cut before its plan named its folders, was
// never written whole, so before any change: nothing it says is acted on. Any other file there is
// read as a journal and refused.
TEST(LaunchJournalTest, AJournalNeverWrittenWholeIsUnfinished) {
    const std::string header = "Tolvane launch journal 2\n";
    TempFolder folder;
    for (const std::string& text :
         {std::string(), std::string("Tolvane launch"), std::string(512, '\0'),
          "Tolvane lau" + std::string(64, '\0'), header, header + "package\t/ships/A.gob\t0",
          std::string("the player's notes\n"), std::string("stale\tbytes\n\0\0")}) {
        WriteFileBytes(folder / "journal", text);
        EXPECT_THROW(ReadJournal(folder / "journal", kFolders), UnfinishedJournal) << text;
    }
    WriteFileBytes(folder / "journal", "Tolvane launch journal 9\n");
    EXPECT_THROW(ReadJournal(folder / "journal", kFolders), DamagedJournal);

    // Out of the way it goes: an empty one is removed, anything else moved aside, never over a
    // file, and the player told where.
    WriteFileBytes(folder / "journal", "");
    EXPECT_EQ(PutAsideUnwrittenJournal(folder / "journal"), std::nullopt);
    for (const char* aside :
         {"Tolvane launch (never written).journal", "Tolvane launch (never written 2).journal"}) {
        WriteFileBytes(folder / "journal", std::string(64, '\0'));
        std::optional<std::string> told = PutAsideUnwrittenJournal(folder / "journal");
        ASSERT_TRUE(told);
        EXPECT_NE(told->find(aside), std::string::npos) << *told;
        EXPECT_EQ(ReadFileBytes(folder / aside), std::string(64, '\0'));
    }
    EXPECT_FALSE(fs::exists(folder / "journal"));
}

}  // namespace
}  // namespace tolvane::testing

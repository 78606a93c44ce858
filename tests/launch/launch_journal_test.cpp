#include "launch/launch_journal.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/error.h"
#include "support/temp_folder.h"

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

TEST(LaunchJournalTest, ReadsBackWhatWasWrittenAndIgnoresALineCutShort) {
    TempFolder folder;
    fs::path path = folder / "journal";
    JournalWriter writer = JournalWriter::create(path, Plan());
    writer.memberRestored(2);
    std::ofstream(path, std::ios::app | std::ios::binary)
        << "member\t3\tadd";  // the moment the power went

    LaunchJournal journal = ReadJournal(path, kFolders);
    EXPECT_EQ(journal.package, fs::path("/ships/My Set.gob"));
    EXPECT_EQ(journal.createdFolders, std::vector<fs::path>{"new"});
    EXPECT_TRUE(journal.madeBackupFolder);
    EXPECT_EQ(journal.createdBackupFolders, std::vector<fs::path>{"wave"});
    EXPECT_EQ(journal.configFirstLine, Plan().configFirstLine);
    EXPECT_EQ(journal.temporaryPrefixes, std::vector<std::string>{TemporaryPrefix()});
    ASSERT_EQ(journal.members.size(), 3u);
    EXPECT_EQ(journal.members[0].relativePath, fs::path("wave/TAB\tAND%.WAV"));
    EXPECT_EQ(journal.members[1].change, MemberChange::Added);
    EXPECT_EQ(journal.members[2].change, MemberChange::Kept);
    EXPECT_EQ(journal.executableName, "XWingAlliance.exe");
    EXPECT_EQ(journal.settledMembers, std::set<int>{2});
    EXPECT_FALSE(journal.closed);
    EXPECT_FALSE(journal.pilotSwitched);
}

// Lines appended to a real journal: each would have a restore act outside the game and backup
// folders, or leave the game's own file out, so the whole journal is refused and named.
TEST(LaunchJournalTest, RefusesEveryLineThatReachesOutsideOrContradictsItsMember) {
    const char* lines[] = {
        "member\t90\tadded\t../outside/x",
        "member\t91\tadded\t/outside/x",
        "member\t92\tadded\tnew/../../outside/x",
        "member\t93\tadded\t",
        "member\t2\tadded\tnew/D2.LFD",
        "member\t94\tmoved\tE.LFD",
        "member\tx\tadded\tE.LFD",
        "folder\t../outside/empty",
        "folder\t/outside",
        "backup-folder\t../../outside",
        "executable\t/elsewhere/x",
        "executable\tDATA.LFD",
        "game\t/elsewhere",
        "backup\t/elsewhere/Backup",
        "untouched\t1",
        "untouched\t3",
        "restored\t1",
        "restored\t99",
        "temporaries\t../outside/",
        "delete\t/outside",
    };
    TempFolder folder;
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        fs::path path = folder / "journal";
        fs::remove(path);
        JournalWriter::create(path, Plan());
        std::ofstream(path, std::ios::app | std::ios::binary) << line << "\n";
        try {
            ReadJournal(path, kFolders);
            ADD_FAILURE() << "accepted";
        } catch (const DamagedJournal& error) {
            EXPECT_NE(std::string(error.what()).find("line "), std::string::npos) << error.what();
        }
    }
}

TEST(LaunchJournalTest, AJournalOfOtherFoldersIsRefused) {
    TempFolder folder;
    JournalWriter::create(folder / "journal", Plan());
    EXPECT_THROW(ReadJournal(folder / "journal", {"/other", "/ships/Backup"}), DamagedJournal);
    EXPECT_THROW(ReadJournal(folder / "journal", {"/xwa", "/other/Backup"}), DamagedJournal);
}

// Only a journal cut off inside its first line is one that changed nothing; any other file there
// is not this program's to delete.
TEST(LaunchJournalTest, OnlyAJournalCutOffInItsFirstLineIsUnfinished) {
    TempFolder folder;
    for (const std::string text : {"", "Tolvane launch"}) {
        WriteFileBytes(folder / "journal", text);
        EXPECT_THROW(ReadJournal(folder / "journal", kFolders), UnfinishedJournal) << text;
    }
    for (const std::string text : {"not a journal\n", "my notes", "Tolvane launch journal 9\n"}) {
        WriteFileBytes(folder / "journal", text);
        EXPECT_THROW(ReadJournal(folder / "journal", kFolders), DamagedJournal) << text;
    }
}

#ifndef _WIN32
TEST(LaunchJournalTest, AJournalIsNeverReadOrWrittenThroughALink) {
    TempFolder folder;
    JournalWriter::create(folder / "elsewhere", Plan());
    std::string before = ReadFileBytes(folder / "elsewhere");
    fs::create_symlink(folder / "elsewhere", folder / "journal");
    EXPECT_THROW(ReadJournal(folder / "journal", kFolders), Error);
    EXPECT_THROW(JournalWriter::resume(folder / "journal"), Error);
    EXPECT_EQ(ReadFileBytes(folder / "elsewhere"), before);
}
#endif

}  // namespace
}  // namespace tolvane::testing

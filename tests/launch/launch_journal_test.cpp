#include "launch/launch_journal.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/error.h"
#include "support/temp_folder.h"

namespace tolvane::testing {
namespace {

TEST(LaunchJournalTest, ReadsBackWhatWasWrittenAndIgnoresALineCutShort) {
    TempFolder folder;
    fs::path path = folder / "journal";
    LaunchJournal plan{.package = "/ships/My Set.gob",
                       .gameFolder = "/xwa",
                       .backupFolder = "/ships/Backup",
                       .executableName = "XWingAlliance.exe"};
    plan.createdFolders = {"new"};
    plan.members = {{1, MemberChange::Replaced, "wave/TAB\tAND%.WAV"},
                    {2, MemberChange::Added, "new/D.LFD"},
                    {3, MemberChange::Kept, "Ace.plt"}};
    JournalWriter writer = JournalWriter::create(path, plan);
    writer.memberRestored(1);
    std::ofstream(path, std::ios::app) << "member\t3\tadd";  // the moment the power went

    LaunchJournal journal = ReadJournal(path);
    EXPECT_EQ(journal.package, fs::path("/ships/My Set.gob"));
    EXPECT_EQ(journal.createdFolders, std::vector<fs::path>{"new"});
    ASSERT_EQ(journal.members.size(), 3u);
    EXPECT_EQ(journal.members[0].relativePath, fs::path("wave/TAB\tAND%.WAV"));
    EXPECT_EQ(journal.members[1].change, MemberChange::Added);
    EXPECT_EQ(journal.members[2].change, MemberChange::Kept);
    EXPECT_EQ(journal.executableName, "XWingAlliance.exe");
    EXPECT_EQ(journal.settledMembers, std::set<int>{1});
    EXPECT_FALSE(journal.closed);
    EXPECT_FALSE(journal.pilotSwitched);
}

TEST(LaunchJournalTest, ADamagedJournalIsAnError) {
    TempFolder folder;
    for (const std::string text : {"", "not a journal\n", "Tolvane launch journal 1\nmember\tx\n",
                                   "Tolvane launch journal 1\nmember\t1\tadded\t%zz\n"}) {
        WriteFileBytes(folder / "journal", text);
        EXPECT_THROW(ReadJournal(folder / "journal"), Error) << text;
    }
}

}  // namespace
}  // namespace tolvane::testing

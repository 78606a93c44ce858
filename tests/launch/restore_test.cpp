#include <gtest/gtest.h>

#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "platform/fault_seam.h"
#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

class RestoreTest : public LaunchFixture {
  protected:
    RestoreTest() { game.store.save("Settings", "Last Pilot", "Ace"); }
};

// Whether the ship set's pilot replaced the game's (Yes to "Pilot Exists!") or the game kept its
// own (No), the game's pilot of before the launch waits in Backup, and the player decides at the
// restore whether the played file stays. A second spelling of the same pilot in the package
// follows the first.
// No pair of answers loses a version of the player's own pilot: the one not chosen is kept aside,
// one file per cycle, and the player is told where.
TEST_F(RestoreTest, ThePlayerChoosesWhichPlayedPilotsToKeep) {
    struct Case {
        std::vector<GobEntry> members;
        std::optional<Answer> replace;  // asked only where the game has the pilot
        Answer keep;
        std::optional<std::string> afterwards;
        std::optional<std::string> keptAside;  // the bytes of each cycle's file kept aside
        // Deleted: the played file is gone, its copy comes back unasked; Untouched: the game never
        // wrote the ship set's pilot, which goes like any member, unasked.
        enum { Written, Deleted, Untouched } play = Written;
    };
    const std::string original("Ace\0\0\0\0\0\0\0\0\0body-of-ace", 23);
    const std::vector<GobEntry> ace = {{"Ace.plt", "package pilot"}};
    const std::vector<GobEntry> twice = {{"Ace.plt", "package pilot"}, {"ACE.PLT", "again"}};
    const std::vector<GobEntry> zed = {{"Zed.plt", "package pilot"}};
    const Case cases[] = {
        {ace, Answer::Yes, Answer::Yes, "played", original},
        {ace, Answer::Yes, Answer::No, original, std::nullopt},
        {ace, Answer::No, Answer::Yes, "played", original},
        {ace, Answer::No, Answer::No, original, "played"},
        {twice, Answer::No, Answer::No, original, "played"},
        {zed, std::nullopt, Answer::Yes, "played", std::nullopt},
        {zed, std::nullopt, Answer::No, std::nullopt, std::nullopt},
        {ace, Answer::No, Answer::Yes, original, std::nullopt, Case::Deleted},
        {ace, Answer::Yes, Answer::Yes, original, std::nullopt, Case::Deleted},
        {ace, Answer::Yes, Answer::Yes, original, std::nullopt, Case::Untouched},
        {twice, Answer::Yes, Answer::Yes, original, std::nullopt, Case::Untouched},
        {zed, std::nullopt, Answer::Yes, std::nullopt, std::nullopt, Case::Untouched}};
    for (const Case& c : cases) {
        const std::string pilot = c.members.front().name;
        SCOPED_TRACE(pilot + " in " + std::to_string(c.members.size()) + " members");
        Cycle fresh;
        fs::path package = fresh.package("P.gob", c.members);
        fs::path keptFolder = fresh.game.shipSets() / "Pilots kept by Tolvane";
        // A first launch of the ship set, then a second over the game's own pilot again.
        for (int play = 1; play <= 2; ++play) {
            const char* whose = " is the game's own pilot.";
            WriteFileBytes(fresh.game.game() / "Ace.plt",
                           original);  // the game as before each play
            fs::remove(fresh.game.game() / "Zed.plt");
            if (c.replace)
                fresh.game.prompts.expectQuestion(pilot + whose + "\r\rReplace?", "Pilot Exists!",
                                                  Icon::Information, Answer::No, *c.replace);
            LaunchedShipSet record = fresh.launch(package);
            if (c.replace == Answer::No) {
                EXPECT_EQ(ReadFileBytes(fresh.game.game() / pilot), original);
            }
            if (c.play == Case::Deleted) {
                fs::remove(fresh.game.game() / pilot);
            } else if (c.play == Case::Written) {
                WriteFileBytes(fresh.game.game() / pilot, "played");
                fresh.game.prompts.expectQuestion("Would you like to keep " + pilot + "?",
                                                  "Keep Pilot?", Icon::Information, Answer::Yes,
                                                  c.keep);
            }
            if (c.keptAside)
                fresh.game.prompts.allowMessage("Pilots Kept");
            fresh.restore(record);
            fs::path file = fresh.game.game() / pilot;
            EXPECT_EQ(fs::exists(file) ? std::optional(ReadFileBytes(file)) : std::nullopt,
                      c.afterwards);
        }
        std::vector<std::string> kept;
        if (fs::exists(keptFolder)) {
            for (const auto& entry : fs::directory_iterator(keptFolder)) {
                EXPECT_EQ(ReadFileBytes(entry.path()), c.keptAside);
                kept.push_back(entry.path().filename().string());
            }
        }
        EXPECT_EQ(kept.size(), c.keptAside ? 2u : 0u) << "one file a cycle, none overwritten";
        if (c.keptAside) {
            EXPECT_NE(fresh.lastMessage().find(keptFolder.string()), std::string::npos);
        }
    }
}

// The folder of kept pilots is never reached through a link, and a kept file's name fits the
// host however long the ship set's name is: the restore can always finish.
TEST_F(RestoreTest, KeptPilotsGoOnlyWhereTheHostLetsThem) {
    fs::path keptFolder = game.shipSets() / "Pilots kept by Tolvane";
#ifdef _WIN32
    const std::size_t longest = 120;  // a path's limit, not a name's, is the one Windows meets
#else
    const std::size_t longest = 250;
#endif
    fs::path package = this->package(std::string(longest, 'L') + ".gob", {{"Ace.plt", "ship's"}});
    auto playAndKeep = [&] {
        WriteFileBytes(game.game() / "Ace.plt", "the player's own");
        game.prompts.allowedReply = Answer::Yes;  // the ship set's pilot plays, and stays
        game.prompts.allowMessage("Pilot Exists!");
        game.prompts.allowMessage("Keep Pilot?");
        game.prompts.allowMessage("Pilots Kept");
        game.prompts.allowMessage("Restore Incomplete");
        LaunchedShipSet record = launch(package);
        WriteFileBytes(game.game() / "Ace.plt", "played");
        return restore(record);
    };
    EXPECT_EQ(playAndKeep(), RestoreOutcome::Restored);
    ASSERT_TRUE(fs::is_directory(keptFolder));
    for (const auto& entry : fs::directory_iterator(keptFolder)) {
        EXPECT_LE(entry.path().filename().native().size(), 255u);
        EXPECT_TRUE(entry.path().filename().string().starts_with("Ace before LLL"));
        EXPECT_EQ(ReadFileBytes(entry.path()), "the player's own");
    }
#ifndef _WIN32
    fs::rename(keptFolder, game.outside() / "kept");
    fs::create_symlink(game.outside() / "kept", keptFolder);
    Tree outside = Snapshot(game.outside());
    EXPECT_EQ(playAndKeep(), RestoreOutcome::RestoredInPart);
    EXPECT_NE(lastMessage().find("is a link"), std::string::npos) << lastMessage();
    EXPECT_EQ(Snapshot(game.outside()), outside);
    EXPECT_EQ(ReadFileBytes(game.backup() / "Ace.plt"), "the player's own");
#endif
}

// "Pilot Exists!" says a pilot is left over from an earlier play of the ship set only where its
// bytes say so: the package's own pilot, or a played one that a player kept.
TEST_F(RestoreTest, APilotIsLeftOverOnlyWhereItsBytesSaySo) {
    const char* leftOver = "Ace.plt is left over from the last time this ShipSet was played.";
    const char* own = "Ace.plt is the game's own pilot.";
    struct Case {
        std::optional<std::string> pilot;  // written before the launch; else what a cycle left
        const char* told;
        Answer keep;  // "Keep Pilot?" after the game wrote "played" into it
    };
    const Case cases[] = {{"the ship set's", own, Answer::No},  // never played here before
                          {"the player's", own, Answer::Yes},
                          {std::nullopt, leftOver, Answer::No},
                          {"the ship set's", leftOver, Answer::No},
                          {"the player's new one", own, Answer::No}};
    fs::path package = this->package("P.gob", {{"Ace.plt", "the ship set's"}});
    int plays = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        if (c.pilot)
            WriteFileBytes(game.game() / "Ace.plt", *c.pilot);
        game.prompts.expectQuestion(std::string(c.told) + "\r\rReplace?", "Pilot Exists!",
                                    Icon::Information, Answer::No, Answer::Yes);
        LaunchedShipSet record = launch(package);
        WriteFileBytes(game.game() / "Ace.plt", "played " + std::to_string(++plays));
        game.prompts.expectQuestion("Would you like to keep Ace.plt?", "Keep Pilot?",
                                    Icon::Information, Answer::Yes, c.keep);
        game.prompts.allowMessage("Pilots Kept");
        EXPECT_EQ(restore(record), RestoreOutcome::Restored);
    }
}

// Without a journal (an older version's cycle) the files that have no backup may be the ship
// set's or the game's: they stay, are named, and the player says whether the cycle is over. No
// folder of the game goes, and "Last Pilot" returns only where the game has that pilot.
TEST_F(RestoreTest, WithoutAJournalThePlayerHearsOfEveryFileItCannotAccountFor) {
    struct Case {
        Answer answer;
        const char* lastPilot;
        const char* configAfterwards;
    };
    const Case cases[] = {{Answer::Yes, "Nova", "lastpilot Nova\r\nwindowed 1\r\n"},
                          {Answer::Yes, "Gone", "lastpilot Ace\r\nwindowed 1\r\n"},
                          {Answer::No, "Nova", "lastpilot Ace\r\nwindowed 1\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastPilot);
        Cycle cycle;
        StandInGame& fresh = cycle.game;
        fs::create_directory(fresh.game() / "empty");
        fs::path path = cycle.package(
            "Blue.gob", {{"DATA.LFD", "new data"}, {"B.LFD", "added"}, {"empty\\E.LFD", "e"}});
        cycle.launch(path);
        fs::remove(fresh.journalPath());  // as an older version leaves a cycle
        fs::remove(fresh.game() / "empty" / "E.LFD");
        fresh.store.save("Settings", "Last Pilot", c.lastPilot);
        fresh.prompts.expectQuestion(
            "The files in the backup folder have been put back.  Tolvane has no record of which "
            "files the ShipSet added, so these were left in the game folder:\r" +
                (fresh.game() / "B.LFD").string() +
                "\r\rMark the ShipSet as restored anyway?  Answer No to keep it open and restore "
                "again later.",
            "Restore Incomplete", Icon::Exclamation, Answer::No, c.answer);
        EXPECT_EQ(cycle.recover(), c.answer == Answer::Yes ? RestoreOutcome::Restored
                                                           : RestoreOutcome::RestoredInPart);
        EXPECT_EQ(ReadFileBytes(fresh.game() / "DATA.LFD"), "original data");
        EXPECT_EQ(ReadFileBytes(fresh.game() / "B.LFD"), "added");
        EXPECT_TRUE(fs::is_directory(fresh.game() / "empty"));
        EXPECT_EQ(ReadFileBytes(fresh.game() / "config.cfg"), c.configAfterwards);
        EXPECT_EQ(fresh.store.get("Settings", "Last ShipSet"),
                  c.answer == Answer::Yes ? "None" : path.string());
    }
}

}  // namespace
}  // namespace tolvane::testing

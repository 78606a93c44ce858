// A power cut keeps only what was flushed. One whole cycle is recorded operation by operation,
// replayed into every state a power cut may leave, and the next start is run on each: the game
// folder must come back byte for byte, or the cycle stay open with every original safe and the
// player told; nothing outside is touched, and a second start never makes it worse.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <unordered_set>

#include "game_start/run_batch.h"
#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "pilots/pilot_switch.h"
#include "support/environment.h"
#include "support/launch_fixture.h"
#include "support/power_cut.h"
#include "support/waiting.h"

namespace tolvane::testing {
namespace {

#ifndef _WIN32

using Settings = std::map<std::string, std::string>;

const char* const kTitles[] = {"Restore Incomplete", "Success!",           "Restore",
                               "Keep Pilot?",        "Pilot Not Restored", "Pilot Exists!"};

// A tmpfs when there is one: a flush costs nothing there, and thousands of states are written.
std::string FastTemporaryFolder() {
    if (fs::is_directory("/dev/shm"))
        return "/dev/shm";
    const char* current = std::getenv("TMPDIR");
    return current ? current : "/tmp";
}

class PowerCutTest : public ::testing::Test {
  protected:
    PowerCutTest() {
        // config.cfg is a link to the player's own file; Backup gets folders two levels deep.
        WriteFileBytes(game.game() / "Player" / "config.cfg", "lastpilot Ace\r\nwindowed 1\r\n");
        fs::remove(game.game() / "config.cfg");
        fs::create_symlink("Player/config.cfg", game.game() / "config.cfg");
        WriteFileBytes(game.game() / "two" / "levels" / "DEEP.LFD", "deep original");
        WriteGob(game.shipSets() / "Blue.gob",
                 {{"DATA.LFD", "package data"},
                  {"NEW.LFD", "new file"},
                  {"wave\\GAME.WAV", "new sound"},
                  {"two\\levels\\DEEP.LFD", "deep member"},
                  {"new\\D.LFD", "in a new folder"},
                  {"Ace.plt", std::string("Ace\0\0\0\0\0\0\0\0\0ship-set-ace", 24)},
                  {"zt\\fix.zt", MakeZt({{2, "PATCHED"}})}});
        for (const char* title : kTitles)
            game.prompts.allowMessage(title);
        before = ReadDiskTree(root());
    }

    fs::path root() const { return game.game().parent_path(); }

    // Install (keeping the game's pilot), switch the pilot, start the game, and restore after
    // play, recording every file operation and the settings after each save.
    std::vector<RecordedStep> recordCycle() {
        FaultSeam::Record();
        game.store.onSave = [&] {
            settingsAt.emplace_back(FaultSeam::Recorded().size(), game.store.values);
        };
        game.prompts.allowedReply = Answer::No;  // "Pilot Exists!": the game keeps its own
        auto plan = PlanLaunch(game.session, game.shipSets() / "Blue.gob");
        LaunchResult launched =
            LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan));
        EXPECT_EQ(launched.outcome, LaunchOutcome::WaitingForPilot);
        game.prompts.allowedReply.reset();
        JournalWriter::resume(game.journalPath()).notePilotSwitch();
        SetLastPilot(game.game(), "Nova", game.prompts, false);
        StartedGame started = RunGame(game.session);
        // The game's starter writes what it prints on its own time: it ends before the restore.
        EXPECT_TRUE(WaitFor([&] { return !started.program.running(); }));
        EXPECT_EQ(RestoreAfterPlay(game.session, progress, launched.record),
                  RestoreOutcome::Restored);
        std::vector<RecordedStep> steps = FaultSeam::Recorded();
        FaultSeam::Disarm();
        game.store.onSave = nullptr;
        return steps;
    }

    Settings settingsAtPoint(std::size_t point) const {
        Settings settings = settingsAt.front().second;
        for (const auto& [at, values] : settingsAt) {
            if (at <= point)
                settings = values;
        }
        return settings;
    }

    // What the next start does: the restore while a cycle is open, else the removal of what an
    // ended one left.
    void nextStart() {
        FakeProgress progress;
        if (LaunchCycleOpen(game.session.settings, game.store))
            RestoreLastShipSet(game.session, progress,
                               LastShipSetPackage(game.session.settings, game.store));
        else
            RemoveEndedCycleLeftovers(game.session.settings, game.session.folders);
    }

    // Why the disk breaks the promise after a start, or nothing.
    std::optional<std::string> broken() const {
        DiskTree now = ReadDiskTree(root());
        auto below = [](const DiskTree& tree, const std::string& folder) {
            DiskTree part;
            for (const auto& [name, what] : tree) {
                if (name.starts_with(folder + "/"))
                    part[name] = what;
            }
            return part;
        };
        if (below(now, "Outside") != below(before, "Outside"))
            return "something outside the game's folders changed";
        if (!LaunchCycleOpen(game.session.settings, game.store)) {
            if (now != before)
                return "the cycle is closed but the folders are not as before:" + Differences(now);
            return std::nullopt;
        }
        bool told =
            std::any_of(game.prompts.shown.begin(), game.prompts.shown.end(),
                        [](const Prompt& prompt) { return prompt.title == "Restore Incomplete"; });
        if (!told)
            return "the cycle stays open and the player was not told why";
        for (const auto& [name, what] : below(before, "XWA")) {
            std::string inBackup = "Ships/Backup" + name.substr(3);
            bool safe = (now.contains(name) && now.at(name) == what) ||
                        (now.contains(inBackup) && now.at(inBackup) == what) ||
                        (name == "XWA/Player/config.cfg" && configLineKept(now));
            if (!safe)
                return "the original " + name + " is neither in the game folder nor in Backup";
        }
        return std::nullopt;
    }

    // config.cfg's other lines are there, and its first line is in the journal.
    bool configLineKept(const DiskTree& now) const {
        try {
            std::optional<std::string> line = game.readJournal().configFirstLine;
            auto config = now.find("XWA/Player/config.cfg");
            return line == "lastpilot Ace\r\n" && config != now.end() &&
                   config->second.ends_with("\r\nwindowed 1\r\n");
        } catch (const Error&) {
            return false;
        }
    }

    std::string Differences(const DiskTree& now) const {
        std::string text;
        for (const auto& [name, what] : now) {
            if (!before.contains(name) || before.at(name) != what)
                text += "\n  now " + name;
        }
        for (const auto& [name, what] : before) {
            if (!now.contains(name))
                text += "\n  missing " + name;
        }
        return text;
    }

    ScopedEnvironment temporary{"TMPDIR", FastTemporaryFolder()};
    ScopedEnvironment runner{"TOLVANE_BATCH_RUNNER", "/bin/true"};
    StandInGame game;
    FakeProgress progress;
    DiskTree before;
    std::vector<std::pair<std::size_t, Settings>> settingsAt;
};

TEST_F(PowerCutTest, NoStateAPowerCutMayLeaveLosesAGameFile) {
    auto started = std::chrono::steady_clock::now();
    Settings settingsBefore = game.store.values;
    std::vector<RecordedStep> steps = recordCycle();
    settingsAt.insert(settingsAt.begin(), {0, settingsBefore});
    ASSERT_EQ(ReadDiskTree(root()), before) << "the cycle itself did not come back";

    PowerCutReplay replay(root(), before);
    replay.follow(steps);
    ASSERT_EQ(replay.everythingKept(), before) << "the replay does not follow the disk";

    std::size_t built = 0, run = 0, failing = 0;
    std::optional<std::string> smallest;
    std::unordered_set<std::string> seen;
    replay.forEachState([&](const CrashState& state) {
        ++built;
        Settings settings = settingsAtPoint(state.point);
        std::string key = settings["Settings/Last ShipSet"];
        for (const auto& [name, what] : state.tree)
            key += '\0' + name + '\0' + what;
        if (!seen.insert(key).second)
            return;
        for (Answer reply : {Answer::Yes, Answer::No}) {
            ++run;
            WriteDiskTree(root(), state.tree);
            game.store.values = settings;
            game.prompts.shown.clear();
            game.prompts.allowedReply = reply;
            std::optional<std::string> fault;
            for (int start = 1; start <= 2 && !fault; ++start) {
                nextStart();
                game.prompts.allowedReply.reset();  // the second start takes the defaults
                if ((fault = broken()))
                    *fault = "after start " + std::to_string(start) + ": " + *fault;
            }
            bool asked = std::any_of(game.prompts.shown.begin(), game.prompts.shown.end(),
                                     [](const Prompt& prompt) { return prompt.isQuestion; });
            if (fault) {
                ++failing;
                if (!smallest) {
                    smallest = "a power cut after " + std::to_string(state.point) + " of " +
                               std::to_string(steps.size()) + " operations, answering " +
                               (reply == Answer::Yes ? "Yes" : "No") + ", losing:";
                    for (const std::string& lost : state.lost)
                        *smallest += "\n  " + lost;
                    *smallest += "\n" + *fault;
                }
            }
            if (!asked)
                break;  // the other answer would play the same
        }
    });
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "power cut: %zu operations, %zu states built, %zu distinct runs, %zu failing, "
        "%.1f s\n",
        steps.size(), built, run, failing, seconds);
    EXPECT_EQ(failing, 0u) << "the first of them: " << smallest.value_or("");
}

#endif

}  // namespace
}  // namespace tolvane::testing

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
#include "text/path_text.h"

namespace tolvane::testing {
namespace {

#ifndef _WIN32

using Settings = std::map<std::string, std::string>;

const char* const kTitles[] = {"Restore Incomplete", "Success!",           "Restore",
                               "Keep Pilot?",        "Pilot Not Restored", "Pilot Exists!",
                               "Launch Journal",     "Launch Failed",      "Pilot Loader",
                               "Invalid .Gob",       "Game Not Found",     "Backup Folder In Use"};

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
        before = Snapshot(root());
    }

    fs::path root() const { return game.game().parent_path(); }

    // The cycle as the windows play it: install (the game keeps its own pilot), switch the pilot,
    // start the game and, where asked, restore after play. A step that fails is told as the
    // windows tell it, and the cycle goes no further: the next start restores.
    void playCycle(bool restore) {
        launched = {};
        restored.reset();
        game.prompts.allowedReply = Answer::No;  // "Pilot Exists!": the game keeps its own
        auto plan = PlanLaunch(game.session, game.shipSets() / "Blue.gob");
        if (auto* refusal = std::get_if<LaunchRefusal>(&plan))
            return game.prompts.message(refusal->text, refusal->title, Icon::Exclamation);
        launched = LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan));
        game.prompts.allowedReply.reset();
        if (launched.outcome == LaunchOutcome::FailedCycleOpen)
            game.prompts.message(launched.failure, "Launch Failed", Icon::Critical);
        if (launched.outcome != LaunchOutcome::WaitingForPilot)
            return;
        afterInstall = Snapshot(root());
        afterInstall.erase("Ships/Tolvane launch.journal");  // its lines carry the files' times
        try {
            JournalWriter::resume(game.journalPath()).notePilotSwitch();
            SetLastPilot(game.game(), "Nova", game.prompts, false);
            StartedGame started =
                RunGame(game.session, RunBatchPlaceOfOpenCycle(game.session.settings));
            // The game's starter writes what it prints on its own time: it ends first.
            EXPECT_TRUE(WaitFor([&] { return !started.program.running(); }));
        } catch (const Error& error) {
            return game.prompts.message(error.what(), "Pilot Loader", Icon::Exclamation);
        }
        if (restore)
            restored = RestoreAfterPlay(game.session, progress, launched.record);
    }

    // The whole cycle, recording every file operation and the settings after each save.
    std::vector<RecordedStep> recordCycle() {
        FaultSeam::Record();
        game.store.onSave = [&] {
            settingsAt.emplace_back(FaultSeam::Recorded().size(), game.store.values);
        };
        playCycle(true);
        EXPECT_EQ(launched.outcome, LaunchOutcome::WaitingForPilot);
        EXPECT_EQ(restored, RestoreOutcome::Restored);
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

    struct Tally {
        std::size_t built = 0, run = 0, failing = 0;
        std::string example{};
    };

    static std::string KeyOf(const Tree& tree, Settings settings) {
        std::string key = settings["Settings/Last ShipSet"];
        for (const auto& [name, what] : tree)
            key += '\0' + name + '\0' + what;
        return key;
    }

    // For each point of `steps`, whether a write to the journal waits for its flush.
    std::vector<bool> JournalUnflushed(const std::vector<RecordedStep>& steps) const {
        std::vector<bool> unflushed(steps.size() + 1, false);
        bool waiting = false;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (steps[i].path == game.journalPath())
                waiting = steps[i].step == FileStep::Write ||
                          (waiting && steps[i].step != FileStep::Flush);
            unflushed[i + 1] = waiting;
        }
        return unflushed;
    }

    // The files of the game folder and Backup.
    static Tree FilesOf(Tree tree) {
        std::erase_if(tree, [](const auto& entry) {
            const std::string& name = entry.first;
            return name.ends_with("/") ||
                   !(name.starts_with("XWA/") || name.starts_with("Ships/Backup/"));
        });
        return tree;
    }

    static std::string Described(const std::vector<std::string>& lost) {
        std::string text;
        for (const std::string& change : lost)
            text += "\n  " + change;
        return text;
    }

    // Two starts on the state, the first answering `reply`, the second taking the defaults; the
    // first start's operations and settings go to `recovery` when asked for. Whether a question
    // was asked.
    bool playStarts(const Tree& tree, const Settings& settings, Answer reply,
                    const std::string& cut, Tally& tally,
                    std::vector<RecordedStep>* recovery = nullptr,
                    std::vector<std::pair<std::size_t, Settings>>* recoverySettings = nullptr) {
        ++tally.run;
        startedFrom = tree;
        WriteTree(root(), tree);
        game.store.values = settings;
        game.prompts.shown.clear();
        game.prompts.allowedReply = reply;
        std::optional<std::string> fault;
        for (int start = 1; start <= 2 && !fault; ++start) {
            if (start == 1 && recovery) {
                FaultSeam::Record();
                game.store.onSave = [&] {
                    recoverySettings->emplace_back(FaultSeam::Recorded().size(), game.store.values);
                };
            }
            nextStart();
            if (start == 1 && recovery) {
                *recovery = FaultSeam::Recorded();
                FaultSeam::Disarm();
                game.store.onSave = nullptr;
            }
            game.prompts.allowedReply.reset();  // the second start takes the defaults
            if ((fault = broken()))
                *fault = "after start " + std::to_string(start) + ": " + *fault;
        }
        if (fault && tally.failing++ == 0)
            tally.example =
                cut + "\nanswering " + (reply == Answer::Yes ? "Yes" : "No") + "\n" + *fault;
        return std::any_of(game.prompts.shown.begin(), game.prompts.shown.end(),
                           [](const Prompt& prompt) { return prompt.isQuestion; });
    }

    // What the next start does: the restore while a cycle is open, else the removal of what an
    // ended one left.
    void nextStart() {
        FakeProgress progress;
        if (LaunchCycleOpen(game.session.settings, game.store))
            RestoreLastShipSet(game.session, progress,
                               LastShipSetPackage(game.session.settings, game.store));
        else
            RemoveEndedCycleLeftovers(game.session.settings, game.session.folders, game.prompts);
    }

    // Why the disk breaks the promise after a start, or nothing. A journal never written whole
    // may stay beside the ship sets, moved aside, once the player was told.
    std::optional<std::string> broken() const {
        Tree now = Snapshot(root());
        std::erase_if(now, [&](const auto& entry) {
            return entry.first.starts_with("Ships/Tolvane launch (never written") &&
                   (told("Launch Journal") || startedFrom.contains(entry.first));
        });
        auto below = [](const Tree& tree, const std::string& folder) {
            Tree part;
            for (const auto& [name, what] : tree) {
                if (name.starts_with(folder + "/"))
                    part[name] = what;
            }
            return part;
        };
        if (below(now, "Outside") != below(before, "Outside"))
            return "something outside the game's folders changed";
        try {
            if (fs::exists(game.journalPath()))
                game.readJournal();
        } catch (const DamagedJournal& error) {
            return std::string("a journal no start can restore: ") + error.what();
        } catch (const Error&) {
        }
        if (!LaunchCycleOpen(game.session.settings, game.store)) {
            // An empty folder of ours that a failure kept from going may stay: in Backup, or
            // once the player was told its name.
            std::erase_if(now, [&](const auto& entry) {
                return entry.first.ends_with("/") && !before.contains(entry.first) &&
                       (entry.first.starts_with("Ships/Backup/") ||
                        toldOf((root() / PathFromUtf8(entry.first)).parent_path()));
            });
            if (now != before)
                return "the cycle is closed but the folders are not as before:" + Differences(now);
            return std::nullopt;
        }
        if (!told("Restore Incomplete"))
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

    bool told(const std::string& title) const {
        return std::any_of(game.prompts.shown.begin(), game.prompts.shown.end(),
                           [&](const Prompt& prompt) { return prompt.title == title; });
    }

    bool toldOf(const fs::path& folder) const {
        auto names = [&](const Prompt& prompt) {
            return prompt.text.find(folder.string()) != std::string::npos;
        };
        return std::any_of(toldEarlier.begin(), toldEarlier.end(), names) ||
               std::any_of(game.prompts.shown.begin(), game.prompts.shown.end(), names);
    }

    // config.cfg's other lines are there, and its first line is in the journal.
    bool configLineKept(const Tree& now) const {
        try {
            std::optional<std::string> line = game.readJournal().configFirstLine;
            auto config = now.find("XWA/Player/config.cfg");
            return line == "lastpilot Ace\r\n" && config != now.end() &&
                   config->second.ends_with("\r\nwindowed 1\r\n");
        } catch (const Error&) {
            return false;
        }
    }

    std::string Differences(const Tree& now) const {
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
    LaunchResult launched;
    std::optional<RestoreOutcome> restored;
    Tree before;
    Tree afterInstall;
    Tree startedFrom;                 // the state the starts at hand began with
    std::vector<Prompt> toldEarlier;  // by the run that left that state
    std::vector<std::pair<std::size_t, Settings>> settingsAt;
};

// A file operation that fails (a disk full, a file in use, a drive gone, a rename that another
// drive cannot take) anywhere in the cycle, or in the restore a later start makes of a cycle left
// open: the player is told, an install that goes on harmed nothing of its work, and the next
// starts keep the promise.
TEST_F(PowerCutTest, AFailingOperationAnywhereLosesNothing) {
    const std::error_code otherDrive = std::make_error_code(std::errc::cross_device_link);
    const std::error_code faults[] = {std::make_error_code(std::errc::io_error),
                                      std::make_error_code(std::errc::no_space_on_device),
                                      std::make_error_code(std::errc::permission_denied),
                                      std::make_error_code(std::errc::device_or_resource_busy),
                                      otherDrive};
    const Settings settingsBefore = game.store.values;
    playCycle(true);
    const Tree installed = afterInstall;
    for (bool later : {false, true}) {
        // The cycle, or the start's restore after a cycle left open when the game ended; the
        // operations of that part, recorded when nothing fails.
        auto run = [&](std::uint64_t failing, std::error_code error) {
            WriteTree(root(), before);
            game.store.values = settingsBefore;
            game.prompts.shown.clear();
            if (later)
                playCycle(false);
            if (failing)
                FaultSeam::FailAt(failing, error);
            else
                FaultSeam::Record();
            later ? nextStart() : playCycle(true);
            std::vector<RecordedStep> steps = FaultSeam::Recorded();
            FaultSeam::Disarm();
            return steps;
        };
        const std::vector<RecordedStep> steps = run(0, {});
        Tally tally;
        for (std::uint64_t n = 1; n <= steps.size(); ++n) {
            // One error each in turn; a rename also fails as between drives, which sends the move
            // through a copy.
            std::vector<std::error_code> errors = {faults[n % std::size(faults)]};
            if (steps[n - 1].step == FileStep::Rename && errors[0] != otherDrive)
                errors.push_back(otherDrive);
            for (const std::error_code& error : errors) {
                run(n, error);
                std::string where =
                    (later ? "the restore of a later start, operation " : "the cycle, operation ") +
                    std::to_string(n) + " failing with " + error.message();
                if (!later && launched.outcome == LaunchOutcome::WaitingForPilot) {
                    EXPECT_TRUE(afterInstall == installed)
                        << where << ": a failure the install let pass";
                } else if (!later) {
                    EXPECT_FALSE(game.prompts.shown.empty()) << where << ": nobody was told";
                }
                // Closed means every file back at once; an empty folder that would not go may wait
                // for the next start.
                if (restored == RestoreOutcome::Restored) {
                    EXPECT_TRUE(FilesOf(Snapshot(root())) == FilesOf(before))
                        << where << ": closed, but not put back";
                }
                toldEarlier = game.prompts.shown;
                playStarts(Snapshot(root()), game.store.values, Answer::Yes, where, tally);
            }
        }
        EXPECT_EQ(tally.failing, 0u) << "the first of them: " << tally.example;
    }
}

// Every state one cut leaves; from each, a second cut (or a kill) at the points of the recovery
// that follows it. The product is too large to play whole: every first state gets the points
// of its recovery one in kSecondCutStride apart, starting at its own number modulo the stride,
// so that together they reach every point; and every point where the recovery's own journal
// lines are not yet flushed, where a second cut tears the record that the first cut tore.
TEST_F(PowerCutTest, NoSequenceOfPowerCutsLosesAGameFile) {
    constexpr std::size_t kSecondCutStride = 48;
    auto started = std::chrono::steady_clock::now();
    Settings settingsBefore = game.store.values;
    std::vector<RecordedStep> steps = recordCycle();
    settingsAt.insert(settingsAt.begin(), {0, settingsBefore});
    ASSERT_EQ(Snapshot(root()), before) << "the cycle itself did not come back";

    PowerCutReplay replay(root(), before);
    replay.follow(steps);
    ASSERT_EQ(replay.everythingKept(), before) << "the replay does not follow the disk";

    Tally first, second;
    std::unordered_set<std::string> seen;
    replay.forEachState([&](const CrashState& state) {
        ++first.built;
        Settings settings = settingsAtPoint(state.point);
        if (!seen.insert(KeyOf(state.tree, settings)).second)
            return;
        std::string cut = "a power cut after " + std::to_string(state.point) + " of " +
                          std::to_string(steps.size()) +
                          " operations, losing:" + Described(state.lost);
        for (Answer reply : {Answer::Yes, Answer::No}) {
            std::vector<std::pair<std::size_t, Settings>> recoverySettings;
            std::vector<RecordedStep> recovery;
            bool asked =
                playStarts(state.tree, settings, reply, cut, first, &recovery, &recoverySettings);
            PowerCutReplay again(root(), state.tree);
            again.follow(recovery);
            std::size_t offset = seen.size() % kSecondCutStride;
            std::vector<bool> journalUnflushed = JournalUnflushed(recovery);
            again.forEachState(
                [&](const CrashState& later) {
                    ++second.built;
                    Settings settingsThen = settings;
                    for (const auto& [at, values] : recoverySettings) {
                        if (at <= later.point)
                            settingsThen = values;
                    }
                    if (seen.insert(KeyOf(later.tree, settingsThen)).second)
                        playStarts(
                            later.tree, settingsThen, reply,
                            cut + "\nthen a second cut after " + std::to_string(later.point) +
                                " of " + std::to_string(recovery.size()) +
                                " operations of the recovery, losing:" + Described(later.lost),
                            second);
                },
                [&](std::size_t point) {
                    return point % kSecondCutStride == offset || journalUnflushed[point];
                });
            if (!asked)
                break;  // the other answer would play the same
        }
    });
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf(
        "power cut: %zu operations; one cut: %zu states built, %zu runs, %zu failing; "
        "a second cut: %zu states built, %zu runs, %zu failing; %.1f s\n",
        steps.size(), first.built, first.run, first.failing, second.built, second.run,
        second.failing, seconds);
    EXPECT_EQ(first.failing, 0u) << "the first of them: " << first.example;
    EXPECT_EQ(second.failing, 0u) << "the first of them: " << second.example;
}

#endif

}  // namespace
}  // namespace tolvane::testing

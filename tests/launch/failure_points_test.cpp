// Proves the cycle's promise at every file operation: whichever one fails, or is the last before
// the program is killed, the game folder comes back byte for byte, or every original is safe and
// the cycle stays open for another try.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "pilots/config_cfg.h"
#include "pilots/pilot_switch.h"
#include "platform/fault_seam.h"
#include "platform/folder_steps.h"
#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

enum class Armed { Fails, Dies };

// How the tests' names show the parameter.
void PrintTo(Armed armed, std::ostream* out) {
    *out << (armed == Armed::Fails ? "each operation fails in turn" : "the program dies at each");
}

// A rename that meets "different device" falls back to a copy and a delete, as it does when the
// ship set directory is on another drive than the game.
const std::error_code kFaults[] = {std::make_error_code(std::errc::io_error),
                                   std::make_error_code(std::errc::no_space_on_device),
                                   std::make_error_code(std::errc::permission_denied),
                                   std::make_error_code(std::errc::device_or_resource_busy),
                                   std::make_error_code(std::errc::cross_device_link)};

// One game with a ship set that replaces, adds, makes a folder and patches the executable.
class ArmedCycle : public Cycle {
  public:
    ArmedCycle() {
        shipSet = package("Blue.gob", {{"DATA.LFD", "package data"},
                                       {"NEW.LFD", "new file"},
                                       {"wave\\GAME.WAV", "new sound"},
                                       {"new\\D.LFD", "in a new folder"},
                                       {"zt\\fix.zt", MakeZt({{2, "PATCHED"}})}});
        before = Snapshot(game.game());
        for (const char* title :
             {"Launch Failed", "Restore Incomplete", "Success!", "Restore", "Pilot Loader",
              "Invalid .Gob", "Game Not Found", "Backup Folder In Use"})
            game.prompts.allowMessage(title);
    }

    // The pilot loader's part that writes config.cfg, so that the restore must write it back.
    void switchPilot() {
        try {
            SetLastPilot(game.game(), "Nova", game.prompts, false);
        } catch (const Error& error) {
            game.prompts.message(error.what(), "Pilot Loader", Icon::Exclamation);
            installed = false;
        }
    }

    // What the launch handler does, telling a refusal as it does; nothing when the launch was
    // refused or did not start.
    std::optional<LaunchedShipSet> install() {
        auto plan = PlanLaunch(game.session, shipSet);
        if (auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
            game.prompts.message(refusal->text, refusal->title, Icon::Exclamation);
            return std::nullopt;
        }
        LaunchResult result =
            LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan));
        installed = result.outcome == LaunchOutcome::WaitingForPilot;
        if (result.outcome == LaunchOutcome::FailedCycleOpen)
            game.prompts.message(result.failure, "Launch Failed", Icon::Critical);
        if (installed)
            switchPilot();
        if (result.outcome == LaunchOutcome::NotStarted)
            return std::nullopt;
        return result.record;
    }

    // Each original file is where the player can get it back: in the game folder or in Backup;
    // config.cfg's first line, which the pilot switch changes, in the journal.
    void expectOriginalsSafe() const {
        for (const auto& [name, bytes] : before) {
            if (name.ends_with("/"))
                continue;
            fs::path inGame = game.game() / name, inBackup = game.backup() / name;
            bool safe = (fs::is_regular_file(inGame) && ReadFileBytes(inGame) == bytes) ||
                        (fs::is_regular_file(inBackup) && ReadFileBytes(inBackup) == bytes) ||
                        (name == "config.cfg" && firstLineInJournal(inGame, bytes));
            EXPECT_TRUE(safe) << name;
        }
    }

    bool firstLineInJournal(const fs::path& config, const std::string& bytes) const {
        try {
            std::optional<std::string> line = game.readJournal().configFirstLine;
            return line && WithFirstLineAndEnd(ReadFileBytes(config), *line) == bytes;
        } catch (const Error&) {
            return false;
        }
    }

    // Every file as before. An empty folder of ours that a failure kept from going may stay,
    // once the player was told its name.
    void expectBackAsBefore() const {
        Tree now = Snapshot(game.game());
        for (const auto& [name, bytes] : Tree(now)) {
            if (!before.contains(name) && name.ends_with("/") && toldAbout(game.game() / name))
                now.erase(name);
        }
        EXPECT_EQ(now, before);
        EXPECT_FALSE(HoldsAnyFile(game.backup()));
        EXPECT_FALSE(cycleOpen());
        fs::path journal = JournalPathFor(game.shipSets());
        EXPECT_TRUE(!fs::exists(journal) || fs::file_size(journal) == 0 ||
                    game.readJournal().closed);
    }

    bool toldAbout(const fs::path& folder) const {
        std::string name = fs::path(folder).parent_path().string();
        for (const Prompt& prompt : game.prompts.shown) {
            if (prompt.text.find(name) != std::string::npos)
                return true;
        }
        return false;
    }

    fs::path shipSet;
    Tree before;
    bool installed = false;  // the last install said it was done
};

void Arm(Armed armed, std::uint64_t n) {
    if (armed == Armed::Dies)
        FaultSeam::DieAt(n);
    else
        FaultSeam::FailAt(n, kFaults[n % std::size(kFaults)]);
}

// Runs `step` with the seam armed; true when the program "died" in it.
bool RunArmed(Armed armed, std::uint64_t n, const std::function<void()>& step) {
    Arm(armed, n);
    bool died = false;
    try {
        step();
    } catch (const SimulatedDeath&) {
        died = true;
    }
    FaultSeam::Disarm();
    return died;
}

// How many file operations `step` makes on an unarmed seam.
std::uint64_t OperationsOf(const std::function<void(ArmedCycle&)>& step) {
    ArmedCycle cycle;
    FaultSeam::Disarm();
    step(cycle);
    return FaultSeam::Operations();
}

// Runs the recovery until the cycle is closed, as a player pressing the restore button again
// would; a failure that is gone by then must not keep anything out of place.
void RecoverUntilClosed(ArmedCycle& cycle) {
    for (int attempt = 0; attempt < 2 && cycle.cycleOpen(); ++attempt)
        cycle.recover();
}

class FailurePointsTest : public ::testing::TestWithParam<Armed> {};

TEST_P(FailurePointsTest, TheInstallAtEveryPoint) {
    Tree installedTree;
    std::uint64_t points = OperationsOf([&](ArmedCycle& cycle) {
        cycle.install();
        installedTree = Snapshot(cycle.game.game());
    });
    for (std::uint64_t n = 1; n <= points; ++n) {
        SCOPED_TRACE("install, operation " + std::to_string(n));
        ArmedCycle cycle;
        std::optional<LaunchedShipSet> record;
        bool died = RunArmed(GetParam(), n, [&] { record = cycle.install(); });
        cycle.expectOriginalsSafe();
        if (!died && cycle.installed) {
            // A failure the install let pass must have harmed nothing of its work.
            EXPECT_EQ(Snapshot(cycle.game.game()), installedTree);
        } else if (!died) {
            EXPECT_FALSE(cycle.game.prompts.shown.empty()) << "a failure nobody was told of";
        }
        if (!died && record)
            cycle.restore(*record);  // the player closes the cycle
        RecoverUntilClosed(cycle);   // or the next start does
        cycle.expectBackAsBefore();
    }
    std::printf("install: %llu failure points tried\n", static_cast<unsigned long long>(points));
}

// The restore after play, from the launch's record, and the one a later start makes from the
// journal alone.
TEST_P(FailurePointsTest, TheRestoreAtEveryPoint) {
    for (bool later : {false, true}) {
        const char* which = later ? "recovery" : "restore after play";
        auto restore = [later](ArmedCycle& cycle, const LaunchedShipSet& record) {
            return later ? cycle.recover() : cycle.restore(record);
        };
        std::uint64_t points = OperationsOf([&](ArmedCycle& cycle) {
            std::optional<LaunchedShipSet> record = cycle.install();
            FaultSeam::Disarm();
            restore(cycle, *record);
        });
        for (std::uint64_t n = 1; n <= points; ++n) {
            SCOPED_TRACE(std::string(which) + ", operation " + std::to_string(n));
            ArmedCycle cycle;
            std::optional<LaunchedShipSet> record = cycle.install();
            ASSERT_TRUE(record);
            RestoreOutcome outcome = RestoreOutcome::Restored;
            bool died = RunArmed(GetParam(), n, [&] { outcome = restore(cycle, *record); });
            cycle.expectOriginalsSafe();
            if (!died && outcome == RestoreOutcome::RestoredInPart) {
                EXPECT_TRUE(cycle.cycleOpen());
                EXPECT_EQ(cycle.game.prompts.shown.back().title, "Restore Incomplete");
            } else if (!died) {
                cycle.expectBackAsBefore();  // closed means put back, at once
            }
            RecoverUntilClosed(cycle);
            cycle.expectBackAsBefore();
        }
        std::printf("%s: %llu failure points tried\n", which,
                    static_cast<unsigned long long>(points));
    }
}

INSTANTIATE_TEST_SUITE_P(FailsOrDies, FailurePointsTest,
                         ::testing::Values(Armed::Fails, Armed::Dies), [](const auto& info) {
                             return info.param == Armed::Fails ? "Fails" : "Dies";
                         });

}  // namespace
}  // namespace tolvane::testing

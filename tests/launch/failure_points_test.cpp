// Proves the cycle's promise at every file operation: whichever one fails, or is the last before
// the program is killed, the game folder comes back byte for byte, or every original is safe and
// the cycle stays open for another try.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "platform/fault_seam.h"
#include "platform/file_system.h"
#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

using Tree = std::map<std::string, std::string>;

enum class Armed { Fails, Dies };

const std::error_code kFaults[] = {std::make_error_code(std::errc::io_error),
                                   std::make_error_code(std::errc::no_space_on_device),
                                   std::make_error_code(std::errc::permission_denied),
                                   std::make_error_code(std::errc::device_or_resource_busy)};

// One game with a ship set that replaces, adds, makes a folder and patches the executable.
class Cycle {
  public:
    Cycle() {
        WriteGob(package(), {{"DATA.LFD", "package data"},
                             {"NEW.LFD", "new file"},
                             {"wave\\GAME.WAV", "new sound"},
                             {"new\\D.LFD", "in a new folder"},
                             {"zt\\fix.zt", MakeZt({{2, "PATCHED"}})}});
        before = Snapshot(game.game());
        for (const char* title : {"Launch Failed", "Restore Incomplete", "Success!", "Restore",
                                  "Invalid .Gob", "Game Not Found", "Backup Folder In Use"})
            game.prompts.allowMessage(title);
    }

    fs::path package() const { return game.shipSets() / "Blue.gob"; }

    // What the launch handler does; nothing when it was refused or did not start.
    std::optional<LaunchRecord> install() {
        auto plan = PlanLaunch(game.session, package());
        if (std::holds_alternative<LaunchRefusal>(plan))
            return std::nullopt;
        LaunchResult result = LaunchShipSet(game.session, progress, std::get<LaunchPlan>(plan));
        if (result.outcome == LaunchOutcome::NotStarted)
            return std::nullopt;
        return result.record;
    }

    RestoreOutcome restoreAfterPlay(const LaunchRecord& record) {
        return RestoreAfterPlay(game.session, progress, record);
    }

    // The next start: restore mode while "Last ShipSet" names a package or a journal is open.
    bool cycleOpen() const { return LaunchCycleOpen(game.session); }
    RestoreOutcome recover() {
        return RestoreLastShipSet(game.session, progress, OpenCyclePackage(game.session));
    }

    // Each original file is where the player can get it back: in the game folder or in Backup.
    void expectOriginalsSafe() const {
        for (const auto& [name, bytes] : before) {
            if (name.ends_with("/"))
                continue;
            fs::path inGame = game.game() / name, inBackup = game.backup() / name;
            bool safe = (fs::is_regular_file(inGame) && ReadFileBytes(inGame) == bytes) ||
                        (fs::is_regular_file(inBackup) && ReadFileBytes(inBackup) == bytes);
            EXPECT_TRUE(safe) << name;
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

    StandInGame game;
    FakeProgress progress;
    Tree before;
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
std::uint64_t OperationsOf(const std::function<void(Cycle&)>& step) {
    Cycle cycle;
    FaultSeam::Disarm();
    step(cycle);
    return FaultSeam::Operations();
}

// Runs the recovery until the cycle is closed, as a player pressing the restore button again
// would; a failure that is gone by then must not keep anything out of place.
void RecoverUntilClosed(Cycle& cycle) {
    for (int attempt = 0; attempt < 2 && cycle.cycleOpen(); ++attempt)
        cycle.recover();
}

class FailurePointsTest : public ::testing::TestWithParam<Armed> {};

TEST_P(FailurePointsTest, TheInstallAtEveryPoint) {
    std::uint64_t points = OperationsOf([](Cycle& cycle) { cycle.install(); });
    for (std::uint64_t n = 1; n <= points; ++n) {
        SCOPED_TRACE("install, operation " + std::to_string(n));
        Cycle cycle;
        std::optional<LaunchRecord> record;
        bool died = RunArmed(GetParam(), n, [&] { record = cycle.install(); });
        cycle.expectOriginalsSafe();
        if (!died && record)
            cycle.restoreAfterPlay(*record);  // the player closes the cycle
        RecoverUntilClosed(cycle);            // or the next start does
        cycle.expectBackAsBefore();
    }
    std::printf("install: %llu failure points tried\n", static_cast<unsigned long long>(points));
}

TEST_P(FailurePointsTest, TheRestoreAfterPlayAtEveryPoint) {
    std::uint64_t points = OperationsOf([](Cycle& cycle) {
        std::optional<LaunchRecord> record = cycle.install();
        FaultSeam::Disarm();
        cycle.restoreAfterPlay(*record);
    });
    for (std::uint64_t n = 1; n <= points; ++n) {
        SCOPED_TRACE("restore after play, operation " + std::to_string(n));
        Cycle cycle;
        std::optional<LaunchRecord> record = cycle.install();
        ASSERT_TRUE(record);
        RestoreOutcome outcome = RestoreOutcome::Restored;
        bool died = RunArmed(GetParam(), n, [&] { outcome = cycle.restoreAfterPlay(*record); });
        cycle.expectOriginalsSafe();
        if (!died && outcome == RestoreOutcome::RestoredInPart) {
            EXPECT_TRUE(cycle.cycleOpen());
            EXPECT_EQ(cycle.game.prompts.shown.back().title, "Restore Incomplete");
        }
        RecoverUntilClosed(cycle);
        cycle.expectBackAsBefore();
    }
    std::printf("restore after play: %llu failure points tried\n",
                static_cast<unsigned long long>(points));
}

TEST_P(FailurePointsTest, TheRecoveryAtEveryPoint) {
    std::uint64_t points = OperationsOf([](Cycle& cycle) {
        cycle.install();
        FaultSeam::Disarm();
        cycle.recover();
    });
    for (std::uint64_t n = 1; n <= points; ++n) {
        SCOPED_TRACE("recovery, operation " + std::to_string(n));
        Cycle cycle;
        ASSERT_TRUE(cycle.install());
        bool died = RunArmed(GetParam(), n, [&] { cycle.recover(); });
        cycle.expectOriginalsSafe();
        if (!died && cycle.cycleOpen()) {
            EXPECT_EQ(cycle.game.prompts.shown.back().title, "Restore Incomplete");
        }
        RecoverUntilClosed(cycle);
        cycle.expectBackAsBefore();
    }
    std::printf("recovery: %llu failure points tried\n", static_cast<unsigned long long>(points));
}

INSTANTIATE_TEST_SUITE_P(FailsOrDies, FailurePointsTest,
                         ::testing::Values(Armed::Fails, Armed::Dies), [](const auto& info) {
                             return info.param == Armed::Fails ? "Fails" : "Dies";
                         });

}  // namespace
}  // namespace tolvane::testing

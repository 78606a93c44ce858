#include <gtest/gtest.h>

#include <functional>

#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

// An install that stops part way: the player is told why, nothing of the game's is lost, and the
// cycle stays open for the restore, which gives the game folder back.
TEST(InstallStopTest, AnInstallThatStopsOffersTheRestore) {
    struct Case {
        const char* what;
        std::vector<GobEntry> members;
        std::function<void(Cycle&, const fs::path&)> betweenPlanAndInstall;
        std::string told;
    };
    const Case cases[] = {
        {"a damaged patch",
         {{"zt\\bad.zt", MakeZt({{-4, "x"}})}},
         [](Cycle&, const fs::path&) {},
         "is damaged: record 1 of 1 writes at a negative offset."},
        {"a file that appeared after the plan",
         {{"NEW.LFD", "fine"}, {"LATE.LFD", "x"}},
         [](Cycle& c, const fs::path&) {
             WriteFileBytes(c.game.game() / "LATE.LFD", "appeared after the plan");
         },
         "Tolvane could not install member 2 (LATE.LFD)."},
        // A download still being written, a disk that failed: never a partial member.
        {"a package cut short",
         {{"DATA.LFD", std::string(4096, 'd')}},
         [](Cycle&, const fs::path& path) { fs::resize_file(path, fs::file_size(path) - 100); },
         "DATA.LFD"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        Cycle c;
        fs::path path = c.package("P.gob", row.members);
        Tree before = Snapshot(c.game.game());
        auto plan = c.plan(path);
        row.betweenPlanAndInstall(c, path);
        Tree expected = Snapshot(c.game.game());
        LaunchResult result =
            LaunchShipSet(c.game.store, c.game.prompts, c.progress, std::get<LaunchPlan>(plan));
        EXPECT_EQ(result.outcome, LaunchOutcome::FailedCycleOpen);
        EXPECT_NE(result.failure.find(row.told), std::string::npos) << result.failure;
        EXPECT_EQ(ReadFileBytes(c.game.executable()), c.game.executableBytes());
        EXPECT_EQ(c.restore(result.record), RestoreOutcome::Restored);
        EXPECT_EQ(Snapshot(c.game.game()), expected);
    }
}

}  // namespace
}  // namespace tolvane::testing

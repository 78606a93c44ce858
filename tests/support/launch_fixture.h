#pragma once

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <variant>

#include "launch/install.h"
#include "launch/launch_journal.h"
#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "support/fake_progress.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {

// One stand-in game and the steps of a cycle on it. A table plays one for each row.
struct Cycle {
    explicit Cycle(const std::string& gameFolder = "XWA",
                   const std::string& shipSetFolder = "Ships")
        : game("XWINGALLIANCE.EXE", gameFolder, shipSetFolder) {}

    std::filesystem::path package(const std::string& fileName,
                                  const std::vector<GobEntry>& entries) {
        std::filesystem::path path = game.shipSets() / fileName;
        WriteGob(path, entries);
        return path;
    }
    std::variant<LaunchPlan, LaunchRefusal> plan(const std::filesystem::path& packagePath) {
        return PlanLaunch(game.session, packagePath);
    }
    // The launch handler's part after the checks: plan, then install. A refusal fails the test.
    LaunchedShipSet launch(const std::filesystem::path& packagePath) {
        auto planned = plan(packagePath);
        if (auto* refusal = std::get_if<LaunchRefusal>(&planned)) {
            ADD_FAILURE() << "refused: " << refusal->text;
            return {};
        }
        LaunchResult result =
            LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(planned));
        outcome = result.outcome;
        return result.record;
    }
    // A package P.gob of these members, launched.
    LaunchedShipSet launchOf(const std::vector<GobEntry>& entries) {
        return launch(package("P.gob", entries));
    }
    RestoreOutcome restore(const LaunchedShipSet& record) {
        return RestoreAfterPlay(game.session, progress, record);
    }
    // The restore a later start offers for the cycle an earlier run left open.
    RestoreOutcome recover() {
        return RestoreLastShipSet(game.session, progress,
                                  LastShipSetPackage(game.session.settings, game.store));
    }
    bool cycleOpen() const { return LaunchCycleOpen(game.session.settings, game.store); }
    LaunchJournal journal() { return game.readJournal(); }
    // The game folder, the ship set directory, the program's folder and the one beside them.
    Tree everything() const { return Snapshot(game.game().parent_path()); }
    std::string lastMessage() const {
        return game.prompts.shown.empty() ? "" : game.prompts.shown.back().text;
    }

    StandInGame game;
    FakeProgress progress;
    std::optional<LaunchOutcome> outcome;  // of the last launch
};

class LaunchFixture : public ::testing::Test, public Cycle {};

}  // namespace tolvane::testing

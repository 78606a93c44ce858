#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <variant>

#include "launch/install.h"
#include "launch/launch_journal.h"
#include "support/fake_progress.h"
#include "support/package_files.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {

// A stand-in game, a main window and helpers to launch ship sets into it.
class LaunchFixture : public ::testing::Test {
  protected:
    std::filesystem::path package(const std::string& fileName,
                                  const std::vector<GobEntry>& entries) {
        std::filesystem::path path = game.shipSets() / fileName;
        WriteGob(path, entries);
        return path;
    }

    // The launch handler's part after the checks: plan, then install.
    LaunchedShipSet launch(const std::filesystem::path& packagePath) {
        auto plan = PlanLaunch(game.session, packagePath);
        if (auto* refusal = std::get_if<LaunchRefusal>(&plan)) {
            ADD_FAILURE() << "refused: " << refusal->text;
            return {};
        }
        LaunchResult result =
            LaunchShipSet(game.store, game.prompts, progress, std::get<LaunchPlan>(plan));
        outcome = result.outcome;
        return result.record;
    }

    LaunchJournal journal() { return game.readJournal(); }

    StandInGame game;
    FakeProgress progress;
    std::optional<LaunchOutcome> outcome;  // of the last launch
};

}  // namespace tolvane::testing

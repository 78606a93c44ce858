#pragma once

#include "launch/launch_plan.h"
#include "session/progress.h"
#include "session/session.h"
#include "text/fs_alias.h"

namespace tolvane {

// What a restore needs of a launch: its package and its journal.
struct LaunchedShipSet {
    fs::path package;
    fs::path journalPath;
};

enum class LaunchOutcome {
    NotStarted,       // the player was told why; nothing has changed
    WaitingForPilot,  // installed and patched: the player picks a pilot and plays
    FailedCycleOpen,  // stopped part of the way: a restore puts the game folder back
};

struct LaunchResult {
    LaunchOutcome outcome;
    LaunchedShipSet record;
    std::string failure{};  // FailedCycleOpen: why, for the caller to tell with what comes next
};

// Installs the ship set as planned: writes the plan to the journal, records the ship set in
// "Last ShipSet", moves every game file a member replaces to the backup folder, writes every
// member straight into place, then backs up and patches the executable. A failure before the first
// change is told to the player (NotStarted); one after it is returned, and the cycle stays open so
// that a restore can close it.
LaunchResult LaunchShipSet(SettingsStore& store, Prompts& prompts, Progress& progress,
                           const LaunchPlan& plan);

}  // namespace tolvane

#pragma once

#include <string>
#include <variant>

#include "platform/filesystem.h"
#include "session/progress.h"
#include "session/session.h"

namespace tolvane {

// Where a launch will put things, settled before anything is touched.
struct LaunchPlan {
    fs::path package;
    fs::path gameFolder;
    fs::path backupFolder;
    fs::path journal;
};

// Why a launch cannot start; nothing has changed.
struct LaunchRefusal {
    std::string text;
    std::string title;
};

// What a restore needs of a launch: its package and its journal.
struct LaunchRecord {
    fs::path package;
    fs::path journal;
};

// Reloads the settings and checks what the install relies on: the game's executable is in the
// game folder, and no earlier launch still has files in the backup folder or an open journal.
std::variant<LaunchPlan, LaunchRefusal> PlanLaunch(Session& session, const fs::path& package);

enum class LaunchOutcome {
    WaitingForPilot,  // installed and patched: the player picks a pilot and plays
    FailedCycleOpen,  // the player was told why; a restore puts the game folder back
};

struct LaunchResult {
    LaunchOutcome outcome;
    LaunchRecord record;
};

// Installs the ship set: records it in "Last ShipSet", backs up every game file a member
// replaces, writes every member, asks before replacing a pilot file, then backs up and patches
// the executable. Every change is announced in the journal first. A failure is told to the
// player; the cycle stays open so that a restore can close it.
LaunchResult LaunchShipSet(Session& session, Progress& progress, const LaunchPlan& plan);

inline constexpr const char* kExecutablePattern = "XWingALLiAncE.exe";

}  // namespace tolvane
